// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/entryeffect.h"

int EntryEffect::Init(QList<QVariant> params)
{
    ResetBase();
    // Refused: nothing left to travel, so stepping it anyway ends at once at rest.
    stepX = stepY = remainingX = remainingY = 0;
    if (params.isEmpty()) {
        return Fail(-1);
    }
    const int d = params.at(0).toInt();
    if (static_cast<unsigned>(d) >= 8u) {
        return Fail(-2);
    }
    direction = d;
    stepX = screenWidth / stepCount;
    stepY = screenHeight / stepCount;
    remainingX = screenWidth;
    remainingY = screenHeight;
    moving = true;
    return 0;
}

bool EntryEffect::Step()
{
    remainingX -= stepX;
    remainingY -= stepY;
    // Only strictly below zero ends it: an exact zero still gets one more step.
    if (remainingX < 0 || remainingY < 0) {
        remainingX = 0;
        remainingY = 0;
        finished = true;
    }
    const double rx = remainingX;
    const double ry = remainingY;
    switch (direction) {
    case 0:
        offset = QPointF(0, ry);
        break;
    case 1:
        offset = QPointF(0, -ry);
        break;
    case 2:
        offset = QPointF(rx, 0);
        break;
    case 3:
        offset = QPointF(-rx, 0);
        break;
    case 4:
        offset = QPointF(rx, ry);
        break;
    case 5:
        offset = QPointF(-rx, ry);
        break;
    case 6:
        offset = QPointF(rx, -ry);
        break;
    default:
        offset = QPointF(-rx, -ry);
        break;
    }
    return !finished;
}
