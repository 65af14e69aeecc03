// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"
#include "core/effects/effectchoice.h"

#include <memory>

// The effect of an effect window: turns an event's effect choice into one concrete effect and
// mirrors its geometry frame by frame.
class EffectReckon : public AnimationEffect
{
public:
    EffectReckon();
    ~EffectReckon() override;

    // [type code, direction code]. -1 for a shorter list, -2 for a direction the effect does not
    // have, 0 otherwise, also for an unknown type code. Only a result of 0 with a known type
    // leaves an effect to run (HasEffect); without one, Step finishes at once.
    int Init(QList<QVariant> params) override;
    int CreateEffect(int type, int direction);
    int CreateEffect(const EffectChoice& choice);
    bool Step() override;

    bool HasEffect() const { return effect != nullptr; }

private:
    std::unique_ptr<AnimationEffect> effect;
};
