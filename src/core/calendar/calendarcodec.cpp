// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarcodec.h"

#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarimport.h"

#include <QCoreApplication>

QString CalendarCodec::UidFor(const AffairInfo& record, const QString& computer) const
{
    if (!record.GetCalendarUid().isEmpty() || computer.isEmpty()) {
        return CalendarExport::Uid(record);
    }
    return QStringLiteral("pennibell-%1-%2@pennibell").arg(record.GetAffairID(), computer);
}

QByteArray CalendarCodec::Encode(const AffairInfo& record, const QString& uid) const
{
    AffairInfo sent = record;
    sent.SetCalendarUid(uid);
    return CalendarExport::Text({sent});
}

bool CalendarCodec::Decode(const QByteArray& text, Decoded* out, QString* reason) const
{
    CalendarImport::Plan plan;
    QString error;
    if (!CalendarImport::Read(text, AffairList(), &plan, &error)) {
        *reason = error;
        return false;
    }
    if (!plan.refused.isEmpty()) {
        *reason = plan.refused.first().reason;
        return false;
    }
    if (plan.add.size() != 1) {
        *reason = QCoreApplication::translate("CalendarCodec", "The entry holds no single event.");
        return false;
    }
    const CalendarImport::Entry& entry = plan.add.first();
    out->record = entry.record;
    out->uid = entry.record.GetCalendarUid();
    out->picture = entry.picture.isEmpty() ? QImage() : CalendarImport::Picture(entry, QSize(1920, 1080));
    return true;
}
