// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/effectchoice.h"

#include <QString>

// The nineteen effects offered to the user, in the order the event editor lists them, and the
// (type code, direction code) pair each row stands for.
class EffectCodes
{
public:
    static constexpr int RowCount = 19;

    // The row's text, untranslated ("Bounce", "Blinds Horizontal", ...); empty outside 0 to 18.
    static QString Text(int row);
    // Rows outside 0 to 18 (no current row included) stand for the default effect.
    static EffectChoice Choice(int row);
    static int Type(int row);
    static int Direction(int row);
    // The row of an effect; row 0 for anything no row stands for.
    static int Row(const EffectChoice& choice);
};
