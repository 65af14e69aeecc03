// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/missedreminders.h"

#include <algorithm>
#include <limits>

namespace {
constexpr qint64 Never = std::numeric_limits<qint64>::max();

// The first occurrence after t.
qint64 NextAfter(AffairInfo& record, qint64 t)
{
    return record.ComputeNextTime(QDateTime::fromSecsSinceEpoch(t)) ? record.NextSecs() : Never;
}
} // namespace

qint64 MissedReminders::LastOccurrence(AffairInfo record, qint64 afterSecs, qint64 upToSecs)
{
    const qint64 first = NextAfter(record, afterSecs);
    if (first > upToSecs) {
        return 0;
    }
    // The last occurrence is the earliest moment from which the next one is the one after
    // upToSecs. Searched over time with the recurrence rule itself, so it holds for whatever
    // the rule does at month ends and daylight-saving changes, without stepping through every
    // minute of a long absence.
    const qint64 after = NextAfter(record, upToSecs);
    qint64 lo = first;
    qint64 hi = upToSecs;
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        if (NextAfter(record, mid) == after) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

QList<MissedReminders::Entry> MissedReminders::Between(const AffairList& list, qint64 lastSecs,
                                                       qint64 nowSecs)
{
    QList<Entry> missed;
    for (int i = 0; i < list.Count(); ++i) {
        const AffairInfo record = list.At(i);
        if (record.GetAffairID().isEmpty()) {
            continue;
        }
        qint64 when = LastOccurrence(record, lastSecs, nowSecs);
        const qint64 snooze = record.SnoozeSecs();
        if (snooze > lastSecs && snooze <= nowSecs) {
            when = qMax(when, snooze);
        }
        if (when != 0) {
            missed.append({record, QDateTime::fromSecsSinceEpoch(when)});
        }
    }
    std::stable_sort(missed.begin(), missed.end(),
                     [](const Entry& a, const Entry& b) { return a.When < b.When; });
    return missed;
}
