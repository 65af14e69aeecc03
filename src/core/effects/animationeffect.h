// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QVariant>

// What every display effect shares. An effect does not paint: per frame it yields an offset at
// which the whole picture is drawn (moving effects) and/or the rectangles of the picture hidden in
// that frame (masking effects). The effect window turns these into pixels.
class AnimationEffect
{
public:
    AnimationEffect();
    virtual ~AnimationEffect();

    // 0 prepared; -1 the list holds fewer elements than the effect needs; -2 the direction code is
    // out of range. Callable again to start over. A failed Init leaves the effect idle: not moving,
    // not masking, finished, so that driving it anyway ends at once instead of running for ever.
    virtual int Init(QList<QVariant> params) = 0;
    // One frame further; true while more frames follow.
    virtual bool Step() = 0;

    bool IsFinished() const { return finished; }
    bool IsMoving() const { return moving; }
    bool IsMasking() const { return masking; }
    QPointF Offset() const { return offset; }
    QList<QRectF> HiddenRects() const { return hiddenRects; }

    // The screen the effect runs on, in device pixels; unset, the primary screen. Taken at the
    // next Init.
    void SetScreen(const QSize& pixels) { screen = pixels; }

    double ScreenWidth() const { return screenWidth; }
    double ScreenHeight() const { return screenHeight; }
    double StepCount() const { return stepCount; }

protected:
    void ResetBase();
    // The state after a failed Init.
    int Fail(int code);

    bool finished = true;
    bool moving = false;
    bool masking = false;
    double screenWidth = 0.0;
    double screenHeight = 0.0;
    double stepCount = 30.0;
    QPointF offset;
    QList<QRectF> hiddenRects;
    QSize screen;

private:
    Q_DISABLE_COPY(AnimationEffect)
};
