// SPDX-License-Identifier: GPL-3.0-or-later
// One effect frame (the effect's step plus painting the window) of every effect at full HD and
// 4K, as a multiple of one memcpy of a screen frame, next to the way of copying the whole
// picture and setting a fresh mask on it every frame.
#include "core/effects/effectcodes.h"
#include "core/effects/effectframe.h"
#include "core/effects/effectreckon.h"
#include "mock/MockScreens.h"

#include <QBitmap>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// A drawing as users make them: strokes, shapes and text on white.
QImage drawing(const QSize& size)
{
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();
    p.setPen(QPen(QColor(200, 30, 30), w / 200.0));
    for (int i = 0; i < 12; ++i) {
        p.drawLine(w / 10 + i * w / 20, h / 8, w / 3 + i * w / 30, h - h / 6);
    }
    p.setPen(QPen(QColor(20, 90, 200), w / 300.0));
    p.drawEllipse(QRect(w / 2, h / 5, w / 3, h / 2));
    p.fillRect(QRect(w / 20, h / 20, w / 6, h / 8), QColor(250, 220, 40));
    QFont font = p.font();
    font.setPixelSize(h / 12);
    p.setFont(font);
    p.setPen(QColor(10, 10, 10));
    p.drawText(QRect(0, h / 2, w, h / 2), Qt::AlignCenter,
               QStringLiteral("Dentist at 10:30\nbring the card"));
    return image;
}

double memcpyMs(const QSize& size)
{
    const size_t bytes = size_t(size.width()) * size.height() * 4;
    std::vector<char> a(bytes, 1);
    std::vector<char> b(bytes, 2);
    std::vector<double> times;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        std::memcpy(b.data(), a.data(), bytes);
        times.push_back(t.nsecsElapsed() / 1e6);
        a[i] = b[bytes - 1 - i];
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The worst case: not a white pixel, the whole screen to move.
QImage fullColour(const QSize& size)
{
    QImage image(size, QImage::Format_RGB16);
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(30, 120, 200));
    g.setColorAt(1, QColor(220, 60, 40));
    p.fillRect(image.rect(), g);
    return image;
}

struct Figures
{
    double meanMs = 0;
    double p95Ms = 0;
    double maxMs = 0;
    double shapeMs = 0;
    int frames = 0;
};

// The whole animation frame by frame as the window does it: step, work out what changed, clear
// that (the translucent backing store does this before each paint) and paint it.
Figures ours(const QImage& picture, int type, int direction, QImage* target,
             EffectFrame::Edges edges = EffectFrame::HardEdges)
{
    Figures best;
    for (int run = 0; run < 3; ++run) {
        EffectFrame frame;
        frame.SetWindowSize(target->size());
        frame.SetPicture(picture, edges);
        // The window makes both shapes while it is prepared, before the first frame.
        frame.PictureShape();
        frame.CoarsePictureShape();
        EffectReckon reckon;
        reckon.Init({type, direction});
        target->fill(Qt::transparent);
        QPainter painter(target);
        Figures f;
        double total = 0;
        double shapes = 0;
        std::vector<double> times;
        bool more = true;
        while (more) {
            QElapsedTimer t;
            t.start();
            more = reckon.Step();
            const QRegion changed =
                frame.SetGeometry(reckon.IsMoving() ? reckon.Offset() : QPointF(),
                                  reckon.IsMasking() ? reckon.HiddenRects() : QList<QRectF>());
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            for (const QRect& r : changed) {
                painter.fillRect(r, Qt::transparent);
            }
            frame.Paint(&painter, changed);
            const double ms = t.nsecsElapsed() / 1e6;
            total += ms;
            times.push_back(ms);
            ++f.frames;
            QElapsedTimer s;
            s.start();
            const QRegion shape = more ? frame.CoarseShape() : frame.Shape();
            shapes += s.nsecsElapsed() / 1e6;
            Q_UNUSED(shape);
        }
        std::sort(times.begin(), times.end());
        f.meanMs = total / f.frames;
        f.p95Ms = times[size_t(times.size() * 0.95)];
        f.maxMs = times.back();
        f.shapeMs = shapes / f.frames;
        if (run == 0 || f.meanMs < best.meanMs) {
            best = f;
        }
    }
    return best;
}

// A copy of the whole picture and of its mask per frame, the hidden parts painted into the mask,
// the mask set afresh and the masked copy drawn: the first frames of the animation.
double literal(const QPixmap& source, const QBitmap& sourceMask, int type, int direction, QImage* target,
               int frames)
{
    EffectReckon reckon;
    reckon.Init({type, direction});
    QPainter painter(target);
    double total = 0;
    int done = 0;
    for (; done < frames; ++done) {
        QElapsedTimer t;
        t.start();
        const bool more = reckon.Step();
        QPixmap framePixmap = source.copy();
        QBitmap frameMask = QBitmap::fromPixmap(sourceMask.copy());
        if (reckon.IsMasking()) {
            QPainter m(&frameMask);
            for (const QRectF& r : reckon.HiddenRects()) {
                m.fillRect(QRect(int(r.x()), int(r.y()), int(r.width()), int(r.height())),
                           QColor(255, 255, 255));
            }
        }
        const QPointF offset = reckon.IsMoving() ? reckon.Offset() : QPointF();
        framePixmap.setMask(frameMask);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(target->rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawPixmap(int(offset.x()), int(offset.y()), framePixmap);
        total += t.nsecsElapsed() / 1e6;
        if (!more) {
            ++done;
            break;
        }
    }
    return total / done;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QList<QSize> sizes{QSize(1920, 1080), QSize(3840, 2160)};
    for (const QSize& size : sizes) {
        MockScreens::set(size);
        QImage target(size, QImage::Format_ARGB32_Premultiplied);
        for (int kind = 0; kind < 2; ++kind) {
            const QImage picture = kind == 0 ? drawing(size) : fullColour(size);
            QElapsedTimer t;
            t.start();
            EffectFrame prepared;
            prepared.SetPicture(picture);
            const double prepareMs = t.nsecsElapsed() / 1e6;
            t.restart();
            EffectFrame::ColourToAlpha(picture);
            const double softMs = t.nsecsElapsed() / 1e6;
            t.restart();
            const int shapeRects = prepared.PictureShape().rectCount();
            const int coarseRects = prepared.CoarsePictureShape().rectCount();
            const double shapeBuildMs = t.nsecsElapsed() / 1e6;

            const QPixmap source = QPixmap::fromImage(picture);
            const QBitmap sourceMask = source.createMaskFromColor(QColor(255, 255, 255), Qt::MaskInColor);

            std::printf(
                "\n%d x %d, %s: one memcpy of a frame %.2f ms; picture prepared in %.1f ms (colour to "
                "alpha %.1f ms); exact shape (%d rectangles) and running shape (%d-pixel cells, %d "
                "rectangles) "
                "built in %.1f ms\n",
                size.width(), size.height(), kind == 0 ? "a drawing" : "no white at all", memcpyMs(size),
                prepareMs, softMs, shapeRects, prepared.CoarseShapeCell(), coarseRects, shapeBuildMs);
            std::printf("%-18s %6s %9s %8s %8s %8s %9s %8s %10s %8s\n", "effect", "frames", "frame ms",
                        "x memcpy", "p95 x", "max x", "shape ms", "soft x", "literal ms", "x memcpy");
            double worst = 0;
            double worstSoft = 0;
            double literalBest = 1e9;
            for (int row = 0; row < EffectCodes::RowCount; ++row) {
                const int type = EffectCodes::Type(row);
                const int direction = EffectCodes::Direction(row);
                // Measured next to each effect, so that load from elsewhere skews both alike.
                const double copy = memcpyMs(size);
                const Figures f = ours(picture, type, direction, &target);
                // With a compositor: colour to alpha, smoothed edges kept half transparent.
                const Figures soft = ours(picture, type, direction, &target, EffectFrame::SoftEdges);
                const double lit = literal(source, sourceMask, type, direction, &target, 3);
                worst = std::max(worst, f.meanMs / copy);
                worstSoft = std::max(worstSoft, soft.meanMs / copy);
                literalBest = std::min(literalBest, lit / copy);
                std::printf("%-18s %6d %9.2f %8.2f %8.2f %8.2f %9.3f %8.2f %10.1f %8.1f\n",
                            qPrintable(EffectCodes::Text(row)), f.frames, f.meanMs, f.meanMs / copy,
                            f.p95Ms / copy, f.maxMs / copy, f.shapeMs, soft.meanMs / copy, lit, lit / copy);
            }
            std::printf("worst mean frame %.2f x memcpy (soft edges %.2f x); the literal way's best %.1f x\n",
                        worst, worstSoft, literalBest);
        }
    }
    return 0;
}
