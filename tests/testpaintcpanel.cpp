#include "affaireditdialog.h"
#include "clock.h"
#include "paintcpanel.h"
#include "picturefile.h"
#include "screensize.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#if __has_include("effectshow.h")
#include "effectshow.h"
#define PENNIBELL_HAVE_EFFECTSHOW 1
#endif

class TestPaintCPanel : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T* child(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }

    // Answers the next message box with `which`, keeping its text.
    static void answerMessageBox(QMessageBox::StandardButton which, QString* text = nullptr)
    {
        QTimer::singleShot(0, qApp, [which, text] {
            QMessageBox* box = nullptr;
            QTRY_VERIFY((box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())));
            if (text) {
                *text = box->text();
            }
            QTest::mouseClick(box->button(which), Qt::LeftButton);
        });
    }

    // Answers the event dialog opened by "Set Event".
    static void answerEventDialog(QDialogButtonBox::StandardButton which)
    {
        QTimer::singleShot(0, qApp, [which] {
            AffairEditDialog* dialog = nullptr;
            QTRY_VERIFY((dialog = qobject_cast<AffairEditDialog*>(QApplication::activeModalWidget())));
            QTest::mouseClick(child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
        });
    }

    static void click(PaintCPanel& panel, const char* name)
    {
        QTest::mouseClick(child<QPushButton>(&panel, name), Qt::LeftButton);
    }

    // A new event whose details were confirmed once, ready for "OK".
    static void prepareNewEvent(PaintCPanel& panel)
    {
        panel.SetAffair(AffairInfo());
        panel.ShowEditor();
        answerEventDialog(QDialogButtonBox::Ok);
        click(panel, "pushButton");
    }

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

    void panelAsDesigned();
    void okDisabledUntilEventAccepted();
    void okWritesNewPictureThenSameFileOnEdit();
    void newPictureSkipsTakenName();
    void unwritablePictureKeepsEditorOpen();
    void cancelAndClose_data();
    void cancelAndClose();
    void rubberCursorFollowsWidth();
    void colourOnlyForDrawingPen();
    void rightClickTogglesPanel();
    void previewFromEventDialog();
};

void TestPaintCPanel::panelAsDesigned()
{
    const QString pencilIcon = QFINDTESTDATA("../icon/ppen.png");
    QVERIFY(!pencilIcon.isEmpty());
    TestEnv::ScratchDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("icon")));
    QVERIFY(QFile::copy(pencilIcon, QStringLiteral("icon/ppen.png")));
    PaintCPanel panel;
    QVERIFY(panel.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(panel.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!panel.isVisible());
    QSpinBox* width = child<QSpinBox>(&panel, "MyPenWidth");
    QCOMPARE(width->minimum(), 1);
    QCOMPARE(width->maximum(), 100);
    QCOMPARE(width->value(), 5);
    QPushButton* pencil = child<QPushButton>(&panel, "MyPencil");
    QVERIFY(pencil->isChecked());
    QVERIFY(pencil->group() && pencil->group()->exclusive());
    QCOMPARE(pencil->group()->buttons().size(), 6);
    QCOMPARE(pencil->iconSize(), QSize(45, 30));

    QCOMPARE(panel.SetAffair(AffairInfo()), -1);
    QCOMPARE(panel.windowTitle(), QStringLiteral("Paint"));
    QCOMPARE(panel.minimumSize(), QSize(121, 269));
    QCOMPARE(panel.maximumSize(), QSize(121, 269));
    QCOMPARE(panel.Canvas()->Tool(), int(PaintWidget::Pencil));
    QCOMPARE(panel.Canvas()->DrawPen().color(), QColor(0, 0, 255));
    QCOMPARE(panel.Canvas()->DrawPen().width(), 5);

    click(panel, "MyEllipse");
    QVERIFY(!pencil->isChecked());
    QCOMPARE(panel.Canvas()->Tool(), int(PaintWidget::Ellipse));
    QCOMPARE(panel.Canvas()->cursor().shape(), Qt::CrossCursor);
    click(panel, "MyPencil");
    QCOMPARE(panel.Canvas()->cursor().hotSpot(), QPoint(8, 39));
    QCOMPARE(panel.Canvas()->cursor().pixmap().size(), QSize(60, 40));
}

void TestPaintCPanel::okDisabledUntilEventAccepted()
{
    TestEnv::ScratchDir dir;
    PaintCPanel panel;
    panel.SetAffair(AffairInfo());
    panel.ShowEditor();
    QPushButton* ok = child<QPushButton>(&panel, "pushButton_2");
    QVERIFY(!ok->isEnabled());
    answerEventDialog(QDialogButtonBox::Cancel);
    click(panel, "pushButton");
    QVERIFY(!ok->isEnabled());
    QVERIFY(panel.GetAffair().GetAffairID().isEmpty());
    answerEventDialog(QDialogButtonBox::Ok);
    click(panel, "pushButton");
    QVERIFY(ok->isEnabled());
    QCOMPARE(panel.GetAffair().GetAffairID(), QStringLiteral("2010-02-01T09:05:03"));
}

void TestPaintCPanel::okWritesNewPictureThenSameFileOnEdit()
{
    TestEnv::ScratchDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    PaintCPanel panel;
    prepareNewEvent(panel);
    QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
    QTest::mouseClick(panel.Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
    const QImage drawing = panel.Canvas()->GetImage();

    QSignalSpy done(&panel, &PaintCPanel::JobDone);
    click(panel, "pushButton_2");
    QCOMPARE(done.count(), 1);
    QVERIFY(panel.IsSaved());
    QVERIFY(!panel.isVisible());
    QVERIFY(!panel.Canvas()->isVisible());
    const AffairInfo saved = panel.GetAffair();
    QCOMPARE(saved.GetPicPath(), QStringLiteral("./data/dap20100201090503"));
    QImage stored;
    QCOMPARE(PictureFile::Read(saved.GetPicPath(), QSize(320, 240), &stored), 0);
    QCOMPARE(stored, drawing);

    // Editing loads the picture and writes it back to the same file.
    Clock::advance(3600);
    PaintCPanel editor;
    QCOMPARE(editor.SetAffair(saved), 0);
    QCOMPARE(editor.Canvas()->GetImage(), drawing);
    editor.ShowEditor();
    QVERIFY(child<QPushButton>(&editor, "pushButton_2")->isEnabled());
    editor.Canvas()->SetTool(PaintWidget::Rubber);
    QTest::mouseClick(editor.Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
    click(editor, "pushButton_2");
    QVERIFY(editor.IsSaved());
    QCOMPARE(editor.GetAffair().GetPicPath(), saved.GetPicPath());
    QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files).size(), 1);
    QCOMPARE(PictureFile::Read(saved.GetPicPath(), QSize(320, 240), &stored), 0);
    QCOMPARE(stored.pixel(50, 50), qRgb(255, 255, 255));
}

void TestPaintCPanel::newPictureSkipsTakenName()
{
    TestEnv::ScratchDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    TestEnv::writeAll(QStringLiteral("./data/dap20100201090503"), "another event's picture");
    PaintCPanel panel;
    prepareNewEvent(panel);
    click(panel, "pushButton_2");
    QVERIFY(panel.IsSaved());
    QCOMPARE(panel.GetAffair().GetPicPath(), QStringLiteral("./data/dap20100201090504"));
    QCOMPARE(TestEnv::readAll(QStringLiteral("./data/dap20100201090503")),
             QByteArray("another event's picture"));
}

void TestPaintCPanel::unwritablePictureKeepsEditorOpen()
{
    TestEnv::ScratchDir dir; // no ./data folder: the picture cannot be written
    PaintCPanel panel;
    prepareNewEvent(panel);
    QSignalSpy done(&panel, &PaintCPanel::JobDone);
    QString text;
    answerMessageBox(QMessageBox::Ok, &text);
    click(panel, "pushButton_2");
    QVERIFY2(text.contains(QStringLiteral("./data/dap20100201090503")), qPrintable(text));
    QCOMPARE(done.count(), 0);
    QVERIFY(!panel.IsSaved());
    QVERIFY(panel.isVisible());
    QVERIFY(panel.Canvas()->isVisible());
    QVERIFY(panel.GetAffair().GetPicPath().isEmpty());

    // Once the folder is there, the same drawing is saved.
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    click(panel, "pushButton_2");
    QCOMPARE(done.count(), 1);
    QVERIFY(panel.IsSaved());
}

void TestPaintCPanel::cancelAndClose_data()
{
    QTest::addColumn<bool>("reminder");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("useClose");
    QTest::addColumn<bool>("ends");
    QTest::newRow("cancel, answered No") << true << int(QMessageBox::No) << false << false;
    QTest::newRow("cancel, answered Yes") << true << int(QMessageBox::Yes) << false << true;
    QTest::newRow("cancel, no reminder") << false << 0 << false << true;
    QTest::newRow("close, answered No") << true << int(QMessageBox::No) << true << false;
    QTest::newRow("close, answered Yes") << true << int(QMessageBox::Yes) << true << true;
    QTest::newRow("close, no reminder") << false << 0 << true << true;
}

void TestPaintCPanel::cancelAndClose()
{
    QFETCH(bool, reminder);
    QFETCH(int, answer);
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
    QCOMPARE(text, reminder ? QStringLiteral("Event has not been saved.\nDo you want to quit without saving?")
                            : QStringLiteral("not asked"));
    QCOMPARE(done.count(), ends ? 1 : 0);
    QCOMPARE(panel.isVisible(), !ends);
    QCOMPARE(panel.Canvas()->isVisible(), !ends);
    QVERIFY(!panel.IsSaved());
}

void TestPaintCPanel::rubberCursorFollowsWidth()
{
    TestEnv::ScratchDir dir;
    PaintCPanel panel;
    panel.SetAffair(AffairInfo());
    click(panel, "MyRubber");
    child<QSpinBox>(&panel, "MyPenWidth")->setValue(30);
    QCOMPARE(panel.Canvas()->DrawPen().width(), 30);
    QCOMPARE(panel.Canvas()->RubberPen().width(), 30);
    const QCursor cursor = panel.Canvas()->cursor();
    QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
    const QImage shape = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shape.size(), QSize(30, 30));
    QCOMPARE(qAlpha(shape.pixel(0, 0)), 0);
    QCOMPARE(shape.pixel(15, 15), qRgba(255, 255, 255, 255));
    QCOMPARE(shape.pixel(1, 15), qRgba(0, 0, 0, 255));
    QCOMPARE(shape.pixel(15, 29), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(shape.pixel(0, 15)), 0);
    QCOMPARE(qAlpha(shape.pixel(29, 1)), 0);
}

void TestPaintCPanel::colourOnlyForDrawingPen()
{
    TestEnv::ScratchDir dir;
    PaintCPanel panel;
    panel.SetAffair(AffairInfo());
    QTimer::singleShot(0, qApp, [] {
        QColorDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())));
        dialog->setCurrentColor(QColor(200, 0, 0));
        dialog->accept();
    });
    click(panel, "MyColor");
    QCOMPARE(panel.Canvas()->DrawPen().color(), QColor(200, 0, 0));
    QCOMPARE(panel.Canvas()->RubberPen().color(), QColor(255, 255, 255));
}

void TestPaintCPanel::rightClickTogglesPanel()
{
    TestEnv::ScratchDir dir;
    PaintCPanel panel;
    panel.SetAffair(AffairInfo());
    panel.ShowEditor();
    QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
    QVERIFY(panel.isVisible());
    QTest::mouseClick(panel.Canvas(), Qt::RightButton, {}, QPoint(30, 30));
    QVERIFY(!panel.isVisible());
    QTest::mouseClick(panel.Canvas(), Qt::RightButton, {}, QPoint(30, 30));
    QVERIFY(panel.isVisible());
}

void TestPaintCPanel::previewFromEventDialog()
{
    TestEnv::ScratchDir dir;
    PaintCPanel panel;
    panel.SetAffair(AffairInfo());
    panel.ShowEditor();
    QVERIFY(QTest::qWaitForWindowExposed(panel.Canvas()));
    bool checked = false;
    QTimer::singleShot(0, qApp, [&panel, &checked] {
        AffairEditDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<AffairEditDialog*>(QApplication::activeModalWidget())));
        QListWidget* list = child<QListWidget>(dialog, "EffectList");
        const QPoint at = list->visualItemRect(list->item(2)).center();
        // Twice in a row: the second preview replaces the first window.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
#ifdef PENNIBELL_HAVE_EFFECTSHOW
        QVERIFY(!panel.Canvas()->isVisible());
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            windows += qobject_cast<EffectShow*>(w) != nullptr;
        }
        QCOMPARE(windows, 1);
        QTRY_VERIFY_WITH_TIMEOUT(panel.Canvas()->isVisible(), 30000);
#else
        QVERIFY(panel.Canvas()->isVisible());
#endif
        QVERIFY(dialog->isVisible());
        checked = true;
        QTest::mouseClick(child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
    click(panel, "pushButton");
    QVERIFY(checked);
    QVERIFY(panel.Canvas()->isVisible());
}

QTEST_MAIN(TestPaintCPanel)
#include "testpaintcpanel.moc"
