// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"
#include "gui/effects/effectshow.h"
#include "gui/events/affaireditdialog.h"
#include "gui/paint/paintcpanel.h"
#include "mock/MockScreens.h"
#include "support/widgettest.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDateEdit>
#include <QFileDialog>
#include <QFontDialog>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>

using namespace WidgetTest;

namespace {

// "Set Event": `act` works the event dialog and presses its buttons.
template <typename F> void SetEvent(PaintCPanel& panel, F act)
{
    WhenModal<AffairEditDialog>([act](AffairEditDialog* dialog) { act(dialog); });
    Click(&panel, "pushButton");
}

// A sheet for a new event due the next day, its details confirmed once, ready for "OK".
struct NewEvent
{
    Sandbox box;
    PaintCPanel panel;
    PaintWidget* canvas = panel.Canvas();
    NewEvent()
    {
        MockClock::set(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
        panel.SetAffair(AffairInfo());
        panel.ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        SetEvent(panel, [](QWidget* dialog) {
            Child<QDateEdit>(dialog, "AFDateEdit")->setDate(QDate(2010, 2, 2));
            ClickBox(dialog, QDialogButtonBox::Ok);
        });
    }
};

// A drag with the left button, through the canvas's own mouse handlers.
void Drag(QWidget* canvas, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, (from + to) / 2);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

// A key pressed on the sheet, which has the focus as the user draws.
void Key(PaintCPanel& panel, int key, Qt::KeyboardModifiers modifiers = {})
{
    if (!panel.Canvas()->isActiveWindow()) {
        panel.Canvas()->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(panel.Canvas()->isActiveWindow(), 5000);
    }
    QTest::keyClick(panel.Canvas(), Qt::Key(key), modifiers);
}

bool Enabled(PaintCPanel& panel, const char* button)
{
    return Child<QAbstractButton>(&panel, button)->isEnabled();
}

// Left half transparent, right half red.
QImage HalfRed(const QSize& size)
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(QRect(size.width() / 2, 0, size.width() / 2, size.height()), Qt::red);
    return picture;
}

// Drops `mime` on the sheet as a file manager would.
void Drop(PaintCPanel& panel, QMimeData* mime)
{
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(panel.Canvas(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(panel.Canvas(), &drop);
}

} // namespace

class TestPaintCPanel : public QObject
{
    Q_OBJECT

private slots:
    void init() { MockScreens::set(QSize(320, 240)); }

    // Every tool's step is one undo step, undone and redone from the keyboard.
    void undoRedoEachTool_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("prepare");
        QTest::newRow("pencil") << int(Qt::Key_P) << 0;
        QTest::newRow("line") << int(Qt::Key_L) << 0;
        QTest::newRow("rectangle") << int(Qt::Key_R) << 0;
        QTest::newRow("ellipse") << int(Qt::Key_E) << 0;
        QTest::newRow("rubber over a stroke") << int(Qt::Key_X) << int(Qt::Key_P);
        QTest::newRow("text") << int(Qt::Key_T) << 0;
        QTest::newRow("fill in a rectangle") << int(Qt::Key_F) << int(Qt::Key_R);
    }
    void undoRedoEachTool()
    {
        QFETCH(int, tool);
        QFETCH(int, prepare);
        NewEvent e;
        Child<QSpinBox>(&e.panel, "MyPenWidth")->setValue(9);
        if (prepare) {
            Key(e.panel, prepare);
            Drag(e.canvas, QPoint(40, 40), QPoint(200, 150));
        }
        const QImage before = e.canvas->GetImage();
        Key(e.panel, tool);
        if (tool == Qt::Key_T) {
            QTest::mouseClick(e.canvas, Qt::LeftButton, {}, QPoint(60, 60));
            // Letters that are also tool keys go into the text.
            QTest::keyClicks(e.canvas->TextEdit(), QStringLiteral("Tip"));
            QCOMPARE(e.canvas->TextEdit()->text(), QStringLiteral("Tip"));
            QTest::mouseClick(e.canvas, Qt::LeftButton, {}, QPoint(250, 200));
        } else if (tool == Qt::Key_F) {
            QTest::mouseClick(e.canvas, Qt::LeftButton, {}, QPoint(120, 100));
        } else {
            Drag(e.canvas, QPoint(40, 40), QPoint(200, 150));
        }
        const QImage after = e.canvas->GetImage();
        QVERIFY(after != before);
        Key(e.panel, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(e.canvas->GetImage() == before);
        Key(e.panel, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(e.canvas->GetImage() == after);
    }

    // A tool key pressed in the middle of a stroke: the stroke is still one step of its own. The
    // panel's buttons tell what is possible. "OK" saves the picture as it is after the undo, once
    // it can: without a ./data folder it says so and keeps the sheet.
    void strokesUndoAndOk()
    {
        NewEvent e;
        QVERIFY(!Enabled(e.panel, "MyUndo") && !Enabled(e.panel, "MyRedo"));
        QTest::mousePress(e.canvas, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(e.canvas, QPoint(100, 30));
        Key(e.panel, Qt::Key_L);
        QTest::mouseRelease(e.canvas, Qt::LeftButton, {}, QPoint(100, 30));
        const QImage stroke = e.canvas->GetImage();
        Drag(e.canvas, QPoint(20, 200), QPoint(300, 220));
        QVERIFY(Enabled(e.panel, "MyUndo") && !Enabled(e.panel, "MyRedo"));
        Click(&e.panel, "MyUndo");
        QVERIFY(e.canvas->GetImage() == stroke && Enabled(e.panel, "MyRedo"));
        Key(e.panel, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        Key(e.panel, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(e.canvas->GetImage() == stroke && e.canvas->History().UndoCount() == 1);
        QSignalSpy done(&e.panel, &PaintCPanel::JobDone);
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        Click(&e.panel, "pushButton_2");
        QVERIFY2(text.contains(QStringLiteral("./data/dap20100201090503")), qPrintable(text));
        QVERIFY(done.isEmpty() && !e.panel.IsSaved() && e.canvas->isVisible());
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        Click(&e.panel, "pushButton_2");
        QVERIFY(done.count() == 1 && e.panel.IsSaved() && !e.canvas->isVisible());
        QImage saved;
        QVERIFY(PictureFile::Read(e.panel.GetAffair().GetPicPath(), stroke.size(), &saved));
        QVERIFY(saved == stroke);
    }

    // Ctrl+V: centred, transparent parts white, moved by dragging, fixed by a click beside it
    // (which draws nothing), one undo step; one too large is scaled down to the sheet and is
    // fixed by choosing a tool.
    void pastePlaceAndFix()
    {
        NewEvent e;
        QGuiApplication::clipboard()->setImage(HalfRed(QSize(100, 60)));
        Key(e.panel, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.canvas->PlacedRect(), QRect(110, 90, 100, 60));
        Drag(e.canvas, QPoint(180, 120), QPoint(200, 140));
        QCOMPARE(e.canvas->PlacedRect(), QRect(130, 110, 100, 60));
        QTest::mouseClick(e.canvas, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!e.canvas->IsPlacing());
        const QImage sheet = e.canvas->GetImage();
        QCOMPARE(sheet.pixel(205, 140), qRgb(255, 0, 0));
        QCOMPARE(sheet.pixel(140, 140), qRgb(255, 255, 255));
        QCOMPARE(sheet.pixel(10, 10), qRgb(255, 255, 255));
        QCOMPARE(e.canvas->History().UndoCount(), 1);

        QGuiApplication::clipboard()->setImage(HalfRed(QSize(640, 480)));
        Key(e.panel, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.canvas->PlacedRect(), QRect(0, 0, 320, 240));
        Key(e.panel, Qt::Key_L);
        QVERIFY(!e.canvas->IsPlacing());
        QCOMPARE(e.canvas->GetImage().pixel(300, 10), qRgb(255, 0, 0));

        QGuiApplication::clipboard()->setText(QStringLiteral("not a picture"));
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        Key(e.panel, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text, QStringLiteral("The clipboard holds no picture."));
    }

    // A picture opened, or dropped, is placed in the middle; what is dropped and is no picture
    // (the kinds are the import's to tell) gets a message at once, the drawing as it was.
    void openAndDropPicture()
    {
        NewEvent e;
        QVERIFY(HalfRed(QSize(40, 20)).save(QStringLiteral("photo.png")));
        TestEnv::writeAll(QStringLiteral("note.png"), "Buy milk");
        const QString path = QFileInfo(QStringLiteral("photo.png")).absoluteFilePath();
        WhenModal<QFileDialog>([path](QFileDialog* dialog) {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        Key(e.panel, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(e.canvas->PlacedRect(), QRect(140, 110, 40, 20));
        Key(e.panel, Qt::Key_L);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        Drop(e.panel, &mime);
        QCOMPARE(e.canvas->PlacedRect(), QRect(140, 110, 40, 20));
        Key(e.panel, Qt::Key_L);
        const QImage before = e.canvas->GetImage();
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        mime.setUrls({QUrl::fromLocalFile(QFileInfo(QStringLiteral("note.png")).absoluteFilePath())});
        Drop(e.panel, &mime);
        QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), 5000);
        QVERIFY2(text.startsWith(QStringLiteral("The dropped picture could not be opened")),
                 qPrintable(text));
        QVERIFY(!e.canvas->IsPlacing() && e.canvas->GetImage() == before);
    }

    // The colour dialog starts on the pen's colour (white, taken at once, would draw nothing on
    // the desktop); the font button sets the text's font; brackets change the width of the tool
    // in hand. Minimising the panel or the sheet minimises nothing: without a task bar nothing
    // would bring them back.
    void dialogsKeysAndMinimising()
    {
        NewEvent e;
        e.canvas->DrawPen().setColor(QColor(200, 0, 0));
        WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->accept(); });
        Click(&e.panel, "MyColor");
        QCOMPARE(e.canvas->DrawPen().color(), QColor(200, 0, 0));
        WhenModal<QFontDialog>([](QFontDialog* dialog) {
            dialog->setCurrentFont(QFont(QStringLiteral("Sans"), 30));
            dialog->accept();
        });
        Click(&e.panel, "MyFont");
        QCOMPARE(e.canvas->TextFont().pointSize(), 30);
        Key(e.panel, Qt::Key_X);
        Key(e.panel, Qt::Key_BracketRight);
        QCOMPARE(e.canvas->RubberPen().width(), 6);
        Key(e.panel, Qt::Key_BracketLeft);
        Key(e.panel, Qt::Key_BracketLeft);
        QCOMPARE(Child<QSpinBox>(&e.panel, "MyPenWidth")->value(), 4);

        e.panel.showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(!e.panel.isMinimized() && e.panel.isVisible() && e.canvas->isVisible(),
                                 5000);
        e.canvas->showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(!e.canvas->isMinimized() && !e.panel.isMinimized(), 5000);
    }

    // In the event dialog a preview hides the sheet until it ends, and a reminder on the desktop
    // still takes the click that dismisses it; once the dialog is answered the panel is back in
    // front of the sheet, "OK" and "Cancel" within reach.
    void previewAndReminderDuringDialog()
    {
        NewEvent e;
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(Qt::black);
        int dismissed = -1;
        SetEvent(e.panel, [&](QWidget* dialog) {
            QListWidget* list = Child<QListWidget>(dialog, "EffectList");
            const QPoint at = list->visualItemRect(list->item(3)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(!e.canvas->isVisible());
            EffectShow reminder;
            QSignalSpy done(&reminder, &EffectShow::EffectDone);
            reminder.PrepareEffect(picture, 0, 0);
            reminder.StartEffect(30);
            QTRY_VERIFY_WITH_TIMEOUT(!reminder.IsRunning() && e.canvas->isVisible(), 30000);
            QVERIFY(QTest::qWaitForWindowExposed(&reminder));
            // Through the window system, where modal dialogs block input.
            QTest::mouseClick(reminder.windowHandle(), Qt::LeftButton, {}, QPoint(100, 100));
            dismissed = done.count();
            ClickBox(dialog, QDialogButtonBox::Ok);
        });
        QCOMPARE(dismissed, 1);
        QVERIFY(e.panel.isVisible() && e.canvas->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &e.panel);
    }

    // The pointer is on the second screen: the sheet opens there, at its pixels; the pen keeps
    // its apparent width.
    void sheetAtScale()
    {
        const double ratio = 1.5;
        MockScreens::set({{QRect(0, 0, 320, 240), 1.0}, {QRect(320, 0, 320, 240), ratio}}, QPoint(400, 10));
        PaintWidget canvas;
        canvas.ResetCanvas(QColor(0, 0, 255), 20);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        QCOMPARE(canvas.geometry(), QRect(320, 0, 320, 240));
        const QSize pixels(qRound(320 * ratio), qRound(240 * ratio));
        QCOMPARE(canvas.GetImage().size(), pixels);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(100, 100));
        const int c = qRound(100 * ratio);
        QCOMPARE(canvas.GetImage().pixel(c + qRound(8 * ratio), c), qRgb(0, 0, 255));
        QCOMPARE(canvas.GetImage().pixel(c + qRound(12 * ratio), c), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestPaintCPanel)
#include "testpaintcpanel.moc"
