#pragma once

#include <QPair>

// The event dialog lists its nineteen effects in a fixed order; each row stands for one
// (effect type, effect direction) pair of the stored event.
class AffairEffectRow
{
public:
    static constexpr int RowCount = 19;

    // Rows outside the list (or no current row, -1) give Bounce, (3, 0).
    static QPair<int, int> CodesForRow(int row);
    // Pairs the list does not hold give row 0, Bounce.
    static int RowForCodes(int effectType, int effectDirection);
};
