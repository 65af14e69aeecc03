// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/roworder.h"

#include "core/events/localtime.h"

#include <algorithm>
#include <numeric>

namespace {
struct Key
{
    QString title;
    qint64 number = 0;
    qint64 second = 0;
};

// A period's rough length in minutes, enough to put every 2 days before every 1 week.
qint64 Length(const AffairPeriod& p)
{
    return qint64(p.year) * 525960 + qint64(p.month) * 43830 + qint64(p.day) * 1440 + qint64(p.hour) * 60 +
           p.minute;
}
} // namespace

QList<int> RowOrder::Sorted(const AffairList& list, int column, Qt::SortOrder order)
{
    QList<int> rows(list.Count());
    std::iota(rows.begin(), rows.end(), 0);
    if (column < 0 || column > 4) {
        return rows;
    }
    QList<Key> keys;
    keys.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        AffairInfo record = list.At(i);
        const QDateTime next = record.GetNextTime();
        Key key;
        switch (column) {
        case 0:
            key.title = record.GetAffairTitle();
            break;
        case 1:
            key.number = LocalTime::Seconds(next);
            break;
        case 2:
            key.number = next.time().isValid() ? next.time().msecsSinceStartOfDay() : -1;
            key.second = LocalTime::Seconds(next);
            break;
        case 3:
            key.number = Length(record.GetPeriod());
            break;
        default:
            key.number = record.IsActive() ? 1 : 0;
        }
        keys.append(key);
    }
    auto less = [&keys, column](int a, int b) {
        const Key& x = keys.at(a);
        const Key& y = keys.at(b);
        if (column == 0) {
            return QString::localeAwareCompare(x.title, y.title) < 0;
        }
        return x.number != y.number ? x.number < y.number : x.second < y.second;
    };
    if (order == Qt::AscendingOrder) {
        std::stable_sort(rows.begin(), rows.end(), less);
    } else {
        std::stable_sort(rows.begin(), rows.end(), [&less](int a, int b) { return less(b, a); });
    }
    return rows;
}
