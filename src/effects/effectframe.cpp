#include "effectframe.h"

#include <QPainter>
#include <QVector>

#include <cstring>

EffectFrame::EffectFrame() = default;

void EffectFrame::SetWindowSize(const QSize& size)
{
    windowSize = size;
    Reset();
}

void EffectFrame::SetPicture(const QImage& source)
{
    picture = MakeTransparent(source);
    // Which tiles hold a drawn pixel, as bands of tile rows (equal rows merged), already in the
    // sorted, banded form a region keeps.
    const int w = picture.width();
    const int h = picture.height();
    const int columns = (w + TileSize - 1) / TileSize;
    QVector<QRect> tiles;
    QVector<bool> row(columns);
    QVector<bool> bandRow;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (int c = 0; c < columns; ++c) {
            if (!bandRow.isEmpty() && bandRow[c]) {
                int end = c;
                while (end < columns && bandRow[end]) {
                    ++end;
                }
                tiles.append(
                    QRect(c * TileSize, bandTop, qMin(end * TileSize, w) - c * TileSize, bottom - bandTop));
                c = end;
            }
        }
    };
    for (int top = 0; top < h; top += TileSize) {
        row.fill(false);
        const int bottom = qMin(top + TileSize, h);
        for (int y = top; y < bottom; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (line[x] != 0) {
                    row[x / TileSize] = true;
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
    content = QRegion();
    if (!tiles.isEmpty()) {
        content.setRects(tiles.constData(), int(tiles.size()));
    }
    blank = content.isEmpty();
    pictureShape = QRegion();
    shapeMade = false;
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

QImage EffectFrame::Render() const
{
    QImage out(windowSize, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    Paint(&painter, QRegion(out.rect()));
    return out;
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

QRegion EffectFrame::OpaqueRegion(const QImage& argb)
{
    if (argb.isNull()) {
        return QRegion();
    }
    const QImage image = argb.format() == QImage::Format_ARGB32_Premultiplied
                             ? argb
                             : argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    // Runs of one scanline as [start, end) pairs. Equal consecutive scanlines share one band, so
    // the result is already the banded, sorted, non-overlapping list QRegion keeps internally and
    // can be handed over whole instead of being united rectangle by rectangle.
    QVector<QRect> rects;
    QVector<int> runs;
    QVector<int> bandRuns;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (int i = 0; i + 1 < bandRuns.size(); i += 2) {
            rects.append(QRect(bandRuns[i], bandTop, bandRuns[i + 1] - bandRuns[i], bottom - bandTop));
        }
    };
    for (int y = 0; y < h; ++y) {
        runs.clear();
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < w) {
            while (x < w && qAlpha(line[x]) == 0) {
                ++x;
            }
            if (x == w) {
                break;
            }
            const int start = x;
            while (x < w && qAlpha(line[x]) != 0) {
                ++x;
            }
            runs.append(start);
            runs.append(x);
        }
        if (y == 0 || runs != bandRuns) {
            flush(y);
            bandRuns = runs;
            bandTop = y;
        }
    }
    flush(h);
    QRegion region;
    if (!rects.isEmpty()) {
        region.setRects(rects.constData(), int(rects.size()));
    }
    return region;
}
