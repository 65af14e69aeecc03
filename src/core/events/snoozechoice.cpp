// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/snoozechoice.h"

#include "core/events/localtime.h"

#include <QCoreApplication>

QList<SnoozeChoice::Choice> SnoozeChoice::All()
{
    return {Dismiss, FiveMinutes, FifteenMinutes, OneHour, Tomorrow};
}

QString SnoozeChoice::Text(Choice choice)
{
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("SnoozeChoice", "Dismiss"),
        QT_TRANSLATE_NOOP("SnoozeChoice", "Again in 5 minutes"),
        QT_TRANSLATE_NOOP("SnoozeChoice", "Again in 15 minutes"),
        QT_TRANSLATE_NOOP("SnoozeChoice", "Again in 1 hour"),
        QT_TRANSLATE_NOOP("SnoozeChoice", "Again tomorrow at this time"),
    };
    return QCoreApplication::translate("SnoozeChoice", texts[choice]);
}

qint64 SnoozeChoice::Until(Choice choice, const QDateTime& nowIn)
{
    const QDateTime now = LocalTime::StripMSecs(nowIn);
    switch (choice) {
    case FiveMinutes:
        return now.toSecsSinceEpoch() + 5 * 60;
    case FifteenMinutes:
        return now.toSecsSinceEpoch() + 15 * 60;
    case OneHour:
        return now.toSecsSinceEpoch() + 3600;
    case Tomorrow:
        // A wall time that does not exist tomorrow (clocks put forward) comes right after the gap.
        return LocalTime::Seconds(LocalTime::Make(now.date().addDays(1), now.time()));
    case Dismiss:
        break;
    }
    return 0;
}
