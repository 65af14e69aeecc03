#include "paintwidget.h"
#include "picturefile.h"
#include "screensize.h"
#include "testenv.h"

#include <QFontDialog>
#include <QSignalSpy>
#include <QtTest>

class TestPaintWidget : public QObject
{
    Q_OBJECT

private:
    static const QRgb Blue = 0xFF0000FF;
    static const QRgb White = 0xFFFFFFFF;

    // A shown canvas with a blue pen of `width`, as the editor sets it up.
    std::unique_ptr<PaintWidget> makeCanvas(int tool, int width = 1)
    {
        auto canvas = std::make_unique<PaintWidget>();
        canvas->ResetCanvas(QColor(0, 0, 255), width);
        canvas->SetTool(tool);
        canvas->show();
        if (!QTest::qWaitForWindowExposed(canvas.get())) {
            return nullptr;
        }
        return canvas;
    }

    static int countColour(const QImage& image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixel(x, y) == colour;
            }
        }
        return n;
    }

    static void drag(QWidget* w, QPoint from, QPoint to)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, from);
        QTest::mouseMove(w, (from + to) / 2);
        QTest::mouseMove(w, to);
        QTest::mouseRelease(w, Qt::LeftButton, {}, to);
    }

private slots:
    void init() { ScreenSize::setOverride(QSize(320, 240)); }
    void cleanup() { ScreenSize::clearOverride(); }

    void canvasCoversTheScreen();
    void dotOfPenWidth_data();
    void dotOfPenWidth();
    void rubberDrawsWhiteWhateverThePenColour();
    void rectangleFollowsMouseAndCommitsOnRelease();
    void rectangleDraggedUpAndLeft();
    void ellipseInscribedInDrag();
    void lineAndPencilStroke();
    void textCommittedAtSecondClick();
    void emptyTextDrawsNothing();
    void fontActionChangesBoxAndText();
    void rightClickDuringDragTogglesPanelOnly();
    void loadPictureResults();
};

void TestPaintWidget::canvasCoversTheScreen()
{
    PaintWidget canvas;
    QCOMPARE(canvas.size(), QSize(320, 240));
    QCOMPARE(canvas.pos(), QPoint(0, 0));
    QCOMPARE(canvas.minimumSize(), canvas.maximumSize());
    QVERIFY(canvas.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(canvas.GetImage().size(), QSize(320, 240));
    QCOMPARE(canvas.GetImage().format(), QImage::Format_RGB16);
}

void TestPaintWidget::dotOfPenWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1") << 1;
    QTest::newRow("5") << 5;
    QTest::newRow("20") << 20;
}

void TestPaintWidget::dotOfPenWidth()
{
    QFETCH(int, width);
    auto canvas = makeCanvas(PaintWidget::Pencil, width);
    QVERIFY(canvas);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));
    const QImage image = canvas->GetImage();
    QCOMPARE(image.pixel(100, 100), Blue);
    QCOMPARE(image.pixel(100 + width / 2 + 2, 100), White);
    QCOMPARE(image.pixel(100, 100 - width / 2 - 2), White);
    if (width > 2) {
        QCOMPARE(image.pixel(100 + width / 2 - 1, 100), Blue);
    }
    // Round, about pi r^2 pixels, never the square the width spans.
    const int painted = countColour(image, Blue);
    QVERIFY2(painted >= 1 && painted <= qMax(1, width * width), qPrintable(QString::number(painted)));
    if (width >= 20) {
        QVERIFY(painted < width * width * 0.9);
        QCOMPARE(image.pixel(100 + width / 2 - 1, 100 + width / 2 - 1), White);
    }
    // The window shows what the image holds.
    QCOMPARE(canvas->grab().toImage().pixel(100, 100), Blue);
}

void TestPaintWidget::rubberDrawsWhiteWhateverThePenColour()
{
    auto canvas = makeCanvas(PaintWidget::Rectangle, 30);
    QVERIFY(canvas);
    drag(canvas.get(), QPoint(50, 50), QPoint(150, 150));
    QCOMPARE(canvas->GetImage().pixel(50, 100), Blue);
    canvas->DrawPen().setColor(Qt::red);
    canvas->SetTool(PaintWidget::Rubber);
    drag(canvas.get(), QPoint(50, 20), QPoint(50, 200));
    QCOMPARE(canvas->GetImage().pixel(50, 100), White);
    QCOMPARE(canvas->GetImage().pixel(150, 100), Blue);
    QCOMPARE(countColour(canvas->GetImage(), 0xFFFF0000), 0);
}

void TestPaintWidget::rectangleFollowsMouseAndCommitsOnRelease()
{
    auto canvas = makeCanvas(PaintWidget::Rectangle, 3);
    QVERIFY(canvas);
    // The outline runs through the press point and one pixel beyond the mouse.
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas.get(), QPoint(200, 180));
    QVERIFY(canvas->IsDrawing());
    QCOMPARE(countColour(canvas->GetImage(), Blue), 0);
    QImage shown = canvas->grab().toImage();
    QCOMPARE(shown.pixel(201, 150), Blue);

    QTest::mouseMove(canvas.get(), QPoint(150, 130));
    shown = canvas->grab().toImage();
    QCOMPARE(shown.pixel(201, 150), White); // the earlier outline is gone
    QCOMPARE(shown.pixel(151, 120), Blue);
    QCOMPARE(canvas->LivePath().boundingRect(), QRectF(100, 100, 51, 31));

    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(150, 130));
    QVERIFY(!canvas->IsDrawing());
    const QImage image = canvas->GetImage();
    QCOMPARE(image.pixel(100, 115), Blue);
    QCOMPARE(image.pixel(125, 100), Blue);
    QCOMPARE(image.pixel(125, 115), White);
    QCOMPARE(image.pixel(151, 115), Blue);
    QCOMPARE(image.pixel(201, 150), White);

    // It stays when the next shape is drawn.
    drag(canvas.get(), QPoint(10, 10), QPoint(20, 20));
    QCOMPARE(canvas->GetImage().pixel(100, 115), Blue);
    QCOMPARE(canvas->GetImage().pixel(10, 15), Blue);
}

void TestPaintWidget::rectangleDraggedUpAndLeft()
{
    auto canvas = makeCanvas(PaintWidget::Rectangle);
    QVERIFY(canvas);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas.get(), QPoint(50, 60));
    // Width -49 and height -39 from the press point.
    QCOMPARE(canvas->LivePath().boundingRect(), QRectF(51, 61, 49, 39));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(50, 60));
    const QImage image = canvas->GetImage();
    QVERIFY(image.pixel(51, 80) == Blue || image.pixel(50, 80) == Blue);
    QCOMPARE(image.pixel(100, 80), Blue);
    QCOMPARE(image.pixel(75, 80), White);
    QCOMPARE(image.pixel(75, 100), Blue);
}

void TestPaintWidget::ellipseInscribedInDrag()
{
    auto canvas = makeCanvas(PaintWidget::Ellipse, 3);
    QVERIFY(canvas);
    drag(canvas.get(), QPoint(100, 100), QPoint(200, 160));
    const QImage image = canvas->GetImage();
    QCOMPARE(image.pixel(150, 100), Blue);  // top
    QCOMPARE(image.pixel(100, 130), Blue);  // left
    QCOMPARE(image.pixel(200, 130), Blue);  // right
    QCOMPARE(image.pixel(150, 130), White); // inside
    QCOMPARE(image.pixel(102, 102), White); // the corner of the drag is outside the ellipse
}

void TestPaintWidget::lineAndPencilStroke()
{
    auto canvas = makeCanvas(PaintWidget::Line, 3);
    QVERIFY(canvas);
    drag(canvas.get(), QPoint(10, 200), QPoint(110, 200));
    QCOMPARE(canvas->GetImage().pixel(60, 200), Blue);
    QCOMPARE(canvas->GetImage().pixel(60, 190), White);

    canvas->SetTool(PaintWidget::Pencil);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(canvas.get(), QPoint(60, 10));
    QTest::mouseMove(canvas.get(), QPoint(60, 60));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(canvas->GetImage().pixel(35, 10), Blue);
    QCOMPARE(canvas->GetImage().pixel(60, 35), Blue);
    QCOMPARE(canvas->GetImage().pixel(35, 35), White);
}

void TestPaintWidget::textCommittedAtSecondClick()
{
    auto canvas = makeCanvas(PaintWidget::Text);
    QVERIFY(canvas);
    canvas->TextFont().setPixelSize(20);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
    QLineEdit* box = canvas->findChild<QLineEdit*>(QStringLiteral("TextLine"));
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->pos(), QPoint(40, 50));
    QCOMPARE(box->font().pixelSize(), 20);
    QCOMPARE(box->actions().size(), 1);
    QCOMPARE(box->actions().at(0)->text(), QStringLiteral("Font"));

    QTest::keyClicks(box, QStringLiteral("H"));
    const int narrow = box->width();
    QTest::keyClicks(box, QStringLiteral("ello, a world much wider than an empty box"));
    QVERIFY2(box->width() > narrow, "the box grows as the user types");
    QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->text()));
    QCOMPARE(countColour(canvas->GetImage(), Blue), 0);

    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(250, 200));
    QVERIFY(!box->isVisible());
    QVERIFY(!canvas->IsTextOpen());
    const QImage image = canvas->GetImage();
    const QRect around = QRect(40, 50, box->width(), box->height()).intersected(image.rect());
    int inside = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            inside += image.pixel(x, y) != White;
        }
    }
    QVERIFY(inside > 20);
    QCOMPARE(countColour(image, White) + inside, 320 * 240);
}

void TestPaintWidget::emptyTextDrawsNothing()
{
    auto canvas = makeCanvas(PaintWidget::Text);
    QVERIFY(canvas);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
    QVERIFY(canvas->IsTextOpen());
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(40, 50));
    QVERIFY(!canvas->IsTextOpen());
    QCOMPARE(countColour(canvas->GetImage(), White), 320 * 240);
}

void TestPaintWidget::fontActionChangesBoxAndText()
{
    auto canvas = makeCanvas(PaintWidget::Text);
    QVERIFY(canvas);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QLineEdit* box = canvas->findChild<QLineEdit*>(QStringLiteral("TextLine"));
    QFont big = canvas->TextFont();
    big.setPointSize(30);
    QTimer::singleShot(0, qApp, [big] {
        QFontDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())));
        dialog->setCurrentFont(big);
        dialog->accept();
    });
    box->actions().at(0)->trigger();
    QCOMPARE(canvas->TextFont().pointSize(), 30);
    QCOMPARE(box->font().pointSize(), 30);
    QVERIFY(canvas->IsTextOpen());
}

void TestPaintWidget::rightClickDuringDragTogglesPanelOnly()
{
    auto canvas = makeCanvas(PaintWidget::Rectangle);
    QVERIFY(canvas);
    QSignalSpy toggles(canvas.get(), &PaintWidget::HideOrShowPancel);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(canvas.get(), QPoint(60, 60));
    QTest::mousePress(canvas.get(), Qt::RightButton, {}, QPoint(60, 60));
    QTest::mouseRelease(canvas.get(), Qt::RightButton, {}, QPoint(60, 60));
    QCOMPARE(toggles.count(), 1);
    QVERIFY(canvas->IsDrawing());
    QCOMPARE(countColour(canvas->GetImage(), Blue), 0);
    QTest::mouseMove(canvas.get(), QPoint(80, 80));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(80, 80));
    QCOMPARE(canvas->GetImage().pixel(81, 50), Blue);
}

void TestPaintWidget::loadPictureResults()
{
    TestEnv::ScratchDir dir;
    auto canvas = makeCanvas(PaintWidget::Pencil);
    QVERIFY(canvas);
    QImage drawing(320, 240, QImage::Format_RGB16);
    drawing.fill(Qt::white);
    drawing.setPixel(5, 5, qRgb(255, 0, 0));
    QCOMPARE(PictureFile::Write(QStringLiteral("good"), drawing), 0);
    TestEnv::writeAll(QStringLiteral("damaged"), PictureFile::Encode(drawing).left(40));

    QCOMPARE(canvas->LoadPicture(QString()), -1);
    QCOMPARE(canvas->LoadPicture(QStringLiteral("missing")), -1);
    QCOMPARE(canvas->LoadPicture(QStringLiteral("damaged")), -1);
    QCOMPARE(countColour(canvas->GetImage(), White), 320 * 240);

    QCOMPARE(canvas->LoadPicture(QStringLiteral("good")), 0);
    QCOMPARE(canvas->GetImage(), drawing);
    QCOMPARE(canvas->grab().toImage().pixel(5, 5), qRgb(255, 0, 0));
}

QTEST_MAIN(TestPaintWidget)
#include "testpaintwidget.moc"
