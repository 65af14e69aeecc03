// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/animationeffect.h"

#include <memory>

class BounceEffect;
class EntryEffect;
class MaskEffect;
class ShutterEffect;

// The effect of an effect window: turns an event's (type code, direction code) into one concrete
// effect and mirrors its geometry frame by frame. Type codes: 0 Push, 1 Spread, 2 Blinds, 3 Bounce.
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
    bool Step() override;

    bool HasEffect() const;

private:
    void DeleteEffects();

    std::unique_ptr<BounceEffect> bounceEffect;
    std::unique_ptr<EntryEffect> entryEffect;
    std::unique_ptr<MaskEffect> maskEffect;
    std::unique_ptr<ShutterEffect> shutterEffect;
};
