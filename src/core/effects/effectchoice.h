// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// One effect as the program handles it: its kind and its direction. Events store the pair as two
// numbers (type code and direction code), which are the enumerators' values.
struct EffectChoice
{
    enum Kind
    {
        Push = 0,
        Spread = 1,
        Blinds = 2,
        Bounce = 3
    };
    // Push and Spread: where the picture travels or grows.
    enum Direction
    {
        Up = 0,
        Down = 1,
        Left = 2,
        Right = 3,
        LeftUp = 4,
        RightUp = 5,
        LeftDown = 6,
        RightDown = 7
    };
    // Blinds.
    enum Orientation
    {
        Horizontal = 0,
        Vertical = 1
    };

    // The default, the one effect for whatever names none: a record without one, a stored pair
    // no effect has, no row chosen in a list.
    Kind kind = Bounce;
    // A Direction for Push and Spread, an Orientation for Blinds, 0 for Bounce.
    int direction = 0;

    // How many directions the kind has: 8, 8, 2 and 1.
    static int DirectionCount(Kind kind);
    // Nothing for an unknown type code or a direction the kind does not have. Bounce takes any
    // direction code and keeps 0.
    static std::optional<EffectChoice> FromCodes(int type, int direction);
    // The same, the default for a pair no effect has.
    static EffectChoice FromCodesOrDefault(int type, int direction)
    {
        return FromCodes(type, direction).value_or(EffectChoice());
    }

    bool operator==(const EffectChoice& other) const
    {
        return kind == other.kind && direction == other.direction;
    }
};
