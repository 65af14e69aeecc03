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
    // Rows outside 0 to 18 (no current row included) stand for Bounce: type 3, direction 0.
    static EffectChoice Choice(int row);
    static int Type(int row);
    static int Direction(int row);
    // The row of a code pair; pairs no row stands for give row 0.
    static int Row(int type, int direction);
    static int Row(const EffectChoice& choice);
};
