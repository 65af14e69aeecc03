// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "core/picture/picturefile.h"
#include "gui/paint/paintwidget.h"
#include "support/painttest.h"
#include "support/testenv.h"

#include <QSignalSpy>
#include <QtTest>

using PaintTest::countColour;

namespace {

const QRgb Blue = 0xFF0000FF;
const QRgb White = 0xFFFFFFFF;

// A shown canvas with a blue pen of `width`, as the editor sets it up.
std::unique_ptr<PaintWidget> makeCanvas(int tool, int width = 1)
{
    auto canvas = std::make_unique<PaintWidget>();
    canvas->ResetCanvas(QColor(0, 0, 255), width);
    canvas->SetTool(tool);
    canvas->show();
    return QTest::qWaitForWindowExposed(canvas.get()) ? std::move(canvas) : nullptr;
}

} // namespace

class TestPaintWidget : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenSize::setOverride(QSize(320, 240)); }
    void cleanup() { ScreenSize::clearOverride(); }

    void dotAtScale_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void dotAtScale()
    {
        QFETCH(double, ratio);
        // The pointer is on the second screen: the sheet opens there, at its pixels.
        ScreenSize::setOverride({{QRect(0, 0, 320, 240), 1.0}, {QRect(320, 0, 320, 240), ratio}},
                                QPoint(400, 10));
        auto canvas = makeCanvas(PaintWidget::Pencil, 20);
        QVERIFY(canvas);
        QCOMPARE(canvas->geometry(), QRect(320, 0, 320, 240));
        const QSize pixels(qRound(320 * ratio), qRound(240 * ratio));
        QCOMPARE(canvas->GetImage().size(), pixels);
        QVERIFY(
            PictureFile::Payload(canvas->GetImage()).startsWith(QByteArray::number(pixels.width()) + "x"));
        QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));
        // The pen keeps its apparent width: 20 units are 20 x ratio pixels across, and round.
        const QImage image = canvas->GetImage();
        const int c = qRound(100 * ratio);
        QCOMPARE(image.pixel(c, c), Blue);
        QCOMPARE(image.pixel(c + qRound(8 * ratio), c), Blue);
        QCOMPARE(image.pixel(c + qRound(12 * ratio), c), White);
        const int painted = countColour(image, Blue);
        QVERIFY(painted > 250 * ratio * ratio && painted < 400 * ratio * ratio);
        QCOMPARE(canvas->grab().toImage().pixel(100, 100), Blue);
        // A picture drawn at another scale is stretched to this screen's pixels.
        TestEnv::ScratchDir dir;
        QImage drawing(320, 240, QImage::Format_RGB16);
        drawing.fill(Qt::red);
        QCOMPARE(PictureFile::Write(QStringLiteral("pic"), drawing), 0);
        QCOMPARE(canvas->LoadPicture(QStringLiteral("pic")), 0);
        QCOMPARE(canvas->GetImage().size(), pixels);
        QCOMPARE(countColour(canvas->GetImage(), 0xFFFF0000), pixels.width() * pixels.height());
    }

    void shapes_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRectF>("live"); // the shape's outline while dragging
        QTest::addColumn<QList<QPoint>>("blue");
        QTest::addColumn<QList<QPoint>>("white");
        // The outline runs through the press point and one pixel beyond the mouse.
        QTest::newRow("rectangle") << int(PaintWidget::Rectangle) << 3 << QPoint(100, 100) << QPoint(150, 130)
                                   << QRectF(100, 100, 51, 31)
                                   << QList<QPoint>{{100, 115}, {125, 100}, {151, 115}}
                                   << QList<QPoint>{{125, 115}, {152, 140}};
        // Width -49 and height -39 from the press point.
        QTest::newRow("rectangle up and left")
            << int(PaintWidget::Rectangle) << 1 << QPoint(100, 100) << QPoint(50, 60)
            << QRectF(51, 61, 49, 39) << QList<QPoint>{{100, 80}, {75, 100}} << QList<QPoint>{{75, 80}};
        // Inscribed in the drag: the drag's corner lies outside.
        QTest::newRow("ellipse") << int(PaintWidget::Ellipse) << 3 << QPoint(100, 100) << QPoint(200, 160)
                                 << QRectF() << QList<QPoint>{{150, 100}, {100, 130}, {200, 130}}
                                 << QList<QPoint>{{150, 130}, {102, 102}};
    }

    void shapes()
    {
        QFETCH(int, tool);
        QFETCH(int, width);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRectF, live);
        QFETCH(QList<QPoint>, blue);
        QFETCH(QList<QPoint>, white);
        auto canvas = makeCanvas(tool, width);
        QVERIFY(canvas);
        QTest::mousePress(canvas.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas.get(), to);
        QVERIFY(live.isNull() || canvas->LivePath().boundingRect() == live);
        QVERIFY(tool == PaintWidget::Pencil || countColour(canvas->GetImage(), Blue) == 0);
        QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, to);
        QVERIFY(!canvas->IsDrawing());
        const QImage image = canvas->GetImage();
        for (const QPoint& p : blue) {
            QVERIFY2(image.pixel(p) == Blue, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        }
        for (const QPoint& p : white) {
            QVERIFY2(image.pixel(p) == White, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        }
    }

    void rightClickDuringDragTogglesPanelOnly()
    {
        auto canvas = makeCanvas(PaintWidget::Rectangle);
        QVERIFY(canvas);
        QSignalSpy toggles(canvas.get(), &PaintWidget::HideOrShowPancel);
        QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(canvas.get(), QPoint(60, 60));
        QTest::mouseClick(canvas.get(), Qt::RightButton, {}, QPoint(60, 60));
        QVERIFY(toggles.count() == 1 && canvas->IsDrawing());
        QTest::mouseMove(canvas.get(), QPoint(80, 80));
        QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(80, 80));
        QCOMPARE(canvas->GetImage().pixel(81, 50), Blue);
    }
};

QTEST_MAIN(TestPaintWidget)
#include "testpaintwidget.moc"
