// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "gui/paint/paintcpanel.h"
#include "gui/paint/paintwidget.h"
#include "core/picture/picturefile.h"
#include "core/effects/screensize.h"
#include "support/widgettest.h"

#include <QDateEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimeEdit>
#include <functional>

using namespace WidgetTest;

namespace {

const QSize Screen(320, 240);

QImage Marked(QColor color)
{
    QImage image(Screen, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter(&image).fillRect(10, 10, 30, 20, color);
    return image;
}

QStringList Titles(const AffairList& list)
{
    QStringList titles;
    for (int i = 0; i < list.Count(); ++i) {
        titles << list.At(i).GetAffairTitle();
    }
    return titles;
}

// Fills the event dialog opened by "Set Event" and accepts it.
void AnswerEventDialog(const QString& title, std::function<void()> meanwhile = {})
{
    WhenModal<AffairEditDialog>([title, meanwhile](AffairEditDialog* dialog) {
        Child<QTextEdit>(dialog, "AFTitle")->setPlainText(title);
        Child<QDateEdit>(dialog, "AFDateEdit")->setDate(QDate(2030, 1, 20));
        Child<QTimeEdit>(dialog, "AFTimeEdit")->setTime(QTime(8, 0));
        Click(dialog, "Daily");
        Child<QSpinBox>(dialog, "PerNum")->setValue(2);
        Child<QListWidget>(dialog, "EffectList")->setCurrentRow(3);
        if (meanwhile) {
            meanwhile();
        }
        ClickBox(dialog, QDialogButtonBox::Ok);
    });
}

// Two daily events, each with a picture of its own, and the main window showing them.
std::unique_ptr<MainWindow> Start()
{
    ScreenSize::setOverride(Screen);
    SaveEvents({Event("20300110080000", "First", At(2030, 1, 10, 8, 0), 1),
                Event("20300114183000", "Second", At(2030, 1, 11, 8, 0), 1)});
    PictureFile::Write(QStringLiteral("./data/dap20300110080000"), Marked(Qt::red));
    PictureFile::Write(QStringLiteral("./data/dap20300114183000"), Marked(Qt::green));
    return StartWindow();
}

// Clicks `command` (if any) and returns the picture editor it opens, with the main window hidden.
PaintCPanel* OpenEditor(MainWindow* w, const char* command)
{
    if (command) {
        Click(w, command);
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<PaintCPanel*>(top);
        if (editor && editor->isVisible() && !w->isVisible() &&
            QTest::qWaitForWindowExposed(editor->Canvas())) {
            return editor;
        }
    }
    return nullptr;
}

QImage Draw(PaintCPanel* editor)
{
    QWidget* canvas = editor->Canvas();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(canvas, QPoint(100, 80));
    QTest::mouseMove(canvas, QPoint(140, 100));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(140, 100));
    return editor->Canvas()->GetImage();
}

QImage Stored(const QString& path)
{
    QImage stored;
    return PictureFile::Read(path, Screen, &stored) == 0 ? stored : QImage();
}

} // namespace

class TestMainWindowEditing : public QObject
{
    Q_OBJECT

private slots:
    void addDrawAndSave_data();
    void addDrawAndSave();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void editReplacesOpenedEventKeepingItsPicture();
};

void TestMainWindowEditing::addDrawAndSave_data()
{
    QTest::addColumn<bool>("fromTray");
    QTest::newRow("Add button") << false;
    QTest::newRow("tray menu") << true;
}

void TestMainWindowEditing::addDrawAndSave()
{
    QFETCH(bool, fromTray);
    Sandbox box;
    auto w = Start();
    if (fromTray) {
        TrayAction(w.get(), "Add New")->trigger();
    }
    QPointer<PaintCPanel> editor = OpenEditor(w.get(), fromTray ? nullptr : "AddNew");
    QVERIFY(editor);
    // OK stays off until the event is set.
    QVERIFY(!Child<QPushButton>(editor, "pushButton_2")->isEnabled());
    const QImage drawing = Draw(editor);
    QVERIFY(drawing.pixel(100, 80) != qRgb(255, 255, 255));
    // A second Add (the window brought back, or the tray) brings this editor forward; the
    // drawing is never thrown away.
    TrayAction(w.get(), "Add New")->trigger();
    QVERIFY(editor);
    QCOMPARE(editor->Canvas()->GetImage(), drawing);
    // The tray menu still answers while the event dialog runs; the editor beneath must stay.
    AnswerEventDialog(QStringLiteral("Dentist"), [&] { TrayAction(w.get(), "Add New")->trigger(); });
    Click(editor, "pushButton");
    QVERIFY(editor);
    Click(editor, "pushButton_2");

    QVERIFY(w->isVisible());
    QTRY_VERIFY(editor.isNull());
    const QStringList titles{"First", "Second", "Dentist"};
    QCOMPARE(Titles(w->Affairs()), titles);
    QCOMPARE(Titles(AffairStore().LoadAffairs()), titles);
    QCOMPARE(Titles(w.get()), titles);
    QCOMPARE(Table(w.get())->item(2, 3)->text(), QStringLiteral("2  day"));
    QCOMPARE(Table(w.get())->currentRow(), 2);
    const AffairInfo added = AffairStore().LoadAffairs().At(2);
    QCOMPARE(added.GetAffairID(), QStringLiteral("2030-01-15T12:00:00"));
    QCOMPARE(added.GetUserDateTime(), At(2030, 1, 20, 8, 0));
    QCOMPARE(added.GetPicPath(), QStringLiteral("./data/dap20300115120000"));
    QCOMPARE(Stored(added.GetPicPath()), drawing);
}

void TestMainWindowEditing::cancelChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("add") << QStringLiteral("AddNew");
    QTest::newRow("edit") << QStringLiteral("Edit");
}

void TestMainWindowEditing::cancelChangesNothing()
{
    QFETCH(QString, command);
    Sandbox box;
    auto w = Start();
    const QByteArray before = TestEnv::readAll(AffairStore::DefaultPath());
    const QStringList files = QDir(QStringLiteral("data")).entryList(QDir::Files);
    QPointer<PaintCPanel> editor = OpenEditor(w.get(), command.toLatin1().constData());
    QVERIFY(editor);
    Draw(editor);
    AnswerEventDialog(QStringLiteral("Never kept"));
    Click(editor, "pushButton");
    AnswerBox(QMessageBox::Yes);
    Click(editor, "pushButton_3");

    QVERIFY(w->isVisible());
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(Titles(w.get()), QStringList({"First", "Second"}));
    QCOMPARE(TestEnv::readAll(AffairStore::DefaultPath()), before);
    QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files), files);
    QCOMPARE(Stored(QStringLiteral("./data/dap20300110080000")), Marked(Qt::red));
}

void TestMainWindowEditing::editReplacesOpenedEventKeepingItsPicture()
{
    Sandbox box;
    auto w = Start();
    QPointer<PaintCPanel> editor = OpenEditor(w.get(), "Edit");
    QVERIFY(editor);
    QCOMPARE(editor->Canvas()->GetImage(), Marked(Qt::red));
    const QImage drawing = Draw(editor);
    // Brought back from the tray while the editor is open, another row is chosen.
    TrayAction(w.get(), "Show")->trigger();
    QVERIFY(w->isVisible());
    ClickRow(w.get(), 1);
    QCOMPARE(Table(w.get())->currentRow(), 1);
    AnswerEventDialog(QStringLiteral("First, edited"));
    Click(editor, "pushButton");
    Click(editor, "pushButton_2");

    QTRY_VERIFY(editor.isNull());
    for (const AffairList& list : {w->Affairs(), AffairStore().LoadAffairs()}) {
        QCOMPARE(Titles(list), QStringList({"First, edited", "Second"}));
        QCOMPARE(list.At(0).GetAffairID(), QStringLiteral("20300110080000"));
        QCOMPARE(list.At(0).GetPicPath(), QStringLiteral("./data/dap20300110080000"));
        QCOMPARE(list.At(1).GetUserDateTime(), At(2030, 1, 11, 8, 0));
    }
    QCOMPARE(QDir(QStringLiteral("data")).entryList({"dap*"}, QDir::Files).size(), 2);
    QCOMPARE(Stored(QStringLiteral("./data/dap20300110080000")), drawing);

    // An editor still open when the main window goes is deleted with it.
    editor = OpenEditor(w.get(), "Edit");
    QVERIFY(editor);
    w.reset();
    QVERIFY(editor.isNull());
}

QTEST_MAIN(TestMainWindowEditing)
#include "testmainwindowediting.moc"
