// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// What the user may do with a reminder on screen besides clicking it away: the same choices on
// the reminder's own menu and in the tray's.
class SnoozeChoice
{
public:
    enum Choice
    {
        Dismiss,
        FiveMinutes,
        FifteenMinutes,
        OneHour,
        Tomorrow
    };

    static QList<Choice> All();
    // The menu text, translated.
    static QString Text(Choice choice);
    // When the reminder comes back, in whole seconds since the epoch; 0 for Dismiss. Minutes and
    // the hour are elapsed time; tomorrow is the same wall-clock time on the next day, so it
    // stays at 09:00 across a daylight-saving change.
    static qint64 Until(Choice choice, const QDateTime& now);
};
