// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Counts of each unit between two occurrences; all zero means only once.
// A weekly period is stored as 7 x weeks days.
struct AffairPeriod
{
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;

    bool IsOnce() const { return qint64(year) + month + day + hour + minute == 0; }
    bool HasNegative() const { return year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0; }
    bool operator==(const AffairPeriod& o) const
    {
        return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute;
    }
    bool operator!=(const AffairPeriod& o) const { return !(*this == o); }
};
