// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairperiod.h"

#include <QDateTime>
#include <QString>

// How one event reads in the main window's table: the texts of the date, time and period
// columns.
class EventRowText
{
public:
    // "Once", or the first non-zero count with its unit; whole weeks read as weeks.
    static QString PeriodText(const AffairPeriod& period);
    static QString DateText(const QDateTime& moment);
    static QString TimeText(const QDateTime& moment);
};
