// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"

// Spread: the picture stays in place and is uncovered from one edge or corner; a hidden band
// (two bands for the diagonal directions) shrinks until nothing is hidden. Directions as for Push.
class MaskEffect : public AnimationEffect
{
public:
    int Init(QList<QVariant> params) override;
    bool Step() override;

private:
    double stepY = 0.0;
    double stepX = 0.0;
    double remainingHeight = 0.0;
    double remainingWidth = 0.0;
    int direction = 0;
};
