// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/floodfill.h"

#include <vector>

quint16 FloodFill::Rgb16(const QColor& color)
{
    QImage pixel(1, 1, QImage::Format_RGB16);
    pixel.fill(color);
    return *reinterpret_cast<const quint16*>(pixel.constBits());
}

// Span filling: each entry is a run of a row whose row above or below (dy) still has to be
// looked at. Every pixel is read a bounded number of times, so a whole 4K sheet fills in a
// few tens of milliseconds instead of being pushed on a stack pixel by pixel.
QRect FloodFill::Fill(QImage* image, const QPoint& seed, const QColor& color)
{
    if (image->format() != QImage::Format_RGB16 || !image->rect().contains(seed)) {
        return QRect();
    }
    const int width = image->width();
    const int height = image->height();
    const quint16 target = reinterpret_cast<const quint16*>(image->constScanLine(seed.y()))[seed.x()];
    const quint16 paint = Rgb16(color);
    if (target == paint) {
        return QRect();
    }
    uchar* const bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    auto row = [bits, stride](int y) { return reinterpret_cast<quint16*>(bits + y * stride); };
    int minX = seed.x();
    int maxX = seed.x();
    int minY = seed.y();
    int maxY = seed.y();

    struct Span
    {
        int x1;
        int x2;
        int y;
        int dy;
    };
    std::vector<Span> pending;
    pending.push_back({seed.x(), seed.x(), seed.y(), 1});
    pending.push_back({seed.x(), seed.x(), seed.y() - 1, -1});
    while (!pending.empty()) {
        Span span = pending.back();
        pending.pop_back();
        if (span.y < 0 || span.y >= height) {
            continue;
        }
        quint16* line = row(span.y);
        int x1 = span.x1;
        const int x2 = span.x2;
        int x = x1;
        if (line[x] == target) {
            while (x > 0 && line[x - 1] == target) {
                --x;
                line[x] = paint;
            }
            if (x < x1) {
                pending.push_back({x, x1 - 1, span.y - span.dy, -span.dy});
            }
        }
        while (x1 <= x2) {
            while (x1 < width && line[x1] == target) {
                line[x1] = paint;
                ++x1;
            }
            if (x1 > x) {
                minX = qMin(minX, x);
                maxX = qMax(maxX, x1 - 1);
                minY = qMin(minY, span.y);
                maxY = qMax(maxY, span.y);
                pending.push_back({x, x1 - 1, span.y + span.dy, span.dy});
            }
            if (x1 - 1 > x2) {
                pending.push_back({x2 + 1, x1 - 1, span.y - span.dy, -span.dy});
            }
            ++x1;
            while (x1 < x2 && line[x1] != target) {
                ++x1;
            }
            x = x1;
        }
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}
