// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectcodes.h"

#include <QCoreApplication>

namespace {

struct Entry
{
    const char* text;
    int type;
    int direction;
};

// The texts pass through the "EffectCodes" translation context where they are shown.
const Entry Entries[EffectCodes::RowCount] = {
    {QT_TRANSLATE_NOOP("EffectCodes", "Bounce"), 3, 0},
    {QT_TRANSLATE_NOOP("EffectCodes", "Blinds Horizontal"), 2, 0},
    {QT_TRANSLATE_NOOP("EffectCodes", "Blinds Vertical"), 2, 1},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Up"), 0, 0},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Down"), 0, 1},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left"), 0, 2},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right"), 0, 3},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left-Up"), 0, 4},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right-Up"), 0, 5},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left-Down"), 0, 6},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right-Down"), 0, 7},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Up"), 1, 0},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Down"), 1, 1},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left"), 1, 2},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right"), 1, 3},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left-Up"), 1, 4},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right-Up"), 1, 5},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left-Down"), 1, 6},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right-Down"), 1, 7},
};

bool inRange(int row)
{
    return row >= 0 && row < EffectCodes::RowCount;
}

} // namespace

QString EffectCodes::Text(int row)
{
    return inRange(row) ? QString::fromLatin1(Entries[row].text) : QString();
}

int EffectCodes::Type(int row)
{
    return inRange(row) ? Entries[row].type : 3;
}

int EffectCodes::Direction(int row)
{
    return inRange(row) ? Entries[row].direction : 0;
}

int EffectCodes::Row(int type, int direction)
{
    if (type == 0 && direction >= 0 && direction <= 7) {
        return 3 + direction;
    }
    if (type == 1 && direction >= 0 && direction <= 7) {
        return 11 + direction;
    }
    if (type == 2 && (direction == 0 || direction == 1)) {
        return 1 + direction;
    }
    return 0;
}
