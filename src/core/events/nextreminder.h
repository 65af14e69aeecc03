// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QDateTime>
#include <QString>

// The tray icon's tooltip: which reminder comes next, and how many more come later today.
class NextReminder
{
public:
    // "Next: Pay rent, Wed 16 Dec 09:00", and on a second line how many other events fall due
    // later on that same day when it is today. "Pennibell" when nothing is coming. Counts the
    // armed due moments and the snoozes; day and month names follow the locale.
    static QString ToolTip(const AffairList& list, const QDateTime& now);
    // The index of the event that falls due first (its armed moment or its snooze, whichever
    // comes first), with that moment in `at`; -1 when nothing is coming.
    static int First(const AffairList& list, qint64* at);
};
