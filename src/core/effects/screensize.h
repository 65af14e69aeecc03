// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The screens the canvas, the effects and the effect window are laid out on, and where the mouse
// pointer is. The core only asks; what answers is installed from outside (the display at start,
// a stand-in in tests), so nothing here depends on the machine's screens.
class ScreenSize
{
public:
    struct Screen
    {
        // In the desktop's own (device-independent) coordinates.
        QRect geometry;
        // Device pixels per unit of geometry: 2 on a screen scaled to 200 %.
        double ratio = 1.0;
        // The screen's size in device pixels, what a picture is drawn and shown at.
        QSize Pixels() const;
    };

    virtual ~ScreenSize();

    // The primary screen's size in device pixels.
    static QSize get();
    // Every usable screen, the primary first; never empty: without a display, one of 1280 x 1024.
    static QList<Screen> screens();
    static QPoint pointer();

    // What screens() and pointer() ask from now on; not owned, and uninstalled when it goes.
    // nullptr: no display.
    static void Install(const ScreenSize* source);

protected:
    static const ScreenSize* Installed();

    // Every screen, the primary first.
    virtual QList<Screen> Screens() const = 0;
    virtual QPoint Pointer() const = 0;
};
