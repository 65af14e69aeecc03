// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/screensize.h"

// Screens and a pointer a test chooses. set() puts them in place of whatever answers now;
// reset() brings that back.
class MockScreens : public ScreenSize
{
public:
    // One screen of that many pixels at 1:1, the pointer on it.
    static void set(const QSize& size) { set({Screen{QRect(QPoint(0, 0), size), 1.0}}, QPoint(0, 0)); }
    static void set(const QList<Screen>& screens, const QPoint& pointer)
    {
        static MockScreens mock;
        mock.List = screens;
        mock.At = pointer;
        if (Installed() != &mock) {
            Previous = Installed();
            Install(&mock);
        }
        Current = &mock;
    }
    static void reset()
    {
        if (Current && Installed() == Current) {
            Install(Previous);
        }
        Current = nullptr;
    }

protected:
    QList<Screen> Screens() const override { return List; }
    QPoint Pointer() const override { return At; }

private:
    QList<Screen> List;
    QPoint At;
    static inline const ScreenSize* Previous = nullptr;
    static inline const MockScreens* Current = nullptr;
};
