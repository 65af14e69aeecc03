#include "affaireffectrow.h"

// Row order of the list: Bounce, the two Blinds, eight Push, eight Spread.
QPair<int, int> AffairEffectRow::CodesForRow(int row)
{
    if (row == 1 || row == 2) {
        return {2, row - 1};
    }
    if (row >= 3 && row <= 10) {
        return {0, row - 3};
    }
    if (row >= 11 && row <= 18) {
        return {1, row - 11};
    }
    return {3, 0};
}

int AffairEffectRow::RowForCodes(int effectType, int effectDirection)
{
    if (effectType == 0 && effectDirection >= 0 && effectDirection <= 7) {
        return 3 + effectDirection;
    }
    if (effectType == 1 && effectDirection >= 0 && effectDirection <= 7) {
        return 11 + effectDirection;
    }
    if (effectType == 2 && (effectDirection == 0 || effectDirection == 1)) {
        return 1 + effectDirection;
    }
    return 0;
}
