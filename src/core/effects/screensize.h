// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The screens the canvas, the effects and the effect window are laid out on, and where the mouse
// pointer is. Tests set them, so nothing depends on the machine's screens.
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

    // The primary screen's size in device pixels.
    static QSize get();
    // Every screen, the primary first; never empty.
    static QList<Screen> screens();
    static QPoint pointer();

    // One screen of that many pixels at 1:1, the pointer on it.
    static void setOverride(const QSize& size);
    static void setOverride(const QList<Screen>& screens, const QPoint& pointer);
    static void clearOverride();
};
