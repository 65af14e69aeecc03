// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the desktop blends translucent windows with what lies below them. Without that, a
// half-transparent pixel shows as a dark one, so reminders then keep to fully drawn or fully
// transparent pixels and leave the edge to the window's shape.
class Compositing
{
public:
    // Asked afresh each time: a compositor may come or go while the program runs.
    static bool Active();
};
