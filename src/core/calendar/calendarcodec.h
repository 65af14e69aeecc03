// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/resourcecodec.h"

// One event as one iCalendar resource, written as the export writes it and read as the import
// reads it, so that a synced event and an exported one are the same text.
class CalendarCodec : public ResourceCodec
{
public:
    QString UidFor(const AffairInfo& record, const QString& computer) const override;
    QByteArray Encode(const AffairInfo& record, const QString& uid) const override;
    bool Decode(const QByteArray& text, Decoded* out, QString* reason) const override;
};
