// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/animationeffect.h"

#include "core/effects/screensize.h"

AnimationEffect::AnimationEffect() = default;

AnimationEffect::~AnimationEffect() = default;

void AnimationEffect::ResetBase()
{
    offset = QPointF(0, 0);
    hiddenRects.clear();
    const QSize size = screen.isEmpty() ? ScreenSize::get() : screen;
    screenWidth = size.width();
    screenHeight = size.height();
    stepCount = 30.0;
    finished = false;
    moving = false;
    masking = false;
}

int AnimationEffect::Fail(int code)
{
    ResetBase();
    finished = true;
    return code;
}
