// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairinfo.h"

#include "core/events/clock.h"
#include "core/events/localtime.h"

#include <limits>

namespace {

quint64 g_addPeriodCalls = 0;

// The stored counts are 32-bit: a product outside that range only comes from a damaged
// record, and is refused instead of wrapping around.
bool product32(qint32 unit, qint64 count, qint64* out)
{
    qint64 p = 0;
    if (__builtin_mul_overflow(qint64(unit), count, &p)) {
        return false;
    }
    if (p > std::numeric_limits<qint32>::max() || p < std::numeric_limits<qint32>::min()) {
        return false;
    }
    *out = p;
    return true;
}

} // namespace

AffairInfo::AffairInfo()
{
    Reset();
}

void AffairInfo::Reset()
{
    AffairID = QString();
    AffairTitle = QString();
    PicPath = QString();
    Armed = false;
    Active = false;
    NextSeconds = 0;
    Snooze = 0;
    Period = AffairPeriod();
    Effect = EffectChoice();
    CalendarUid = QString();
}

void AffairInfo::SetInfo(const QString& id, const QString& title, const QDateTime& user, qint32 year,
                         qint32 month, qint32 day, qint32 hour, qint32 minute)
{
    AffairID = id;
    AffairTitle = title.left(MaxTitleLength);
    UserDateTime = user;
    Period.year = year;
    Period.month = month;
    Period.day = day;
    Period.hour = hour;
    Period.minute = minute;
    Active = ComputeNextTime();
}

QDateTime AffairInfo::AddPeriod(const QDateTime& base, const AffairPeriod& period, qint64 count)
{
    ++g_addPeriodCalls;
    if (!LocalTime::IsSet(base)) {
        return QDateTime();
    }
    // Calendar counts move the wall-clock date and keep the wall-clock time.
    QDate date = base.date();
    const QTime time = base.time();
    qint64 n = 0;
    // QDate adds years and months to its own int fields: keep products far from their limits.
    if (period.year > 0) {
        if (!product32(period.year, count, &n) || qAbs(n) > 100000000) {
            return QDateTime();
        }
        date = date.addYears(int(n));
    }
    if (period.month > 0) {
        if (!product32(period.month, count, &n) || qAbs(n) > 1200000000) {
            return QDateTime();
        }
        date = date.addMonths(int(n));
    }
    if (period.day > 0) {
        if (!product32(period.day, count, &n)) {
            return QDateTime();
        }
        date = date.addDays(n);
    }
    const qint64 s = qint64(period.hour) * 3600 + qint64(period.minute) * 60;
    if (s > std::numeric_limits<qint32>::max()) {
        return QDateTime();
    }
    qint64 rest = 0;
    if (s > 0) {
        qint64 total = 0;
        if (__builtin_mul_overflow(count, s, &total)) {
            return QDateTime();
        }
        date = date.addDays(total / 86400);
        rest = total % 86400;
    }
    if (!date.isValid()) {
        return QDateTime();
    }
    // Without a calendar move the base keeps its own moment: in the hour that happens twice
    // when the clocks go back, the wall clock alone cannot tell which of the two it is.
    const QDateTime wall = date == base.date() ? base : LocalTime::Make(date, time);
    if (rest == 0) {
        return wall;
    }
    // The rest is elapsed time, so it goes through the real moment.
    return LocalTime::FromSecs(LocalTime::Seconds(wall) + rest);
}

bool AffairInfo::Expire()
{
    NextDateTime = LocalTime::Normalized(UserDateTime);
    NextSeconds = 0;
    Active = false;
    return false;
}

bool AffairInfo::Settle(const QDateTime& next)
{
    NextDateTime = LocalTime::Normalized(next);
    NextSeconds = LocalTime::Seconds(next);
    Active = true;
    return true;
}

bool AffairInfo::ComputeNextTime()
{
    return ComputeNextTime(Clock::now());
}

bool AffairInfo::ComputeNextTime(const QDateTime& nowIn)
{
    const qint64 now = LocalTime::Seconds(LocalTime::StripMSecs(nowIn));
    UserDateTime = LocalTime::StripMSecs(UserDateTime);
    const QDateTime& U = UserDateTime;
    const AffairPeriod& P = Period;
    auto secs = [](const QDateTime& dt) { return LocalTime::Seconds(dt); };

    // A damaged record (negative counts, a recurring one without a first moment, products
    // beyond the 32-bit counts) would make the loops below stand still: it is expired.
    if (P.HasNegative()) {
        return Expire();
    }
    // A period shorter than a day, made of hours and minutes, is counted as elapsed time:
    // through AddPeriod its whole days would become calendar days, and after a daylight-saving
    // change the occurrences would run back over an hour (shown twice) or jump one.
    const qint64 span = qint64(P.hour) * 3600 + qint64(P.minute) * 60;
    const bool elapsed = P.year == 0 && P.month == 0 && P.day == 0 && span < 86400;
    const qint64 base = secs(U);
    auto multiple = [&](qint64 count) {
        if (!elapsed) {
            return AddPeriod(U, P, count);
        }
        ++g_addPeriodCalls;
        qint64 offset = 0;
        if (__builtin_mul_overflow(count, span, &offset)) {
            return QDateTime();
        }
        return LocalTime::FromSecs(base + offset);
    };
    QDateTime T;
    if (!P.IsOnce()) {
        T = multiple(20);
        if (!LocalTime::IsSet(U) || !LocalTime::IsSet(T)) {
            return Expire();
        }
    }
    if (now < secs(U)) {
        return Settle(U);
    }
    if (P.IsOnce()) {
        return Expire();
    }

    // Every occurrence is U + k periods, counted from U in both branches: stepping from an
    // earlier, already clamped occurrence would keep a 31st on the 28th for ever, and the two
    // branches would disagree (one event due on two days of a month).
    if (now < secs(T)) {
        for (qint64 k = 1; k < 20; ++k) {
            const QDateTime next = multiple(k);
            if (!LocalTime::IsSet(next)) {
                return Expire();
            }
            if (secs(next) > now) {
                return Settle(next);
            }
        }
        return Settle(T);
    }

    // At least 20 periods: double the count until past now, then bisect for the first
    // count past now.
    qint64 k = 1;
    QDateTime next;
    do {
        if (k > (std::numeric_limits<qint64>::max() / 4)) {
            return Expire();
        }
        k *= 2;
        next = multiple(k);
        if (!LocalTime::IsSet(next)) {
            return Expire();
        }
    } while (secs(next) <= now);

    qint64 lo = k / 2;
    qint64 hi = k;
    while (hi - lo > 1) {
        const qint64 mid = lo + (hi - lo) / 2;
        const QDateTime at = multiple(mid);
        if (secs(at) <= now) {
            lo = mid;
        } else {
            hi = mid;
            next = at;
        }
    }
    return Settle(next);
}

QDateTime AffairInfo::GetNextTime()
{
    if (!Armed) {
        ComputeNextTime();
    }
    return NextDateTime;
}

bool AffairInfo::Rearm()
{
    return Rearm(Clock::now());
}

bool AffairInfo::Rearm(const QDateTime& now)
{
    const bool r = ComputeNextTime(now);
    Active = r;
    Armed = r;
    return r;
}

bool AffairInfo::IsDueAt(qint64 nowSecs, const QDateTime& now)
{
    // A tick that comes late still catches the occurrence: due means "not later than now".
    if (!Armed || NextSeconds > nowSecs) {
        return false;
    }
    Rearm(now);
    return true;
}

quint64 AffairInfo::AddPeriodCalls()
{
    return g_addPeriodCalls;
}

void AffairInfo::ResetAddPeriodCalls()
{
    g_addPeriodCalls = 0;
}
