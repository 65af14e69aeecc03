// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "gui/effects/effectshow.h"
#include "gui/events/affaireditdialog.h"
#include "gui/paint/paintcpanel.h"
#include "support/widgettest.h"

#include <QColorDialog>
#include <QDateEdit>
#include <QListWidget>
#include <QSignalSpy>

using namespace WidgetTest;

namespace {

// "Set Event": `act` works the event dialog and presses its buttons.
template <typename F> void SetEvent(PaintCPanel& panel, F act)
{
    WhenModal<AffairEditDialog>([act](AffairEditDialog* dialog) { act(dialog); });
    Click(&panel, "pushButton");
}

// A new event due tomorrow, its details confirmed once, ready for "OK".
void PrepareNewEvent(PaintCPanel& panel)
{
    panel.SetAffair(AffairInfo());
    panel.ShowEditor();
    QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
    SetEvent(panel, [](QWidget* dialog) {
        Child<QDateEdit>(dialog, "AFDateEdit")->setDate(QDate(2010, 2, 2));
        ClickBox(dialog, QDialogButtonBox::Ok);
    });
}

} // namespace

class TestPaintCPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("UTC"); }
    void init()
    {
        ScreenSize::setOverride(QSize(320, 240));
        Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    }
    void cleanupTestCase() { Clock::reset(); }

    void okWritesPictureOnceItCan()
    {
        TestEnv::ScratchDir dir; // no ./data folder at first: the picture cannot be written
        PaintCPanel panel;
        PrepareNewEvent(panel);
        QTest::mouseClick(panel.Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
        QSignalSpy done(&panel, &PaintCPanel::JobDone);
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        Click(&panel, "pushButton_2");
        QVERIFY2(text.contains(QStringLiteral("./data/dap20100201090503")), qPrintable(text));
        QVERIFY(done.isEmpty() && !panel.IsSaved() && panel.Canvas()->isVisible());
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        Click(&panel, "pushButton_2");
        QVERIFY(done.count() == 1 && panel.IsSaved() && !panel.Canvas()->isVisible());
    }

    // In the event dialog a preview hides the sheet until it ends, and a reminder on the desktop
    // still takes the click that dismisses it; once the dialog is answered the panel is back in
    // front of the sheet, "OK" and "Cancel" within reach.
    void previewAndReminderDuringDialog()
    {
        TestEnv::ScratchDir dir;
        PaintCPanel panel;
        PrepareNewEvent(panel);
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(Qt::black);
        int dismissed = -1;
        SetEvent(panel, [&](QWidget* dialog) {
            QListWidget* list = Child<QListWidget>(dialog, "EffectList");
            const QPoint at = list->visualItemRect(list->item(3)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(!panel.Canvas()->isVisible());
            EffectShow reminder;
            QSignalSpy done(&reminder, &EffectShow::EffectDone);
            reminder.PrepareEffect(picture, 0, 0);
            reminder.StartEffect(30);
            QTRY_VERIFY_WITH_TIMEOUT(!reminder.IsRunning() && panel.Canvas()->isVisible(), 30000);
            QVERIFY(QTest::qWaitForWindowExposed(&reminder));
            // Through the window system, where modal dialogs block input.
            QTest::mouseClick(reminder.windowHandle(), Qt::LeftButton, {}, QPoint(100, 100));
            dismissed = done.count();
            ClickBox(dialog, QDialogButtonBox::Ok);
        });
        QCOMPARE(dismissed, 1);
        QVERIFY(panel.isVisible() && panel.Canvas()->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &panel);
    }

    // The pen colour is where the colour dialog starts.
    void colourDialogStartsOnPen()
    {
        TestEnv::ScratchDir dir;
        PaintCPanel panel;
        PrepareNewEvent(panel);
        panel.Canvas()->DrawPen().setColor(QColor(200, 0, 0));
        QColor offered;
        WhenModal<QColorDialog>([&offered](QColorDialog* dialog) {
            offered = dialog->currentColor();
            dialog->accept();
        });
        Click(&panel, "MyColor");
        QCOMPARE(offered, QColor(200, 0, 0));
    }

    // The pointer is on the second screen: the sheet opens there, at its pixels; the pen keeps
    // its apparent width.
    void sheetAtScale()
    {
        const double ratio = 1.5;
        ScreenSize::setOverride({{QRect(0, 0, 320, 240), 1.0}, {QRect(320, 0, 320, 240), ratio}},
                                QPoint(400, 10));
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
