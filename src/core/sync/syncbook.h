// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"

#include <QImage>
#include <QList>
#include <QString>
#include <optional>

// The local side of a sync: the events, changed only through the reminder book's operations.
class SyncBook
{
public:
    virtual ~SyncBook() = default;
    virtual QList<AffairInfo> Events() const = 0;
    virtual std::optional<AffairInfo> Find(const QString& id) const = 0;
    // The event's picture as the program keeps it; null when it has none or it cannot be read.
    virtual QImage Picture(const AffairInfo& record) const = 0;
    virtual bool Add(const AffairInfo& record, const QImage& picture, QString* id, QString* error) = 0;
    virtual bool Replace(const QString& id, const AffairInfo& record, const QImage& picture,
                         QString* error) = 0;
    virtual bool Remove(const QString& id, QString* error) = 0;
    // Many adds saved at once: after AbortBatch, or false from EndBatch, none of them was kept.
    virtual void BeginBatch() {}
    virtual bool EndBatch(QString* /*error*/) { return true; }
    virtual void AbortBatch() {}
};
