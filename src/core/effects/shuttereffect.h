// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"

// Blinds: six equal horizontal bands (direction 0) or vertical columns (direction 1) open all at
// once; each hides its upper or left part, which shrinks to nothing over about thirty steps.
class ShutterEffect : public AnimationEffect
{
public:
    int Init(QList<QVariant> params) override;
    bool Step() override;

private:
    int blindCount = 6;
    int direction = 0;
    double stepY = 0.0;
    double stepX = 0.0;
    double blindHeight = 0.0;
    double blindWidth = 0.0;
};
