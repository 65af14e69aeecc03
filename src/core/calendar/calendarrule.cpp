// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarrule.h"

#include <QCoreApplication>
#include <algorithm>
#include <libical/ical.h>

namespace {

QByteArray rule(const char* freq, qint64 interval)
{
    QByteArray text = QByteArray("FREQ=") + freq;
    if (interval != 1) {
        text += ";INTERVAL=" + QByteArray::number(interval);
    }
    return text;
}

// The values of one BY... list, up to libical's end marker.
template <size_t N> QList<int> values(const short (&list)[N])
{
    QList<int> out;
    for (size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        out.append(list[i]);
    }
    return out;
}

// libical numbers weekdays from Sunday = 1, Qt from Monday = 1.
int icalWeekday(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

QString dayReason(const QList<int>& days)
{
    QList<int> plain;
    for (int d : days) {
        if (icalrecurrencetype_day_position(short(d)) != 0) {
            return CalendarRule::tr("repeats on a weekday of the month");
        }
        plain.append(int(icalrecurrencetype_day_day_of_week(short(d))));
    }
    std::sort(plain.begin(), plain.end());
    if (plain == QList<int>{2, 3, 4, 5, 6}) {
        return CalendarRule::tr("repeats on weekdays only");
    }
    return CalendarRule::tr("repeats on chosen days of the week");
}

} // namespace

QByteArray CalendarRule::Export(const AffairPeriod& p, const QDate& first, Start* start)
{
    *start = Start::Local;
    if (p.IsOnce() || p.HasNegative()) {
        return QByteArray();
    }
    const qint64 months = qint64(p.year) * 12 + p.month;
    const qint64 seconds = qint64(p.day) * 86400 + qint64(p.hour) * 3600 + qint64(p.minute) * 60;
    if (months > 0 && seconds > 0) {
        // Months and days together only come from a hand-made file; the editor shows and keeps
        // the largest unit alone, and so does the export.
        return Export(AffairPeriod::Of(p.MainUnit(), p.UnitCount()), first, start);
    }
    if (months > 0) {
        QByteArray text = p.month == 0 ? rule("YEARLY", p.year) : rule("MONTHLY", months);
        // The program keeps to the first moment's day and takes the month's last day when a
        // month is shorter; a plain rule from the 29th to 31st would skip those months.
        if (first.month() == 2 && first.day() == 29 && months % 12 == 0) {
            text += p.month == 0 ? ";BYMONTH=2;BYMONTHDAY=29,-1;BYSETPOS=1" : ";BYMONTHDAY=29,-1;BYSETPOS=1";
        } else if (first.day() == 31) {
            text += ";BYMONTHDAY=-1";
        } else if (first.day() >= 29) {
            text += ";BYMONTHDAY=" + QByteArray::number(first.day()) + ",-1;BYSETPOS=1";
        }
        return text;
    }
    if (seconds % 86400 == 0) {
        const qint64 days = seconds / 86400;
        return days % 7 == 0 ? rule("WEEKLY", days / 7) : rule("DAILY", days);
    }
    // Hours and minutes under a day are elapsed time in the program: one hour after 01:30 on the
    // night the clocks go back is 02:30 twice. A rule counted from a UTC start says the same;
    // counted on the wall clock it would not.
    if (seconds < 86400) {
        *start = Start::Utc;
    }
    return seconds % 3600 == 0 ? rule("HOURLY", seconds / 3600) : rule("MINUTELY", seconds / 60);
}

bool CalendarRule::Import(const QByteArray& text, const QDate& first, AffairPeriod* period, QString* reason)
{
    auto refuse = [reason](const QString& why) {
        *reason = why;
        return false;
    };
    icalerror_clear_errno();
    const icalrecurrencetype r = icalrecurrencetype_from_string(text.constData());
    if (r.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR) {
        icalerror_clear_errno();
        return refuse(tr("has a repeat rule that cannot be read"));
    }
    if (r.count > 0) {
        return refuse(tr("repeats a fixed number of times"));
    }
    if (!icaltime_is_null_time(r.until)) {
        return refuse(tr("repeats until a date"));
    }
    if (r.rscale != nullptr) {
        return refuse(tr("repeats by another calendar"));
    }
    const int interval = r.interval < 1 ? 1 : r.interval;
    const QList<int> byDay = values(r.by_day);
    const QList<int> byMonthDay = values(r.by_month_day);
    const QList<int> byMonth = values(r.by_month);
    const QList<int> bySetPos = values(r.by_set_pos);
    if (!values(r.by_second).isEmpty() || !values(r.by_minute).isEmpty() || !values(r.by_hour).isEmpty()) {
        return refuse(tr("repeats at chosen times of the day"));
    }
    if (!values(r.by_year_day).isEmpty() || !values(r.by_week_no).isEmpty()) {
        return refuse(tr("repeats on chosen days of the year"));
    }
    const bool lastOfMonth = first.day() == first.daysInMonth();
    const bool leapDay = first.month() == 2 && first.day() == 29;
    const bool dayOrLast = byMonthDay == QList<int>{first.day(), -1} && bySetPos == QList<int>{1};
    const bool onlyFirstDay =
        byMonthDay.isEmpty() || (byMonthDay == QList<int>{first.day()} && bySetPos.isEmpty());
    auto checkMonthDays = [&]() {
        if (onlyFirstDay && bySetPos.isEmpty()) {
            if (first.day() > 28) {
                return refuse(tr("skips the months without day %1").arg(first.day()));
            }
            return true;
        }
        if (dayOrLast || (byMonthDay == QList<int>{-1} && bySetPos.isEmpty() && first.day() == 31)) {
            return true;
        }
        if (byMonthDay == QList<int>{-1} && lastOfMonth) {
            return refuse(tr("repeats on the last day of each month"));
        }
        if (!bySetPos.isEmpty()) {
            return refuse(tr("repeats on a chosen one of several days"));
        }
        return refuse(tr("repeats on chosen days of the month"));
    };

    AffairPeriod p;
    switch (r.freq) {
    case ICAL_YEARLY_RECURRENCE:
        if (!byDay.isEmpty()) {
            return refuse(dayReason(byDay));
        }
        if (!byMonth.isEmpty() && byMonth != QList<int>{first.month()}) {
            return refuse(tr("repeats in chosen months"));
        }
        if (leapDay && !dayOrLast) {
            if (onlyFirstDay && bySetPos.isEmpty()) {
                return refuse(tr("falls on 29 February in leap years only"));
            }
            return refuse(tr("repeats on chosen days of the month"));
        }
        if (!leapDay && (!onlyFirstDay || !bySetPos.isEmpty())) {
            return refuse(tr("repeats on chosen days of the month"));
        }
        p.year = interval;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        if (!byDay.isEmpty()) {
            return refuse(dayReason(byDay));
        }
        if (!byMonth.isEmpty()) {
            return refuse(tr("repeats in chosen months"));
        }
        if (!checkMonthDays()) {
            return false;
        }
        p.month = interval;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        if (!byDay.isEmpty() && byDay != QList<int>{icalWeekday(first)}) {
            return refuse(dayReason(byDay));
        }
        if (!byMonthDay.isEmpty() || !byMonth.isEmpty() || !bySetPos.isEmpty()) {
            return refuse(tr("repeats on chosen days of the month"));
        }
        p.day = 7 * interval;
        break;
    case ICAL_DAILY_RECURRENCE:
    case ICAL_HOURLY_RECURRENCE:
    case ICAL_MINUTELY_RECURRENCE:
        if (!byDay.isEmpty()) {
            return refuse(dayReason(byDay));
        }
        if (!byMonthDay.isEmpty() || !byMonth.isEmpty() || !bySetPos.isEmpty()) {
            return refuse(tr("repeats on chosen days of the month"));
        }
        if (r.freq == ICAL_DAILY_RECURRENCE) {
            p.day = interval;
        } else if (r.freq == ICAL_HOURLY_RECURRENCE) {
            p.hour = interval;
        } else {
            p.minute = interval;
        }
        break;
    case ICAL_SECONDLY_RECURRENCE:
        return refuse(tr("repeats every few seconds"));
    default:
        return refuse(tr("has a repeat rule that cannot be read"));
    }
    *period = p;
    return true;
}
