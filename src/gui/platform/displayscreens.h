// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/screensize.h"

// The display's own screens and the mouse pointer, as the window system reports them.
class DisplayScreens : public ScreenSize
{
protected:
    QList<Screen> Screens() const override;
    QPoint Pointer() const override;
};
