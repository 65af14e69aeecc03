// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Counts of each unit between two occurrences; all zero means only once.
// A weekly period is stored as 7 x weeks days.
struct AffairPeriod
{
    enum class Unit
    {
        Once,
        Year,
        Month,
        Week,
        Day,
        Hour,
        Minute
    };

    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;

    bool IsOnce() const { return qint64(year) + month + day + hour + minute == 0; }
    bool HasNegative() const { return year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0; }
    // The unit a period is shown and edited in: the first count above zero, largest unit first,
    // so a hand-made record with several counts shows only the largest; days that make whole
    // weeks are weeks. Negative counts (a damaged file) never count.
    Unit MainUnit() const
    {
        if (year > 0) {
            return Unit::Year;
        }
        if (month > 0) {
            return Unit::Month;
        }
        if (day > 0) {
            return day % 7 == 0 ? Unit::Week : Unit::Day;
        }
        if (hour > 0) {
            return Unit::Hour;
        }
        return minute > 0 ? Unit::Minute : Unit::Once;
    }
    // The count in MainUnit(); 0 for Once.
    qint32 UnitCount() const
    {
        switch (MainUnit()) {
        case Unit::Year:
            return year;
        case Unit::Month:
            return month;
        case Unit::Week:
            return day / 7;
        case Unit::Day:
            return day;
        case Unit::Hour:
            return hour;
        case Unit::Minute:
            return minute;
        case Unit::Once:
            break;
        }
        return 0;
    }
    static AffairPeriod Of(Unit unit, qint32 count)
    {
        AffairPeriod p;
        switch (unit) {
        case Unit::Year:
            p.year = count;
            break;
        case Unit::Month:
            p.month = count;
            break;
        case Unit::Week:
            p.day = 7 * count;
            break;
        case Unit::Day:
            p.day = count;
            break;
        case Unit::Hour:
            p.hour = count;
            break;
        case Unit::Minute:
            p.minute = count;
            break;
        case Unit::Once:
            break;
        }
        return p;
    }

    bool operator==(const AffairPeriod& o) const
    {
        return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute;
    }
    bool operator!=(const AffairPeriod& o) const { return !(*this == o); }
};
