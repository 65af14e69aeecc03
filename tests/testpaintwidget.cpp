// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "core/picture/picturefile.h"
#include "gui/paint/paintwidget.h"
#include "support/painttest.h"
#include "support/testenv.h"

#include <QLineEdit>
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
        QTest::newRow("pencil stroke") << int(PaintWidget::Pencil) << 3 << QPoint(10, 10) << QPoint(60, 60)
                                       << QRectF() << QList<QPoint>{{35, 35}} << QList<QPoint>{{35, 10}};
        QTest::newRow("line") << int(PaintWidget::Line) << 3 << QPoint(10, 200) << QPoint(110, 200)
                              << QRectF() << QList<QPoint>{{60, 200}} << QList<QPoint>{{60, 190}};
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

    void rectangleFollowsTheMouse()
    {
        auto canvas = makeCanvas(PaintWidget::Rectangle, 3);
        QVERIFY(canvas);
        QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(canvas.get(), QPoint(200, 180));
        QCOMPARE(canvas->grab().toImage().pixel(201, 150), Blue);
        QTest::mouseMove(canvas.get(), QPoint(150, 130));
        const QImage shown = canvas->grab().toImage();
        QCOMPARE(shown.pixel(201, 150), White); // the earlier outline is gone
        QCOMPARE(shown.pixel(151, 120), Blue);
        QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(150, 130));
        QCOMPARE(canvas->GetImage().pixel(201, 150), White);
        // It stays when the next shape is drawn.
        PaintTest::drag(canvas.get(), QPoint(10, 10), QPoint(20, 20));
        QCOMPARE(canvas->GetImage().pixel(100, 115), Blue);
        QCOMPARE(canvas->GetImage().pixel(10, 15), Blue);
    }

    void rubberDrawsWhiteWhateverThePenColour()
    {
        auto canvas = makeCanvas(PaintWidget::Rectangle, 30);
        QVERIFY(canvas);
        PaintTest::drag(canvas.get(), QPoint(50, 50), QPoint(150, 150));
        QCOMPARE(canvas->GetImage().pixel(50, 100), Blue);
        canvas->DrawPen().setColor(Qt::red);
        canvas->SetTool(PaintWidget::Rubber);
        PaintTest::drag(canvas.get(), QPoint(50, 20), QPoint(50, 200));
        QCOMPARE(canvas->GetImage().pixel(50, 100), White);
        QCOMPARE(canvas->GetImage().pixel(150, 100), Blue);
        QCOMPARE(countColour(canvas->GetImage(), 0xFFFF0000), 0);
    }

    void textCommittedAtSecondClick()
    {
        auto canvas = makeCanvas(PaintWidget::Text);
        QVERIFY(canvas);
        canvas->TextFont().setPixelSize(20);
        // Nothing typed: the second click draws nothing.
        QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
        QVERIFY(canvas->IsTextOpen());
        QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
        QVERIFY(!canvas->IsTextOpen());
        QCOMPARE(countColour(canvas->GetImage(), White), 320 * 240);

        QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
        auto* box = PaintTest::child<QLineEdit>(canvas.get(), "TextLine");
        QVERIFY(box && box->isVisible());
        QTest::keyClicks(box, QStringLiteral("H"));
        const int narrow = box->width();
        QTest::keyClicks(box, QStringLiteral("ello, a world much wider than an empty box"));
        QVERIFY2(box->width() > narrow, "the box grows as the user types");
        QCOMPARE(countColour(canvas->GetImage(), Blue), 0);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(250, 200));
        QVERIFY(!box->isVisible());
        // Drawn where the box was, and nowhere else.
        const QImage image = canvas->GetImage();
        const QImage inBox = image.copy(QRect(40, 50, box->width(), box->height()).intersected(image.rect()));
        const int drawn = 320 * 240 - countColour(image, White);
        QVERIFY(drawn > 20);
        QCOMPARE(inBox.width() * inBox.height() - countColour(inBox, White), drawn);
    }

    void rightClickDuringDragTogglesPanelOnly()
    {
        auto canvas = makeCanvas(PaintWidget::Rectangle);
        QVERIFY(canvas);
        QSignalSpy toggles(canvas.get(), &PaintWidget::HideOrShowPancel);
        QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(canvas.get(), QPoint(60, 60));
        QTest::mouseClick(canvas.get(), Qt::RightButton, {}, QPoint(60, 60));
        QCOMPARE(toggles.count(), 1);
        QVERIFY(canvas->IsDrawing());
        QCOMPARE(countColour(canvas->GetImage(), Blue), 0);
        QTest::mouseMove(canvas.get(), QPoint(80, 80));
        QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(80, 80));
        QCOMPARE(canvas->GetImage().pixel(81, 50), Blue);
    }

    void loadPicture()
    {
        TestEnv::ScratchDir dir;
        auto canvas = makeCanvas(PaintWidget::Pencil);
        QVERIFY(canvas);
        QImage drawing(320, 240, QImage::Format_RGB16);
        drawing.fill(Qt::white);
        drawing.setPixel(5, 5, qRgb(255, 0, 0));
        QCOMPARE(PictureFile::Write(QStringLiteral("good"), drawing), 0);
        TestEnv::writeAll(QStringLiteral("damaged"), PictureFile::Encode(drawing).left(40));
        QCOMPARE(canvas->LoadPicture(QStringLiteral("missing")), -1);
        QCOMPARE(canvas->LoadPicture(QStringLiteral("damaged")), -1);
        QCOMPARE(countColour(canvas->GetImage(), White), 320 * 240);
        QCOMPARE(canvas->LoadPicture(QStringLiteral("good")), 0);
        QCOMPARE(canvas->GetImage(), drawing);
    }
};

QTEST_MAIN(TestPaintWidget)
#include "testpaintwidget.moc"
