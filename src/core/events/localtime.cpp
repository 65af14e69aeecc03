// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/localtime.h"

#include <limits>

bool LocalTime::IsSet(const QDateTime& dt)
{
    return dt.date().isValid() && dt.time().isValid();
}

qint64 LocalTime::Seconds(const QDateTime& dt)
{
    if (!IsSet(dt)) {
        return std::numeric_limits<qint64>::min();
    }
    // Qt maps a gap time to the moment after the gap here, as mktime() does.
    return dt.toSecsSinceEpoch();
}

QDateTime LocalTime::Normalized(const QDateTime& dt)
{
    if (dt.isValid() || !IsSet(dt)) {
        return dt;
    }
    return QDateTime::fromSecsSinceEpoch(dt.toSecsSinceEpoch());
}

QDateTime LocalTime::Make(const QDate& date, const QTime& time)
{
    const QDateTime dt(date, time);
    if (!dt.isValid()) {
        return dt; // inside a gap: kept as chosen
    }
    // When the clocks go back a wall time happens twice, and which one the C library picks
    // depends on its previous call. Always take the first.
    const QDateTime earlier = QDateTime::fromMSecsSinceEpoch(dt.toMSecsSinceEpoch() - 3600 * 1000);
    if (earlier.date() == date && earlier.time() == time) {
        return earlier;
    }
    return dt;
}

QDateTime LocalTime::StripMSecs(const QDateTime& dt)
{
    if (!IsSet(dt) || dt.time().msec() == 0) {
        return dt;
    }
    const QTime t = dt.time();
    if (dt.isValid()) {
        return dt.addMSecs(-t.msec());
    }
    return QDateTime(dt.date(), QTime(t.hour(), t.minute(), t.second()), dt.timeSpec());
}

QString LocalTime::ToIso(const QDateTime& dt)
{
    if (!IsSet(dt)) {
        return QString();
    }
    return dt.date().toString(Qt::ISODate) + QLatin1Char('T') +
           dt.time().toString(QStringLiteral("HH:mm:ss"));
}

QDateTime LocalTime::FromIso(const QString& text)
{
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    if (parsed.isValid()) {
        // A moment written with a zone (by another program) is taken as that moment in local
        // time, so saving it back, without a zone, does not move it.
        const QDateTime local = parsed.timeSpec() == Qt::LocalTime ? parsed : parsed.toLocalTime();
        return Make(local.date(), local.time());
    }
    // A wall time inside a daylight-saving gap: Qt refuses it, the user chose it.
    const int t = text.indexOf(QLatin1Char('T'));
    if (t < 0) {
        return parsed;
    }
    const QDate date = QDate::fromString(text.left(t), Qt::ISODate);
    const QTime time = QTime::fromString(text.mid(t + 1), Qt::ISODate);
    if (!date.isValid() || !time.isValid()) {
        return parsed;
    }
    return Make(date, time);
}
