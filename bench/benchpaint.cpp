// SPDX-License-Identifier: GPL-3.0-or-later
// The picture editor on a 4K sheet: what the undo history holds after 200 strokes across the
// whole sheet, and the fill tool against a plain scan-line fill of the same area.
#include "core/picture/floodfill.h"
#include "core/picture/undohistory.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The anchor: the textbook scan-line fill. Each seed runs left and right, and the rows above
// and below get one seed per run they touch.
void PlainScanlineFill(QImage* image, QPoint seed, quint16 paint)
{
    const int width = image->width();
    const int height = image->height();
    uchar* const bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    auto at = [bits, stride](int x, int y) -> quint16& {
        return reinterpret_cast<quint16*>(bits + y * stride)[x];
    };
    const quint16 target = at(seed.x(), seed.y());
    if (target == paint) {
        return;
    }
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        int x = p.x();
        const int y = p.y();
        if (at(x, y) != target) {
            continue;
        }
        while (x > 0 && at(x - 1, y) == target) {
            --x;
        }
        bool above = false;
        bool below = false;
        for (; x < width && at(x, y) == target; ++x) {
            at(x, y) = paint;
            if (y > 0) {
                const bool open = at(x, y - 1) == target;
                if (open && !above) {
                    stack.push_back(QPoint(x, y - 1));
                }
                above = open;
            }
            if (y < height - 1) {
                const bool open = at(x, y + 1) == target;
                if (open && !below) {
                    stack.push_back(QPoint(x, y + 1));
                }
                below = open;
            }
        }
    }
}

QImage Sheet(const QSize& size)
{
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QSize size(3840, 2160);
    QRandomGenerator random(24);

    // Undo: strokes from one edge of the sheet to the other, in changing colours and widths,
    // each a step as the editor records it.
    QImage sheet = Sheet(size);
    UndoHistory history;
    std::vector<double> recordMs;
    qint64 peakBytes = 0;
    for (int i = 0; i < 200; ++i) {
        const QImage before = sheet;
        QPainter painter(&sheet);
        painter.setPen(QPen(QColor::fromHsv(random.bounded(360), 255, 220), 3 + random.bounded(30),
                            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path(QPointF(0, random.bounded(size.height())));
        for (int k = 1; k <= 8; ++k) {
            path.lineTo(size.width() * k / 8.0, random.bounded(size.height()));
        }
        painter.drawPath(path);
        painter.end();
        QElapsedTimer timer;
        timer.start();
        history.Record(before, sheet);
        recordMs.push_back(timer.nsecsElapsed() / 1e6);
        peakBytes = qMax(peakBytes, history.Bytes());
    }
    std::sort(recordMs.begin(), recordMs.end());
    QElapsedTimer undoTimer;
    undoTimer.start();
    int undone = 0;
    while (!history.Undo(&sheet).isEmpty()) {
        ++undone;
    }
    const double undoMs = undoTimer.nsecsElapsed() / 1e6 / qMax(1, undone);
    std::printf("undo history, 3840 x 2160, 200 strokes across the sheet: %d steps kept, %.1f MB held "
                "(peak %.1f MB, limit 64 MB); record median %.1f ms, max %.1f ms; undo %.1f ms a step\n",
                undone, history.Bytes() / 1048576.0, peakBytes / 1048576.0, recordMs[recordMs.size() / 2],
                recordMs.back(), undoMs);

    // Fill: a sheet with shapes on it, filled from a white point; about 8 million pixels change.
    QImage shapes = Sheet(size);
    {
        QPainter painter(&shapes);
        painter.setPen(QPen(Qt::black, 6));
        for (int i = 0; i < 40; ++i) {
            const QRect box(random.bounded(3600), random.bounded(1900), 40 + random.bounded(300),
                            40 + random.bounded(300));
            if (i % 2) {
                painter.drawEllipse(box);
            } else {
                painter.drawRect(box);
            }
        }
    }
    QPoint seed(0, 0);
    while (shapes.pixel(seed) != qRgb(255, 255, 255)) {
        seed.rx()++;
    }
    const QColor blue(0, 0, 255);
    const quint16 paint = FloodFill::Rgb16(blue);
    QImage work;
    QImage anchorResult;
    const double anchorMs = medianMs(
        7, [&] { work = shapes.copy(); }, [&] { PlainScanlineFill(&work, seed, paint); });
    anchorResult = work;
    const double fillMs = medianMs(
        7, [&] { work = shapes.copy(); }, [&] { FloodFill::Fill(&work, seed, blue); });
    std::printf("fill, 3840 x 2160 sheet with 40 shapes: span fill %.1f ms, plain scan-line fill %.1f ms "
                "(limit 100 ms); same pixels: %s\n",
                fillMs, anchorMs, work == anchorResult ? "yes" : "NO");
    return work == anchorResult && fillMs < 100 && history.Bytes() <= 64LL << 20 ? 0 : 1;
}
