// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// One event as one calendar resource and back. The sync only moves the text; what it means is the
// calendar mapping's.
class ResourceCodec
{
public:
    struct Decoded
    {
        AffairInfo record;
        QImage picture; // null: the program makes one
        QString uid;
    };

    virtual ~ResourceCodec() = default;
    // The UID an event is first sent under from the computer marked `computer`. Identifiers are
    // creation times, so two computers may each make an event of the same identifier.
    virtual QString UidFor(const AffairInfo& record, const QString& computer) const = 0;
    // The picture is the event's own file, read as it lies on disk.
    virtual QByteArray Encode(const AffairInfo& record, const QString& uid) const = 0;
    // False, with the reason for the user, when the resource cannot be represented exactly.
    virtual bool Decode(const QByteArray& text, Decoded* out, QString* reason) const = 0;
};
