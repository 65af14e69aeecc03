// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/nextreminder.h"

#include "core/events/localtime.h"

#include <QCoreApplication>
#include <QLocale>
#include <limits>

namespace {
constexpr qint64 Never = std::numeric_limits<qint64>::max();

QList<qint64> Moments(const AffairList& list, int* first)
{
    QList<qint64> moments;
    moments.reserve(list.Count());
    *first = -1;
    for (int i = 0; i < list.Count(); ++i) {
        const AffairInfo record = list.At(i);
        qint64 at = record.IsArmed() ? record.NextSecs() : Never;
        if (record.SnoozeSecs() != 0) {
            at = qMin(at, record.SnoozeSecs());
        }
        moments.append(at);
        if (at != Never && (*first < 0 || at < moments.at(*first))) {
            *first = i;
        }
    }
    return moments;
}
} // namespace

int NextReminder::First(const AffairList& list, qint64* at)
{
    int first = -1;
    const QList<qint64> moments = Moments(list, &first);
    if (first >= 0) {
        *at = moments.at(first);
    }
    return first;
}

QString NextReminder::ToolTip(const AffairList& list, const QDateTime& now)
{
    int first = -1;
    const QList<qint64> moments = Moments(list, &first);
    if (first < 0) {
        return QCoreApplication::translate("NextReminder", "Pennibell");
    }
    const QDateTime next = LocalTime::FromSecs(moments.at(first));
    // A title may hold line breaks; the tooltip keeps to its two lines.
    const QString title = list.At(first).GetAffairTitle().simplified();
    QString text = QCoreApplication::translate("NextReminder", "Next: %1, %2")
                       .arg(title, QLocale().toString(next, QStringLiteral("ddd d MMM HH:mm")));
    if (next.date() != now.date()) {
        return text;
    }
    int more = 0;
    for (int i = 0; i < moments.size(); ++i) {
        if (i != first && moments.at(i) != Never && LocalTime::FromSecs(moments.at(i)).date() == now.date()) {
            ++more;
        }
    }
    if (more > 0) {
        text += QLatin1Char('\n') +
                QCoreApplication::translate("NextReminder", "%n more due today", nullptr, more);
    }
    return text;
}
