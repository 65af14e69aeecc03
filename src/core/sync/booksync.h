// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/syncbook.h"

class ReminderBook;

// The sync's view of the reminder book: every change goes through the book's own operations,
// so the store, the pictures and the tick stay the book's.
class BookSync : public SyncBook
{
public:
    explicit BookSync(ReminderBook* book) : Book(book) {}

    QList<AffairInfo> Events() const override;
    std::optional<AffairInfo> Find(const QString& id) const override;
    QImage Picture(const AffairInfo& record) const override;
    bool Add(const AffairInfo& record, const QImage& picture, QString* id, QString* error) override;
    bool Replace(const QString& id, const AffairInfo& record, const QImage& picture, QString* error) override;
    bool Remove(const QString& id, QString* error) override;
    void BeginBatch() override;
    bool EndBatch(QString* error) override;
    void AbortBatch() override;

private:
    ReminderBook* Book;
};
