// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectchoice.h"

int EffectChoice::DirectionCount(Kind kind)
{
    switch (kind) {
    case Push:
    case Spread:
        return 8;
    case Blinds:
        return 2;
    default:
        return 1;
    }
}

std::optional<EffectChoice> EffectChoice::FromCodes(int type, int direction)
{
    if (type < Push || type > Bounce) {
        return std::nullopt;
    }
    const Kind kind = Kind(type);
    if (kind == Bounce) {
        return EffectChoice{Bounce, 0};
    }
    // Negative codes too are out of range.
    if (static_cast<unsigned>(direction) >= static_cast<unsigned>(DirectionCount(kind))) {
        return std::nullopt;
    }
    return EffectChoice{kind, direction};
}
