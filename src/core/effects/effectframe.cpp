// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectframe.h"

#include <QPainter>
#include <QVector>

EffectFrame::EffectFrame() = default;

void EffectFrame::SetWindowSize(const QSize& size)
{
    windowSize = size;
    Reset();
}

void EffectFrame::SetPicture(const QImage& source, Edges edges)
{
    picture = edges == SoftEdges ? ColourToAlpha(source) : MakeTransparent(source);
    content = CellRegion(picture, TileSize);
    blank = content.isEmpty();
    pictureShape = QRegion();
    shapeMade = false;
    coarseShape = QRegion();
    coarseShapeCell = 0;
    Reset();
}

void EffectFrame::Reset()
{
    shown = false;
    frameOffset = QPoint();
    visible = QRegion();
    drawn = QRegion();
}

QRegion EffectFrame::SetGeometry(const QPointF& offset, const QList<QRectF>& hidden)
{
    const QPoint newOffset(static_cast<int>(offset.x()), static_cast<int>(offset.y()));
    QRegion area(picture.rect());
    for (const QRectF& r : hidden) {
        const QRect whole(static_cast<int>(r.x()), static_cast<int>(r.y()), static_cast<int>(r.width()),
                          static_cast<int>(r.height()));
        // An empty rectangle hides nothing.
        if (whole.width() > 0 && whole.height() > 0) {
            area -= whole;
        }
    }
    area.translate(newOffset);
    area &= QRect(QPoint(0, 0), windowSize);

    const QRegion newDrawn = area.intersected(content.translated(newOffset));

    QRegion changed;
    if (!shown) {
        changed = newDrawn;
    } else if (newOffset == frameOffset) {
        // Same place: only what was uncovered or covered since.
        changed = newDrawn.xored(drawn);
    } else {
        changed = newDrawn.united(drawn);
    }
    shown = true;
    frameOffset = newOffset;
    visible = area;
    drawn = newDrawn;
    return changed;
}

void EffectFrame::Paint(QPainter* painter, const QRegion& area) const
{
    if (!shown || picture.isNull()) {
        return;
    }
    const QRegion copy = drawn.intersected(area);
    if (copy.isEmpty()) {
        return;
    }
    const QPainter::CompositionMode mode = painter->compositionMode();
    // The device is transparent there already: a straight copy is what blending would give.
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : copy) {
        painter->drawImage(r.topLeft(), picture, r.translated(-frameOffset));
    }
    painter->setCompositionMode(mode);
}

const QRegion& EffectFrame::PictureShape() const
{
    if (!shapeMade) {
        pictureShape = OpaqueRegion(picture);
        shapeMade = true;
    }
    return pictureShape;
}

QRegion EffectFrame::Shape() const
{
    if (!shown || visible.isEmpty()) {
        return QRegion();
    }
    return PictureShape().translated(frameOffset).intersected(visible);
}

QImage EffectFrame::MakeTransparent(const QImage& source)
{
    if (source.isNull()) {
        return QImage();
    }
    QImage out = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb white = 0xffffffffu;
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (line[x] == white) {
                line[x] = 0;
            }
        }
    }
    return out;
}

QImage EffectFrame::ColourToAlpha(const QImage& source)
{
    if (source.isNull()) {
        return QImage();
    }
    // Over white, a premultiplied pixel (a, c) shows c + 255 - a. With a = 255 - min(r, g, b)
    // and c = channel - min, that is the channel again; the least opacity that does so.
    QImage out = source.convertToFormat(QImage::Format_RGB32);
    out.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            const uint m = qMin(qMin(qRed(p), qGreen(p)), qBlue(p));
            line[x] = ((255u - m) << 24) | ((p & 0x00ffffffu) - m * 0x010101u);
        }
    }
    return out;
}

QRegion EffectFrame::OpaqueRegion(const QImage& argb)
{
    return CellRegion(argb, 1);
}

QRegion EffectFrame::CellRegion(const QImage& argb, int cell)
{
    if (argb.isNull() || cell < 1) {
        return QRegion();
    }
    const QImage image = argb.format() == QImage::Format_ARGB32_Premultiplied
                             ? argb
                             : argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    const int columns = (w + cell - 1) / cell;
    // Each band of `cell` scanlines becomes runs of occupied cells; equal consecutive bands merge.
    // The result is already the sorted, banded list of rectangles a region keeps internally, and
    // is handed over whole instead of being united rectangle by rectangle.
    QVector<QRect> rects;
    QVector<char> row(columns);
    QVector<char> bandRow;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (int c = 0; c < bandRow.size(); ++c) {
            if (bandRow[c]) {
                int end = c;
                while (end < columns && bandRow[end]) {
                    ++end;
                }
                rects.append(QRect(c * cell, bandTop, qMin(end * cell, w) - c * cell, bottom - bandTop));
                c = end;
            }
        }
    };
    for (int top = 0; top < h; top += cell) {
        row.fill(0);
        const int bottom = qMin(top + cell, h);
        for (int y = top; y < bottom; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(line[x]) != 0) {
                    // Skip the rest of this cell: it is taken already.
                    const int c = x / cell;
                    row[c] = 1;
                    x = qMin(w, (c + 1) * cell) - 1;
                }
            }
        }
        if (top == 0 || row != bandRow) {
            flush(top);
            bandRow = row;
            bandTop = top;
        }
    }
    flush(h);
    QRegion region;
    if (!rects.isEmpty()) {
        region.setRects(rects.constData(), int(rects.size()));
    }
    return region;
}

const QRegion& EffectFrame::CoarsePictureShape() const
{
    if (coarseShapeCell == 0) {
        if (PictureShape().rectCount() <= CoarseShapeBudget) {
            coarseShape = PictureShape();
            coarseShapeCell = 1;
            return coarseShape;
        }
        // From coarse to fine, the finest the window system can follow every frame.
        coarseShape = content;
        coarseShapeCell = TileSize;
        for (int cell = TileSize / 2; cell >= 2; cell /= 2) {
            const QRegion finer = CellRegion(picture, cell);
            if (finer.rectCount() > CoarseShapeBudget) {
                break;
            }
            coarseShape = finer;
            coarseShapeCell = cell;
        }
    }
    return coarseShape;
}

QRegion EffectFrame::CoarseShape() const
{
    if (!shown || visible.isEmpty()) {
        return QRegion();
    }
    return CoarsePictureShape().translated(frameOffset).intersected(visible);
}
