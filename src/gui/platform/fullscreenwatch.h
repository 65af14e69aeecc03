// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/screenchoice.h"
#include "core/effects/screensize.h"

#include <QList>

// Whether another program's window is full screen where a reminder would show: a presentation,
// a film, a game or a video call that a picture would cover. Asked of the X server's window
// manager (the active window and its full-screen state); cheap enough to ask once a second.
// Where that cannot be asked (another platform, no window manager), never.
class FullScreenWatch
{
public:
    // On any of the screens that the "Show reminders on" choice gives.
    static bool OtherFullScreen(ScreenChoice::Where where);
    // On any of these screens.
    static bool OtherFullScreen(const QList<ScreenSize::Screen>& screens);
};
