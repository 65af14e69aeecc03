// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectreckon.h"

#include "core/effects/bounceeffect.h"
#include "core/effects/entryeffect.h"
#include "core/effects/maskeffect.h"
#include "core/effects/shuttereffect.h"

EffectReckon::EffectReckon() = default;

EffectReckon::~EffectReckon() = default;

int EffectReckon::Init(QList<QVariant> params)
{
    ResetBase();
    // A failed Init must not leave the previous effect behind a fresh base state.
    DeleteEffects();
    if (params.size() < 2) {
        return -1;
    }
    return CreateEffect(params.at(0).toInt(), params.at(1).toInt());
}

int EffectReckon::CreateEffect(int type, int direction)
{
    DeleteEffects();
    moving = false;
    masking = false;
    const QList<QVariant> params{direction};
    AnimationEffect* made = nullptr;
    switch (type) {
    case 0:
        entryEffect = std::make_unique<EntryEffect>();
        made = entryEffect.get();
        break;
    case 1:
        maskEffect = std::make_unique<MaskEffect>();
        made = maskEffect.get();
        break;
    case 2:
        shutterEffect = std::make_unique<ShutterEffect>();
        made = shutterEffect.get();
        break;
    case 3:
        bounceEffect = std::make_unique<BounceEffect>();
        made = bounceEffect.get();
        break;
    default:
        return 0;
    }
    const int result = made->Init(params);
    if (result != 0) {
        // An effect refused its direction: nothing usable to run.
        DeleteEffects();
        return result;
    }
    moving = made->IsMoving();
    masking = made->IsMasking();
    return result;
}

bool EffectReckon::Step()
{
    AnimationEffect* effect = nullptr;
    if (bounceEffect) {
        effect = bounceEffect.get();
    } else if (entryEffect) {
        effect = entryEffect.get();
    } else if (maskEffect) {
        effect = maskEffect.get();
    } else if (shutterEffect) {
        effect = shutterEffect.get();
    }
    if (!effect) {
        // Nothing to animate: the picture is at rest, and whoever drives us must be told so.
        finished = true;
        return false;
    }
    const bool r = effect->Step();
    if (effect->IsMoving()) {
        offset = effect->Offset();
    }
    if (effect->IsMasking()) {
        hiddenRects = effect->HiddenRects();
    }
    finished = !r;
    return r;
}

bool EffectReckon::HasEffect() const
{
    return bounceEffect || entryEffect || maskEffect || shutterEffect;
}

void EffectReckon::DeleteEffects()
{
    bounceEffect.reset();
    entryEffect.reset();
    maskEffect.reset();
    shutterEffect.reset();
}
