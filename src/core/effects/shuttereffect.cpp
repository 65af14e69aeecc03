// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/shuttereffect.h"

int ShutterEffect::Init(QList<QVariant> params)
{
    // Refused: nothing left to open, so stepping it anyway ends at once with nothing hidden.
    stepX = stepY = blindWidth = blindHeight = 0;
    if (params.isEmpty()) {
        return Fail(-1);
    }
    const int d = params.at(0).toInt();
    if (static_cast<unsigned>(d) >= 2u) {
        return Fail(-2);
    }
    ResetBase();
    masking = true;
    blindCount = 6;
    direction = d;
    if (d == 1) {
        blindWidth = screenWidth / blindCount;
        blindHeight = screenHeight;
        for (int i = 0; i < blindCount; ++i) {
            hiddenRects << QRectF(blindWidth * i, 0, blindWidth, screenHeight);
        }
        stepY = 0;
        stepX = blindWidth / stepCount;
    } else {
        blindWidth = screenWidth;
        blindHeight = screenHeight / blindCount;
        for (int i = 0; i < blindCount; ++i) {
            hiddenRects << QRectF(0, blindHeight * i, screenWidth, blindHeight);
        }
        stepY = blindHeight / stepCount;
        stepX = 0;
    }
    return 0;
}

bool ShutterEffect::Step()
{
    blindWidth -= stepX;
    blindHeight -= stepY;
    if (blindWidth <= 0 || blindHeight <= 0) {
        blindWidth = 0;
        blindHeight = 0;
        finished = true;
        hiddenRects.clear();
        return false;
    }
    if (finished) {
        hiddenRects.clear();
        return false;
    }
    for (int i = 0; i < blindCount && i < hiddenRects.size(); ++i) {
        QRectF& r = hiddenRects[i];
        r.setSize(QSizeF(blindWidth, blindHeight));
    }
    return true;
}
