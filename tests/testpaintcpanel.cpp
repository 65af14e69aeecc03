// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "core/events/clock.h"
#include "gui/effects/effectshow.h"
#include "gui/paint/paintcpanel.h"
#include "support/painttest.h"
#include "core/picture/picturefile.h"
#include "core/effects/screensize.h"
#include "support/testenv.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using PaintTest::child;

namespace {

// Answers the next message box with `which`, keeping its text.
void answerMessageBox(QMessageBox::StandardButton which, QString* text = nullptr)
{
    PaintTest::answerModal<QMessageBox>([which, text](QMessageBox* box) {
        if (text) {
            *text = box->text();
        }
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    });
}

void press(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
}

void click(PaintCPanel& panel, const char* name)
{
    QTest::mouseClick(child<QPushButton>(&panel, name), Qt::LeftButton);
}

// "Set Event", answering the event dialog with `which`.
void setEvent(PaintCPanel& panel, QDialogButtonBox::StandardButton which)
{
    PaintTest::answerModal<AffairEditDialog>([which](AffairEditDialog* dialog) { press(dialog, which); });
    click(panel, "pushButton");
}

// A new event whose details were confirmed once, ready for "OK".
void prepareNewEvent(PaintCPanel& panel)
{
    panel.SetAffair(AffairInfo());
    panel.ShowEditor();
    setEvent(panel, QDialogButtonBox::Ok);
}

} // namespace

class TestPaintCPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("UTC");
        ScreenSize::setOverride(QSize(320, 240));
    }
    void init() { Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3))); }
    void cleanupTestCase()
    {
        Clock::reset();
        ScreenSize::clearOverride();
    }

    void okWritesNewPictureThenSameFileOnEdit()
    {
        TestEnv::ScratchDir dir;
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        // Another event's picture holds this second's name: the new one takes the next.
        TestEnv::writeAll(QStringLiteral("./data/dap20100201090503"), "another event's picture");
        PaintCPanel panel;
        prepareNewEvent(panel);
        QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
        QTest::mouseClick(panel.Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
        const QImage drawing = panel.Canvas()->GetImage();
        QSignalSpy done(&panel, &PaintCPanel::JobDone);
        click(panel, "pushButton_2");
        QCOMPARE(done.count(), 1);
        QVERIFY(panel.IsSaved());
        QVERIFY(!panel.isVisible() && !panel.Canvas()->isVisible());
        const AffairInfo saved = panel.GetAffair();
        QCOMPARE(saved.GetPicPath(), QStringLiteral("./data/dap20100201090504"));
        QCOMPARE(TestEnv::readAll(QStringLiteral("./data/dap20100201090503")),
                 QByteArray("another event's picture"));
        QImage stored;
        QCOMPARE(PictureFile::Read(saved.GetPicPath(), QSize(320, 240), &stored), 0);
        QCOMPARE(stored, drawing);

        // Editing loads the picture and writes it back to the same file.
        Clock::advance(3600);
        PaintCPanel editor;
        QCOMPARE(editor.SetAffair(saved), 0);
        QCOMPARE(editor.Canvas()->GetImage(), drawing);
        editor.ShowEditor();
        editor.Canvas()->SetTool(PaintWidget::Rubber);
        QTest::mouseClick(editor.Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
        click(editor, "pushButton_2");
        QVERIFY(editor.IsSaved());
        QCOMPARE(editor.GetAffair().GetPicPath(), saved.GetPicPath());
        QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files).size(), 2);
        QCOMPARE(PictureFile::Read(saved.GetPicPath(), QSize(320, 240), &stored), 0);
        QCOMPARE(stored.pixel(50, 50), qRgb(255, 255, 255));
    }

    void okNeedsEventAndWritablePicture()
    {
        TestEnv::ScratchDir dir; // no ./data folder: the picture cannot be written
        PaintCPanel panel;
        panel.SetAffair(AffairInfo());
        panel.ShowEditor();
        QPushButton* ok = child<QPushButton>(&panel, "pushButton_2");
        QVERIFY(!ok->isEnabled());
        setEvent(panel, QDialogButtonBox::Cancel);
        QVERIFY(!ok->isEnabled());
        setEvent(panel, QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        QCOMPARE(panel.GetAffair().GetAffairID(), QStringLiteral("2010-02-01T09:05:03"));

        QSignalSpy done(&panel, &PaintCPanel::JobDone);
        QString text;
        answerMessageBox(QMessageBox::Ok, &text);
        click(panel, "pushButton_2");
        QVERIFY2(text.contains(QStringLiteral("./data/dap20100201090503")), qPrintable(text));
        QCOMPARE(done.count(), 0);
        QVERIFY(!panel.IsSaved());
        QVERIFY(panel.isVisible() && panel.Canvas()->isVisible());
        QVERIFY(panel.GetAffair().GetPicPath().isEmpty());
        // Once the folder is there, the same drawing is saved.
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        click(panel, "pushButton_2");
        QCOMPARE(done.count(), 1);
    }

    void cancelAndClose_data()
    {
        QTest::addColumn<int>("answer"); // 0: the reminder is turned off
        QTest::addColumn<bool>("useClose");
        QTest::addColumn<bool>("ends");
        QTest::newRow("cancel, answered No") << int(QMessageBox::No) << false << false;
        QTest::newRow("cancel, answered Yes") << int(QMessageBox::Yes) << false << true;
        QTest::newRow("cancel, no reminder") << 0 << false << true;
        QTest::newRow("close, answered No") << int(QMessageBox::No) << true << false;
        QTest::newRow("close, answered Yes") << int(QMessageBox::Yes) << true << true;
    }

    void cancelAndClose()
    {
        QFETCH(int, answer);
        const bool reminder = answer != 0;
        QFETCH(bool, useClose);
        QFETCH(bool, ends);
        TestEnv::ScratchDir dir;
        if (!reminder) {
            TestEnv::writeAll(QStringLiteral("ESetting.ini"), "[ERemind]\nCancelReminder=false\n");
        }
        PaintCPanel panel;
        prepareNewEvent(panel);
        QSignalSpy done(&panel, &PaintCPanel::JobDone);
        QString text = QStringLiteral("not asked");
        if (reminder) {
            answerMessageBox(QMessageBox::StandardButton(answer), &text);
        }
        if (useClose) {
            QVERIFY(!panel.close());
        } else {
            click(panel, "pushButton_3");
        }
        QCOMPARE(text, reminder
                           ? QStringLiteral("Event has not been saved.\nDo you want to quit without saving?")
                           : QStringLiteral("not asked"));
        QCOMPARE(done.count(), ends ? 1 : 0);
        QCOMPARE(panel.isVisible(), !ends);
        QCOMPARE(panel.Canvas()->isVisible(), !ends);
        QVERIFY(!panel.IsSaved());
    }

    void rubberCursorFollowsWidth()
    {
        TestEnv::ScratchDir dir;
        PaintCPanel panel;
        panel.SetAffair(AffairInfo());
        click(panel, "MyRubber");
        child<QSpinBox>(&panel, "MyPenWidth")->setValue(30);
        QCOMPARE(panel.Canvas()->RubberPen().width(), 30);
        const QCursor cursor = panel.Canvas()->cursor();
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        const QImage shape = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shape.size(), QSize(30, 30));
        // A white disc with a black rim, transparent in the corners.
        QCOMPARE(shape.pixel(15, 15), qRgba(255, 255, 255, 255));
        QCOMPARE(shape.pixel(1, 15), qRgba(0, 0, 0, 255));
        QCOMPARE(qAlpha(shape.pixel(0, 0)), 0);
    }

    void rightClickTogglesPanel()
    {
        TestEnv::ScratchDir dir;
        PaintCPanel panel;
        panel.SetAffair(AffairInfo());
        panel.ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
        QTest::mouseClick(panel.Canvas(), Qt::RightButton, {}, QPoint(30, 30));
        QVERIFY(!panel.isVisible());
        QTest::mouseClick(panel.Canvas(), Qt::RightButton, {}, QPoint(30, 30));
        QVERIFY(panel.isVisible());
    }

    void previewFromEventDialog()
    {
        TestEnv::ScratchDir dir;
        PaintCPanel panel;
        panel.SetAffair(AffairInfo());
        panel.ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
        bool checked = false;
        PaintTest::answerModal<AffairEditDialog>([&panel, &checked](AffairEditDialog* dialog) {
            QListWidget* list = child<QListWidget>(dialog, "EffectList");
            const QPoint at = list->visualItemRect(list->item(2)).center();
            // Twice in a row: the second preview replaces the first window.
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(!panel.Canvas()->isVisible());
            int windows = 0;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                windows += qobject_cast<EffectShow*>(w) != nullptr;
            }
            QCOMPARE(windows, 1);
            QTRY_VERIFY_WITH_TIMEOUT(panel.Canvas()->isVisible(), 30000);
            QVERIFY(dialog->isVisible());
            checked = true;
            press(dialog, QDialogButtonBox::Cancel);
        });
        click(panel, "pushButton");
        QVERIFY(checked);
        QVERIFY(panel.Canvas()->isVisible());
    }
};

QTEST_MAIN(TestPaintCPanel)
#include "testpaintcpanel.moc"
