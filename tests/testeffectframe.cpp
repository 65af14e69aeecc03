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
QImage sample()
{
    QImage image = solid(QSize(80, 60), qRgb(255, 255, 255));
    QPainter(&image).fillRect(QRect(10, 10, 20, 10), QColor(Red));
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

} // namespace

class TestEffectFrame : public QObject
{
    Q_OBJECT

private slots:
    void transparency_data()
    {
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("soft"); // premultiplied, colour to alpha
        QTest::newRow("white") << qRgb(255, 255, 255) << 0u;
        QTest::newRow("black") << qRgb(0, 0, 0) << 0xff000000u;
        QTest::newRow("half black") << qRgb(128, 128, 128) << 0x7f000000u;
        QTest::newRow("pink fringe of red") << qRgb(255, 128, 128) << 0x7f7f0000u;
        QTest::newRow("near white") << qRgb(240, 255, 255) << 0x0f000f0fu;
    }

    void transparency()
    {
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, soft);
        const QImage image = solid(QSize(3, 2), pixel);
        QCOMPARE(EffectFrame::ColourToAlpha(image).pixel(2, 1), soft);
        // Without a compositor only pure white goes.
        QCOMPARE(EffectFrame::MakeTransparent(image).pixel(2, 1), soft ? pixel : 0u);
        // Laid over white, the soft pixel is the drawn one again.
        QImage over = solid(QSize(3, 2), qRgb(255, 255, 255), QImage::Format_ARGB32_Premultiplied);
        QPainter(&over).drawImage(0, 0, EffectFrame::ColourToAlpha(image));
        QCOMPARE(over.pixel(2, 1), pixel);
    }

    void visibleArea_data()
    {
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<QList<QRectF>>("hidden");
        QTest::addColumn<QRegion>("visible");
        const QRegion all(0, 0, 80, 60);
        QTest::newRow("hidden rectangle truncated part by part")
            << QPointF() << QList<QRectF>{{0.9, 0.9, 79.9, 30.7}} << all.subtracted(QRect(0, 0, 79, 30));
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
        frame.SetWindowSize(QSize(80, 60));
        frame.SetPicture(sample());
        frame.SetGeometry(offset, hidden);
        QCOMPARE(frame.Visible(), visible);
    }

    void rendersTheFrame()
    {
        EffectFrame frame;
        frame.SetWindowSize(QSize(80, 60));
        frame.SetPicture(sample());
        QVERIFY(frame.Render().pixel(15, 15) == 0u &&
                frame.Shape().isEmpty()); // nothing before the first frame
        // Moved right by 5 and down by 3, the left part of the picture hidden.
        frame.SetGeometry(QPointF(5.7, 3.2), {QRectF(0, 0, 25, 60)});
        const QImage out = frame.Render();
        QCOMPARE(out.pixel(15 + 5, 15 + 3), 0u);   // red block, hidden part
        QCOMPARE(out.pixel(27 + 5, 15 + 3), Red);  // red block, visible part
        QCOMPARE(out.pixel(50 + 5, 40 + 3), Blue); // blue pixel at the offset
        QCOMPARE(out.pixel(50, 40), 0u);           // not at its old place
        QCOMPARE(frame.Shape(), QRegion(25 + 5, 10 + 3, 5, 10).united(QRect(55, 43, 1, 1)));
    }

    void changedArea()
    {
        EffectFrame frame;
        frame.SetWindowSize(QSize(80, 60));
        frame.SetPicture(solid(QSize(80, 60), Red));
        // First frame: all that shows; then only the strip uncovered since.
        QCOMPARE(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 50)}), QRegion(0, 50, 80, 10));
        QCOMPARE(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 40)}), QRegion(0, 40, 80, 10));
        QVERIFY(frame.SetGeometry(QPointF(), {QRectF(0, 0, 80, 40)}).isEmpty());
        // Moved: where it was and where it is.
        QCOMPARE(frame.SetGeometry(QPointF(0, -10), {}), QRegion(0, 0, 80, 60));
    }

    void regionsAreExact()
    {
        QImage stripes = solid(QSize(37, 23), qRgb(255, 255, 255));
        for (int i = 0; i < 37 * 23; ++i) {
            const int x = i % 37, y = i / 37;
            if ((x * 7 + y * 3) % 5 == 0 || (y > 10 && y < 14) || x == 36) {
                stripes.setPixel(x, y, qRgb(0, 128, 0));
            }
        }
        for (int cell : {1, 2, 8}) {
            // The cells holding a pixel with alpha, gathered pixel by pixel.
            const QImage t = EffectFrame::MakeTransparent(stripes);
            QRegion slow;
            for (int i = 0; i < 37 * 23; ++i) {
                const int x = i % 37, y = i / 37;
                slow += qAlpha(t.pixel(x, y)) ? QRect(x / cell * cell, y / cell * cell, cell, cell) & t.rect()
                                              : QRect();
            }
            QVERIFY(EffectFrame::CellRegion(t, cell).xored(slow).isEmpty());
        }
    }

    void coarseShapeStaysAffordable()
    {
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
