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
    effect.reset();
    if (params.size() < 2) {
        return -1;
    }
    return CreateEffect(params.at(0).toInt(), params.at(1).toInt());
}

int EffectReckon::CreateEffect(int type, int direction)
{
    effect.reset();
    moving = false;
    masking = false;
    if (type < EffectChoice::Push || type > EffectChoice::Bounce) {
        return 0;
    }
    const std::optional<EffectChoice> choice = EffectChoice::FromCodes(type, direction);
    return choice ? CreateEffect(*choice) : -2;
}

int EffectReckon::CreateEffect(const EffectChoice& choice)
{
    effect.reset();
    moving = false;
    masking = false;
    std::unique_ptr<AnimationEffect> made;
    switch (choice.kind) {
    case EffectChoice::Push:
        made = std::make_unique<EntryEffect>();
        break;
    case EffectChoice::Spread:
        made = std::make_unique<MaskEffect>();
        break;
    case EffectChoice::Blinds:
        made = std::make_unique<ShutterEffect>();
        break;
    case EffectChoice::Bounce:
        made = std::make_unique<BounceEffect>();
        break;
    }
    made->SetScreen(screen);
    const int result = made->Init({choice.direction});
    if (result != 0) {
        // An effect refused its direction: nothing usable to run.
        return result;
    }
    moving = made->IsMoving();
    masking = made->IsMasking();
    effect = std::move(made);
    return result;
}

bool EffectReckon::Step()
{
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
