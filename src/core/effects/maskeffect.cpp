// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/maskeffect.h"

int MaskEffect::Init(QList<QVariant> params)
{
    ResetBase();
    // Refused: nothing left to travel, so stepping it anyway ends at once at rest.
    stepX = stepY = remainingHeight = remainingWidth = 0;
    if (params.isEmpty()) {
        return Fail(-1);
    }
    const int d = params.at(0).toInt();
    if (static_cast<unsigned>(d) >= 8u) {
        return Fail(-2);
    }
    stepX = screenWidth / stepCount;
    stepY = screenHeight / stepCount;
    remainingHeight = screenHeight;
    remainingWidth = screenWidth;
    direction = d;
    masking = true;
    return 0;
}

bool MaskEffect::Step()
{
    remainingHeight -= stepY;
    remainingWidth -= stepX;
    hiddenRects.clear();
    if (remainingHeight <= 0 || remainingWidth <= 0) {
        remainingHeight = 0;
        remainingWidth = 0;
        finished = true;
    }
    const double w = screenWidth;
    const double h = screenHeight;
    const double rh = remainingHeight;
    const double rw = remainingWidth;
    switch (direction) {
    case 0:
        hiddenRects << QRectF(0, 0, w, rh);
        break;
    case 1:
        hiddenRects << QRectF(0, h - rh, w, rh);
        break;
    case 2:
        hiddenRects << QRectF(0, 0, rw, h);
        break;
    case 3:
        hiddenRects << QRectF(w - rw, 0, rw, h);
        break;
    case 4:
        hiddenRects << QRectF(0, 0, w, rh) << QRectF(0, rh, rw, h - rh);
        break;
    case 5:
        hiddenRects << QRectF(0, 0, w, rh) << QRectF(w - rw, rh, rw, h - rh);
        break;
    case 6:
        hiddenRects << QRectF(0, h - rh, w, rh) << QRectF(0, 0, rw, h - rh);
        break;
    default:
        hiddenRects << QRectF(0, h - rh, w, rh) << QRectF(w - rw, 0, rw, h - rh);
        break;
    }
    return !finished;
}
