// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// Local wall-clock date-times that keep the time the user chose even when it falls into a
// daylight-saving gap. Qt 6 marks such a date-time invalid but still holds its date and time
// and maps it to the moment after the gap (02:30 on the spring-forward night fires at
// 03:30); counting periods on the wall clock keeps later occurrences at 02:30.
//
// Qt's own local-time conversions ask the C library, which re-reads the zone file on every
// call when TZ is unset. The zone's rules are kept in memory here instead, and the
// date-times made here carry their offset from UTC, so converting them costs nothing. A
// change of the system zone is noticed when the clock is read (see FromClock).
class LocalTime
{
public:
    // A date and a time are there (the date-time may still lie in a gap).
    static bool IsSet(const QDateTime& dt);
    // Whole seconds since the epoch; the smallest value for one that is not set, so it
    // counts as earlier than every other. A date-time whose offset the current zone no
    // longer gives for its wall time (the zone changed) is read by its wall time.
    static qint64 Seconds(const QDateTime& dt);
    // The local date-time of a moment.
    static QDateTime FromSecs(qint64 secs);
    // The local date-time of a moment read from the clock. Reading the clock is when a
    // change of zone is noticed: a new TZ at once, a new system zone within a minute.
    static QDateTime FromClock(qint64 msecs);
    // How many changes of zone have been noticed so far.
    static quint64 ZoneChanges();
    // The same moment as a valid local date-time (a gap time moved past the gap).
    static QDateTime Normalized(const QDateTime& dt);
    // A local date-time from the wall clock; of a time that happens twice (clocks put back),
    // always the first.
    static QDateTime Make(const QDate& date, const QTime& time);
    static QDateTime StripMSecs(const QDateTime& dt);
    // ISO 8601 without fraction or zone, e.g. 2009-12-21T08:00:00; empty when not set.
    static QString ToIso(const QDateTime& dt);
    static QDateTime FromIso(const QString& text);
};
