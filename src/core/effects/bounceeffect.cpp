// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/bounceeffect.h"

#include <cmath>

int BounceEffect::Init(QList<QVariant> params)
{
    Q_UNUSED(params);
    ResetBase();
    moving = true;
    velocity = 0;
    // Both from the width: on a wide screen the picture starts wholly above the top edge.
    gravity = screenWidth / 60.0;
    dropHeight = screenWidth;
    lift = static_cast<int>(screenWidth);
    return 0;
}

bool BounceEffect::Step()
{
    if (dropHeight > 5.0) {
        velocity += gravity;
        // The drop height less the distance fallen since the top of this bounce.
        lift = static_cast<int>((dropHeight * gravity - 0.5 * velocity * velocity) / gravity);
        if (lift < 0) {
            dropHeight *= 0.7;
            // Upwards, just fast enough to rise to the new height.
            velocity = -std::sqrt(2.0 * gravity * dropHeight);
            lift = 0;
        }
    } else {
        const int n = static_cast<int>(dropHeight);
        if (n > 0) {
            if (lift <= 0) {
                dropHeight *= 0.9;
                lift = static_cast<int>(dropHeight);
            } else {
                lift = 0;
            }
        } else {
            finished = true;
        }
    }
    offset = QPointF(0, -lift);
    return !finished;
}
