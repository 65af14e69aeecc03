// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"

// Push: the whole picture slides in from outside the screen in one of eight directions
// (0 Up, 1 Down, 2 Left, 3 Right, 4 Left-Up, 5 Right-Up, 6 Left-Down, 7 Right-Down) and comes to
// rest at its place after about thirty steps.
class EntryEffect : public AnimationEffect
{
public:
    int Init(QList<QVariant> params) override;
    bool Step() override;

private:
    double stepY = 0.0;
    double stepX = 0.0;
    int direction = 0;
    // Distance still to travel; counts down from the screen size to 0.
    double remainingX = 0.0;
    double remainingY = 0.0;
};
