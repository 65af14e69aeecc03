// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

// The size of the screen the canvas, the effects and the effect window share.
// Tests set it, so nothing depends on the machine's screen.
class ScreenSize
{
public:
    static QSize get();
    static void setOverride(const QSize& size);
    static void clearOverride();
};
