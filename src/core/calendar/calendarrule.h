// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairperiod.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QString>

// Between the program's recurrence and an iCalendar RRULE. Only rules that mean exactly what
// the program does pass either way; everything else is named, never bent into something close.
class CalendarRule
{
    Q_DECLARE_TR_FUNCTIONS(CalendarRule)

public:
    // How DTSTART must be written for the rule to mean the program's occurrences.
    enum class Start
    {
        // In the system zone's wall clock: calendar steps keep the time of day.
        Local,
        // As a moment in UTC: steps shorter than a day are elapsed time, whatever the clocks do.
        Utc
    };

    // The RRULE value for a period from a first moment on `first` (empty for a once-only event).
    static QByteArray Export(const AffairPeriod& period, const QDate& first, Start* start);

    // The period for an RRULE value read from a file, for an event whose first moment falls on
    // `first`. False with `reason` saying, in the user's words, what the program cannot repeat
    // that way ("repeats on weekdays only").
    static bool Import(const QByteArray& rrule, const QDate& first, AffairPeriod* period, QString* reason);
};
