// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"

// Bounce: the picture drops from above the screen under constant gravity, bounces back to 70 per
// cent of each height, and once a bounce is five pixels or less settles with a short vibration.
// It takes no direction.
class BounceEffect : public AnimationEffect
{
public:
    int Init(QList<QVariant> params) override;
    bool Step() override;

    double DropHeight() const { return dropHeight; }
    int Lift() const { return lift; }
    double Velocity() const { return velocity; }
    double Gravity() const { return gravity; }

private:
    double dropHeight = 0.0;
    int lift = 0;
    double velocity = 0.0;
    double gravity = 0.0;
};
