// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectframe.h"

#include <QPainter>
#include <QtTest>

namespace {

const QRgb Red = qRgb(200, 0, 0);
const QRgb Blue = qRgb(0, 0, 180);

QImage solid(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// 80 x 60, white with a red block at (10, 10, 20, 10) and a blue pixel at (50, 40).
QImage sample(QImage::Format format = QImage::Format_RGB32)
{
    QImage image = solid(QSize(80, 60), qRgb(255, 255, 255), format);
    QPainter p(&image);
    p.fillRect(QRect(10, 10, 20, 10), QColor(Red));
    p.end();
    image.setPixel(50, 40, Blue);
    return image;
}

// Isolated dots: thousands of rectangles when followed exactly.
QImage dots()
{
    QImage image = solid(QSize(240, 200), qRgb(255, 255, 255));
    for (int y = 0; y < 200; y += 3) {
        for (int x = (y / 3) % 2; x < 240; x += 3) {
            image.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return image;
}

// The cells of the image holding a pixel with alpha, gathered pixel by pixel.
QRegion slowCells(const QImage& image, int cell)
{
    QRegion r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                r += QRect(x / cell * cell, y / cell * cell, cell, cell).intersected(image.rect());
            }
        }
    }
    return r;
}

// An 80 x 60 window showing `picture`.
void setUp(EffectFrame& frame, const QImage& picture = sample())
{
    frame.SetWindowSize(QSize(80, 60));
    frame.SetPicture(picture);
}

} // namespace

class TestEffectFrame : public QObject
{
    Q_OBJECT

private slots:
    void transparency_data()
    {
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("soft"); // premultiplied, colour to alpha
        QTest::addColumn<bool>("hardDrawn");
        QTest::newRow("white") << qRgb(255, 255, 255) << 0u << false;
        QTest::newRow("black") << qRgb(0, 0, 0) << 0xff000000u << true;
        QTest::newRow("half black") << qRgb(128, 128, 128) << 0x7f000000u << true;
        QTest::newRow("pink fringe of red") << qRgb(255, 128, 128) << 0x7f7f0000u << true;
        QTest::newRow("near white") << qRgb(240, 255, 255) << 0x0f000f0fu << true;
        QTest::newRow("red") << Red << 0xffc80000u << true;
    }

    void transparency()
    {
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, soft);
        QFETCH(bool, hardDrawn);
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
            const QImage image = solid(QSize(3, 2), pixel, format);
            QCOMPARE(EffectFrame::ColourToAlpha(image).pixel(2, 1), soft);
            const QImage hard = EffectFrame::MakeTransparent(image);
            QCOMPARE(hard.pixel(2, 1), hardDrawn ? pixel : 0u);
            // Laid over white, the soft pixel is the drawn one again.
            QImage over = solid(QSize(3, 2), qRgb(255, 255, 255), QImage::Format_ARGB32_Premultiplied);
            QPainter(&over).drawImage(0, 0, EffectFrame::ColourToAlpha(image));
            QCOMPARE(over.pixel(2, 1), pixel);
            EffectFrame frame;
            frame.SetPicture(image, EffectFrame::SoftEdges);
            QCOMPARE(frame.IsBlank(), !hardDrawn);
        }
    }

    void visibleArea_data()
    {
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<QList<QRectF>>("hidden");
        QTest::addColumn<QRegion>("visible");
        const QRegion all(0, 0, 80, 60);
        QTest::newRow("at rest") << QPointF() << QList<QRectF>{} << all;
        QTest::newRow("hidden rectangle truncated part by part")
            << QPointF() << QList<QRectF>{{0.9, 0.9, 79.9, 30.7}} << all.subtracted(QRect(0, 0, 79, 30));
        QTest::newRow("zero width hides nothing") << QPointF() << QList<QRectF>{{10, 0, 0, 60}} << all;
        QTest::newRow("width below one hides nothing") << QPointF() << QList<QRectF>{{0, 0, 0.99, 60}} << all;
        QTest::newRow("offset truncated towards zero")
            << QPointF(-10.8, 20.9) << QList<QRectF>{} << QRegion(0, 20, 70, 40);
        QTest::newRow("moved and hidden")
            << QPointF(5, 5) << QList<QRectF>{{0, 0, 40, 60}} << QRegion(45, 5, 35, 55);
        QTest::newRow("wholly off the window") << QPointF(0, 60) << QList<QRectF>{} << QRegion();
    }

    void visibleArea()
    {
        QFETCH(QPointF, offset);
        QFETCH(QList<QRectF>, hidden);
        QFETCH(QRegion, visible);
        EffectFrame frame;
        setUp(frame);
        frame.SetGeometry(offset, hidden);
        QCOMPARE(frame.Visible(), visible);
    }

    void rendersTheFrame()
    {
        EffectFrame frame;
        setUp(frame);
        QCOMPARE(qAlpha(frame.Render().pixel(15, 15)), 0); // nothing before the first frame
        QVERIFY(frame.Shape().isEmpty());

        // Moved right by 5 and down by 3, the left part of the picture hidden.
        frame.SetGeometry(QPointF(5.7, 3.2), {QRectF(0, 0, 25, 60)});
        const QImage out = frame.Render();
        QCOMPARE(out.pixel(15 + 5, 15 + 3), 0u);   // red block, hidden part
        QCOMPARE(out.pixel(27 + 5, 15 + 3), Red);  // red block, visible part
        QCOMPARE(out.pixel(50 + 5, 40 + 3), Blue); // blue pixel at the offset
        QCOMPARE(out.pixel(50, 40), 0u);           // not at its old place
        QCOMPARE(qAlpha(out.pixel(70, 50)), 0);    // white is transparent
        QCOMPARE(frame.Shape(), QRegion(25 + 5, 10 + 3, 5, 10).united(QRect(55, 43, 1, 1)));
    }

    void changedArea()
    {
        EffectFrame frame;
        setUp(frame, solid(QSize(80, 60), Red));
        // First frame: all that shows.
        QCOMPARE(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 50)}), QRegion(0, 50, 80, 10));
        // Same place, less hidden: only the strip uncovered since.
        QCOMPARE(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 40)}), QRegion(0, 40, 80, 10));
        QVERIFY(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 40)}).isEmpty());
        // Moved: where it was and where it is.
        QCOMPARE(frame.SetGeometry(QPointF(0, -10), {}), QRegion(0, 0, 80, 60));
        // Reset: the next frame is a first frame again.
        frame.Reset();
        QCOMPARE(frame.SetGeometry(QPointF(0, 50), {}), QRegion(0, 50, 80, 10));
    }

    void onlyDrawnTilesAreCopied()
    {
        EffectFrame frame;
        setUp(frame);
        // The red block lies in the first tile, the blue pixel in the tile diagonally below it.
        const QRegion tiles = QRegion(0, 0, 32, 32).united(QRect(32, 32, 32, 28));
        QCOMPARE(frame.SetGeometry(QPointF(), {}), tiles);
        // Moving repaints where the drawn tiles were and where they are, nothing else.
        QCOMPARE(frame.SetGeometry(QPointF(8, 0), {}), tiles.united(tiles.translated(8, 0)));
        QCOMPARE(frame.Render().pixel(50 + 8, 40), Blue);
    }

    void regionsAreExact_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("cell"); // 1: the exact opaque region
        QImage stripes = solid(QSize(37, 23), qRgb(255, 255, 255));
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 37; ++x) {
                if ((x * 7 + y * 3) % 5 == 0 || (y > 10 && y < 14) || x == 36) {
                    stripes.setPixel(x, y, qRgb(0, 128, 0));
                }
            }
        }
        QTest::newRow("sample") << sample() << 1;
        QTest::newRow("stripes and bands") << stripes << 1;
        QTest::newRow("sample, 32") << sample() << 32;
        QTest::newRow("dots, 2") << dots() << 2;
    }

    void regionsAreExact()
    {
        QFETCH(QImage, image);
        QFETCH(int, cell);
        const QImage t = EffectFrame::MakeTransparent(image);
        const QRegion fast = cell == 1 ? EffectFrame::OpaqueRegion(t) : EffectFrame::CellRegion(t, cell);
        const QRegion slow = slowCells(t, cell);
        QVERIFY(fast.xored(slow).isEmpty());
        // The region built in one piece must work as any other.
        QCOMPARE(fast.translated(3, 2).intersected(QRect(0, 0, 20, 20)),
                 slow.translated(3, 2).intersected(QRect(0, 0, 20, 20)));
    }

    void coarseShapeStaysAffordable()
    {
        EffectFrame simple;
        simple.SetPicture(sample());
        // Few rectangles: exact even while the effect runs.
        QCOMPARE(simple.CoarsePictureShape(), simple.PictureShape());

        EffectFrame busy;
        busy.SetPicture(dots());
        QVERIFY(busy.PictureShape().rectCount() > EffectFrame::CoarseShapeBudget);
        const QRegion coarse = busy.CoarsePictureShape();
        QVERIFY(coarse.rectCount() <= EffectFrame::CoarseShapeBudget);
        // Coarser, never smaller: every drawn pixel stays inside.
        QVERIFY(busy.PictureShape().subtracted(coarse).isEmpty());
        busy.SetWindowSize(QSize(240, 200));
        busy.SetGeometry(QPointF(10, -20), {QRectF(0, 0, 100, 200)});
        QCOMPARE(busy.CoarseShape(), coarse.translated(10, -20).intersected(QRect(110, 0, 130, 180)));
    }
};

QTEST_GUILESS_MAIN(TestEffectFrame)
#include "testeffectframe.moc"
