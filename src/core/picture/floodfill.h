// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// The fill tool: the 4-connected area of exactly the seed pixel's colour takes a new colour.
class FloodFill
{
public:
    // Fills on an RGB16 image (the sheet's format) and returns the bounding box of the pixels
    // changed: empty when the seed lies outside, the image is of another format, or the area
    // already has that colour.
    static QRect Fill(QImage* image, const QPoint& seed, const QColor& color);
    // The RGB16 word the sheet stores for a colour.
    static quint16 Rgb16(const QColor& color);
};
