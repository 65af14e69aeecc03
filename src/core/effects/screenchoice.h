// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/screensize.h"

// Which screens show a reminder, and where one goes when its screen is unplugged. Indexes are
// into a list of screens with the primary first, as ScreenSize gives them.
class ScreenChoice
{
public:
    // The "Show reminders on" option, as the options file stores it.
    enum Where
    {
        Primary = 0,
        UnderPointer = 1,
        Every = 2
    };

    // The screen the pointer is on; the primary when it is on none (between screens).
    static int AtPointer(const QList<ScreenSize::Screen>& screens, const QPoint& pointer);
    static QList<int> For(Where where, const QList<ScreenSize::Screen>& screens, const QPoint& pointer);
    // A remaining screen for a window whose screen went away, the primary first, skipping screens
    // that already show this reminder (`taken`, by geometry); -1 when every one does.
    static int Replacement(const QList<ScreenSize::Screen>& remaining, const QList<QRect>& taken);
};
