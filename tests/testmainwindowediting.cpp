#include "affairstore.h"
#include "clock.h"
#include "mainwindow.h"
#include "paintcpanel.h"
#include "picturefile.h"
#include "screensize.h"
#include "testenv.h"
#include "traycheck.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

const QSize Screen(320, 240);

template <typename T> T* Child(QWidget* w, const char* name)
{
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        qFatal("no widget %s", name);
    }
    return found;
}

void Click(QWidget* w, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(w, name), Qt::LeftButton);
}

// Runs `answer` on the next modal widget of type T once it is up; nothing waits for a person.
template <typename T> void WhenModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        T* modal = nullptr;
        QTRY_VERIFY((modal = qobject_cast<T*>(QApplication::activeModalWidget())));
        answer(modal);
    });
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
        QTest::mouseClick(Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
}

QImage Marked(QColor color)
{
    QImage image(Screen, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter(&image).fillRect(10, 10, 30, 20, color);
    return image;
}

// Two daily events, each with a picture of its own.
void WriteTwoEvents()
{
    QDir().mkpath(QStringLiteral("data"));
    AffairList list;
    const char* ids[] = {"20300110080000", "20300114183000"};
    const char* titles[] = {"First", "Second"};
    for (int i = 0; i < 2; ++i) {
        AffairInfo record;
        record.SetInfo(QString::fromLatin1(ids[i]), QString::fromLatin1(titles[i]),
                       QDateTime(QDate(2030, 1, 10 + i), QTime(8, 0)), 0, 0, 1, 0, 0);
        record.SetPicPath(QStringLiteral("./data/dap") + QString::fromLatin1(ids[i]));
        record.SetEffect({0, 1});
        QCOMPARE(PictureFile::Write(record.GetPicPath(), Marked(i ? Qt::green : Qt::red)), 0);
        list.AppendAffair(record);
    }
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
}

QStringList Titles(const AffairList& list)
{
    QStringList titles;
    for (int i = 0; i < list.Count(); ++i) {
        titles << list.At(i).GetAffairTitle();
    }
    return titles;
}

} // namespace

class TestMainWindowEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addDrawAndSave_data();
    void addDrawAndSave();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void editReplacesOpenedEventKeepingItsPicture();
    void trayAddWaitsForEditorDialog();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    std::unique_ptr<MainWindow> Window;

    MainWindow* Start()
    {
        WriteTwoEvents();
        Window = std::make_unique<MainWindow>();
        Window->InitWindow();
        Window->ShowAtStart(false);
        return Window.get();
    }
    QTableWidget* Table() const { return Child<QTableWidget>(Window.get(), "tableWidget"); }
    QAction* TrayAction(const QString& text) const
    {
        for (QAction* a : Window->TrayIcon()->contextMenu()->actions()) {
            if (a->text() == text) {
                return a;
            }
        }
        qFatal("no tray action");
    }
    void ClickRow(int row)
    {
        const QRect cell = Table()->visualItemRect(Table()->item(row, 0));
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // The open picture editor, once shown with the main window hidden.
    static PaintCPanel* OpenEditor(MainWindow* w)
    {
        PaintCPanel* editor = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* panel = qobject_cast<PaintCPanel*>(top); panel && panel->isVisible()) {
                editor = panel;
            }
        }
        if (editor) {
            [&] { QVERIFY(QTest::qWaitForWindowExposed(editor->Canvas())); }();
        }
        return w->isVisible() ? nullptr : editor;
    }
    static QImage Draw(PaintCPanel* editor)
    {
        QWidget* canvas = editor->Canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseMove(canvas, QPoint(100, 80));
        QTest::mouseMove(canvas, QPoint(140, 100));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(140, 100));
        return editor->Canvas()->GetImage();
    }
};

void TestMainWindowEditing::initTestCase()
{
    TestEnv::setTimeZone("UTC");
    ScreenSize::setOverride(Screen);
}

void TestMainWindowEditing::init()
{
    Scratch = std::make_unique<TestEnv::ScratchDir>();
    Config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
    Clock::setMock(QDateTime(QDate(2030, 1, 15), QTime(12, 0)));
    TrayCheck::SetOverride(true);
}

void TestMainWindowEditing::cleanup()
{
    Window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TrayCheck::SetOverride(std::nullopt);
    Clock::reset();
    Scratch.reset();
}

void TestMainWindowEditing::addDrawAndSave_data()
{
    QTest::addColumn<bool>("fromTray");
    QTest::newRow("Add button") << false;
    QTest::newRow("tray menu") << true;
}

void TestMainWindowEditing::addDrawAndSave()
{
    QFETCH(bool, fromTray);
    MainWindow* w = Start();
    QCOMPARE(Table()->currentRow(), 0);
    if (fromTray) {
        TrayAction(QStringLiteral("Add New"))->trigger();
    } else {
        Click(w, "AddNew");
    }
    QPointer<PaintCPanel> editor = OpenEditor(w);
    QVERIFY(editor);
    QVERIFY(!Child<QPushButton>(editor, "pushButton_2")->isEnabled());
    const QImage drawing = Draw(editor);
    QVERIFY(drawing.pixel(100, 80) != qRgb(255, 255, 255));
    AnswerEventDialog(QStringLiteral("Dentist"));
    Click(editor, "pushButton");
    Click(editor, "pushButton_2");

    QVERIFY(w->isVisible());
    QTRY_VERIFY(editor.isNull());
    const QStringList titles{QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Dentist")};
    QCOMPARE(Titles(w->Affairs()), titles);
    QCOMPARE(Titles(AffairStore().LoadAffairs()), titles);
    QCOMPARE(Table()->rowCount(), 3);
    QCOMPARE(Table()->item(2, 0)->text(), QStringLiteral("Dentist"));
    QCOMPARE(Table()->item(2, 3)->text(), QStringLiteral("2  day"));
    QCOMPARE(Table()->currentRow(), 2);
    QCOMPARE(w->RememberedRow(), 2);

    const AffairInfo added = AffairStore().LoadAffairs().At(2);
    QCOMPARE(added.GetAffairID(), QStringLiteral("2030-01-15T12:00:00"));
    QCOMPARE(added.GetUserDateTime(), QDateTime(QDate(2030, 1, 20), QTime(8, 0)));
    QCOMPARE(added.GetPicPath(), QStringLiteral("./data/dap20300115120000"));
    QImage stored;
    QCOMPARE(PictureFile::Read(added.GetPicPath(), Screen, &stored), 0);
    QCOMPARE(stored, drawing);
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
    MainWindow* w = Start();
    const QByteArray before = TestEnv::readAll(AffairStore::DefaultPath());
    const QStringList files = QDir(QStringLiteral("data")).entryList(QDir::Files);
    Click(w, command.toLatin1().constData());
    QPointer<PaintCPanel> editor = OpenEditor(w);
    QVERIFY(editor);
    Draw(editor);
    AnswerEventDialog(QStringLiteral("Never kept"));
    Click(editor, "pushButton");
    WhenModal<QMessageBox>(
        [](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton); });
    Click(editor, "pushButton_3");

    QVERIFY(w->isVisible());
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(Titles(w->Affairs()), QStringList({"First", "Second"}));
    QCOMPARE(TestEnv::readAll(AffairStore::DefaultPath()), before);
    QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files), files);
    QCOMPARE(Table()->rowCount(), 2);
    QCOMPARE(Table()->item(0, 0)->text(), QStringLiteral("First"));
    QCOMPARE(Table()->currentRow(), 0);
}

void TestMainWindowEditing::editReplacesOpenedEventKeepingItsPicture()
{
    MainWindow* w = Start();
    Click(w, "Edit"); // row 0, "First"
    QPointer<PaintCPanel> editor = OpenEditor(w);
    QVERIFY(editor);
    QCOMPARE(editor->Canvas()->GetImage(), Marked(Qt::red));
    const QImage drawing = Draw(editor);
    // Brought back from the tray while the editor is open, another row is chosen.
    TrayAction(QStringLiteral("Show"))->trigger();
    QVERIFY(w->isVisible());
    ClickRow(1);
    QCOMPARE(Table()->currentRow(), 1);
    AnswerEventDialog(QStringLiteral("First, edited"));
    Click(editor, "pushButton");
    Click(editor, "pushButton_2");

    QTRY_VERIFY(editor.isNull());
    for (const AffairList& list : {w->Affairs(), AffairStore().LoadAffairs()}) {
        QCOMPARE(Titles(list), QStringList({"First, edited", "Second"}));
        QCOMPARE(list.At(0).GetAffairID(), QStringLiteral("20300110080000"));
        QCOMPARE(list.At(0).GetPicPath(), QStringLiteral("./data/dap20300110080000"));
        QCOMPARE(list.At(1).GetAffairID(), QStringLiteral("20300114183000"));
        QCOMPARE(list.At(1).GetUserDateTime(), QDateTime(QDate(2030, 1, 11), QTime(8, 0)));
    }
    QCOMPARE(Table()->item(1, 0)->text(), QStringLiteral("Second"));
    QCOMPARE(QDir(QStringLiteral("data")).entryList({"dap*"}, QDir::Files).size(), 2);
    QImage stored;
    QCOMPARE(PictureFile::Read(QStringLiteral("./data/dap20300110080000"), Screen, &stored), 0);
    QCOMPARE(stored, drawing);
}

void TestMainWindowEditing::trayAddWaitsForEditorDialog()
{
    MainWindow* w = Start();
    Click(w, "AddNew");
    QPointer<PaintCPanel> editor = OpenEditor(w);
    QVERIFY(editor);
    // The tray menu still answers while the event dialog runs; the editor beneath must stay.
    bool triedAdd = false;
    AnswerEventDialog(QStringLiteral("Kept"), [&] {
        TrayAction(QStringLiteral("Add New"))->trigger();
        triedAdd = true;
    });
    Click(editor, "pushButton");
    QVERIFY(triedAdd);
    QVERIFY(editor);
    Click(editor, "pushButton_2");
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(Titles(w->Affairs()), QStringList({"First", "Second", "Kept"}));

    // An editor still open when the main window goes is deleted with it.
    Click(w, "Edit");
    editor = OpenEditor(w);
    QVERIFY(editor);
    Window.reset();
    QVERIFY(editor.isNull());
}

QTEST_MAIN(TestMainWindowEditing)
#include "testmainwindowediting.moc"
