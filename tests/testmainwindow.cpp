#include "affairstore.h"
#include "clock.h"
#include "esettings.h"
#include "mainwindow.h"
#include "testenv.h"
#include "traycheck.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

// Runs `answer` on the next modal widget once it is up; a modal box never waits for a person.
void WhenModal(std::function<void(QWidget*)> answer)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

void ClickBox(QWidget* modal, QMessageBox::StandardButton which, QString* text = nullptr)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
    if (text) {
        *text = box->text();
    }
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

AffairInfo Event(const QString& id, const QString& title, const QDateTime& first, qint32 day, qint32 hour = 0)
{
    AffairInfo record;
    record.SetInfo(id, title, first, 0, 0, day, hour, 0);
    record.SetPicPath(QStringLiteral("./data/dap") + id);
    record.SetEffect({0, 0});
    return record;
}

QDateTime At(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

// Three events seen from 2030-01-15 12:00: a daily one, an expired once-only one and a
// fortnightly one; each with its own picture file.
void WriteThreeEvents()
{
    QDir().mkpath(QStringLiteral("data"));
    AffairList list;
    list.AppendAffair(
        Event(QStringLiteral("20300110080000"), QStringLiteral("Daily"), At(2030, 1, 10, 8, 0), 1));
    list.AppendAffair(
        Event(QStringLiteral("20300101090000"), QStringLiteral("Gone"), At(2030, 1, 1, 9, 0), 0));
    list.AppendAffair(
        Event(QStringLiteral("20300114183000"), QStringLiteral("Weekly"), At(2030, 1, 14, 18, 30), 14));
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
    for (int i = 0; i < list.Count(); ++i) {
        TestEnv::writeAll(list.At(i).GetPicPath(), "picture");
    }
}

void WriteOptions(bool delReminder, const QString& effective = QStringLiteral("rgb(0,0,255)"),
                  const QString& expired = QStringLiteral("rgb(255,0,0)"))
{
    ESettings options;
    options.SetDelReminder(delReminder);
    options.SetEffectiveColor(effective);
    options.SetExpiredColor(expired);
    QVERIFY(options.SaveOptions());
}

QStringList Titles(QTableWidget* table)
{
    QStringList titles;
    for (int row = 0; row < table->rowCount(); ++row) {
        titles << table->item(row, 0)->text();
    }
    return titles;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartInEmptyFolder();
    void fixedSizeAndTimer();
    void closeAndHide_data();
    void closeAndHide();
    void trayActivation();
    void quitEndsTheLoop_data();
    void quitEndsTheLoop();
    void columnsFitTheTable();
    void contextAndTrayMenus();
    void tableRows();
    void rowColours_data();
    void rowColours();
    void deleteEvent_data();
    void deleteEvent();
    void deleteKeepsChosenEventWhenTableIsRebuilt();
    void deleteLastRowClampsSelection();
    void deleteExpired();
    void deleteNeverTouchesForeignFiles();
    void failedSaveIsReported();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    std::unique_ptr<MainWindow> Window;

    MainWindow* Start()
    {
        Window = std::make_unique<MainWindow>();
        Window->InitWindow();
        Window->ShowAtStart(false);
        return Window.get();
    }
    QTableWidget* Table() const { return Window->findChild<QTableWidget*>(QStringLiteral("tableWidget")); }
    void ClickRow(int row)
    {
        QTableWidget* table = Table();
        const QRect cell = table->visualItemRect(table->item(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

void TestMainWindow::initTestCase()
{
    TestEnv::setTimeZone("UTC");
}

void TestMainWindow::init()
{
    Scratch = std::make_unique<TestEnv::ScratchDir>();
    Config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
    Clock::setMock(At(2030, 1, 15, 12, 0));
    TrayCheck::SetOverride(true);
}

void TestMainWindow::cleanup()
{
    Window.reset();
    TrayCheck::SetOverride(std::nullopt);
    Clock::reset();
    Scratch.reset();
}

void TestMainWindow::firstStartInEmptyFolder()
{
    MainWindow* w = Start();
    QVERIFY(QFileInfo(QStringLiteral("data")).isDir());
    QVERIFY(QFileInfo(QStringLiteral("backup")).isDir());
    QCOMPARE(Table()->rowCount(), 0);
    QCOMPARE(w->Affairs().Count(), 0);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Pennibell"));
    QVERIFY(!QFileInfo::exists(Config->filePath(QStringLiteral("autostart/Pennibell.desktop"))));
}

void TestMainWindow::fixedSizeAndTimer()
{
    MainWindow* w = Start();
    QCOMPARE(w->size(), QSize(593, 379));
    QCOMPARE(w->minimumSize(), QSize(593, 379));
    QCOMPARE(w->maximumSize(), QSize(593, 379));
    w->resize(800, 600);
    QCOMPARE(w->size(), QSize(593, 379));
    QVERIFY(w->DispatchTimer()->isActive());
    QCOMPARE(w->DispatchTimer()->interval(), 1000);
    QCOMPARE(w->DispatchTimer()->timerType(), Qt::PreciseTimer);
}

void TestMainWindow::closeAndHide_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<QString>("how");
    for (bool tray : {true, false}) {
        const char* name = tray ? "tray" : "no tray";
        QTest::addRow("%s, close", name) << tray << QStringLiteral("close");
        QTest::addRow("%s, Hide to Tray", name) << tray << QStringLiteral("actionHide");
        QTest::addRow("%s, MinStart", name) << tray << QStringLiteral("minstart");
    }
}

void TestMainWindow::closeAndHide()
{
    QFETCH(bool, tray);
    QFETCH(QString, how);
    TrayCheck::SetOverride(tray);
    Window = std::make_unique<MainWindow>();
    MainWindow* w = Window.get();
    w->InitWindow();
    if (how == QLatin1String("minstart")) {
        w->ShowAtStart(true);
    } else {
        w->ShowAtStart(false);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        if (how == QLatin1String("close")) {
            QVERIFY(!w->close());
        } else {
            w->findChild<QAction*>(how)->trigger();
        }
    }
    if (tray) {
        QTRY_VERIFY(!w->isVisible());
    } else {
        // Without a tray the window stays reachable from the task bar.
        QTRY_VERIFY(w->isVisible());
        QTRY_VERIFY(w->isMinimized());
    }
}

void TestMainWindow::trayActivation()
{
    MainWindow* w = Start();
    w->HideAndMin();
    QVERIFY(!w->isVisible());
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context}) {
        emit w->TrayIcon()->activated(reason);
        QVERIFY(!w->isVisible());
    }
    emit w->TrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(w->isVisible());
    QVERIFY(!w->isMinimized());
}

void TestMainWindow::quitEndsTheLoop_data()
{
    QTest::addColumn<bool>("fromTray");
    QTest::addColumn<bool>("shown");
    QTest::newRow("File menu, shown") << false << true;
    QTest::newRow("tray menu, shown") << true << true;
    QTest::newRow("tray menu, hidden") << true << false;
}

void TestMainWindow::quitEndsTheLoop()
{
    QFETCH(bool, fromTray);
    QFETCH(bool, shown);
    // As in the program: hiding the window to the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow* w = Start();
    if (shown) {
        QVERIFY(QTest::qWaitForWindowExposed(w));
    } else {
        w->HideAndMin();
    }
    QAction* quit = fromTray ? w->TrayIcon()->contextMenu()->actions().last()
                             : w->findChild<QAction*>(QStringLiteral("actionQuit"));
    QCOMPARE(quit->text(), QStringLiteral("Quit"));
    QTimer::singleShot(0, quit, &QAction::trigger);
    // Guard only: a Quit that does nothing would otherwise hang the test.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    // Ended by Quit itself, not by a close request that the window turns into hiding.
    QCOMPARE(w->isVisible(), shown);
}

void TestMainWindow::columnsFitTheTable()
{
    WriteThreeEvents();
    MainWindow* w = Start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTableWidget* table = Table();
    QCOMPARE(table->geometry(), QRect(20, 20, 551, 261));
    const QList<int> widths = {100, 150, 100, 100};
    for (int c = 0; c < widths.size(); ++c) {
        QCOMPARE(table->columnWidth(c), widths.at(c));
    }
    QTRY_COMPARE(table->horizontalHeader()->length(), table->viewport()->width());
    QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
}

void TestMainWindow::contextAndTrayMenus()
{
    MainWindow* w = Start();
    QCOMPARE(Table()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList context;
    for (QAction* a : Table()->actions()) {
        context << a->text();
    }
    QCOMPARE(context, QStringList({"Add event", "Edit event", "Delete event", "Preview event"}));

    QStringList tray;
    for (QAction* a : w->TrayIcon()->contextMenu()->actions()) {
        tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    QCOMPARE(tray, QStringList({"Add New", "-", "Show", "Hide", "-", "Quit"}));
    QCOMPARE(w->TrayIcon()->toolTip(), QStringLiteral("Pennibell"));

    // "Hide" and "Show" of the tray menu.
    const QList<QAction*> actions = w->TrayIcon()->contextMenu()->actions();
    actions.at(3)->trigger();
    QVERIFY(!w->isVisible());
    actions.at(2)->trigger();
    QVERIFY(w->isVisible());
}

void TestMainWindow::tableRows()
{
    WriteThreeEvents();
    Start();
    QTableWidget* table = Table();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(Titles(table), QStringList({"Daily", "Gone", "Weekly"}));
    QCOMPARE(table->verticalHeaderItem(2)->text(), QStringLiteral("20300114183000"));
    // The daily event moves past the mocked "now"; the expired one keeps its own moment.
    QCOMPARE(table->item(0, 1)->text(), QLocale::system().toString(QDate(2030, 1, 16), QLocale::ShortFormat));
    QCOMPARE(table->item(0, 2)->text(), QLocale::system().toString(QTime(8, 0), QLocale::ShortFormat));
    QCOMPARE(table->item(1, 1)->text(), QLocale::system().toString(QDate(2030, 1, 1), QLocale::ShortFormat));
    QCOMPARE(table->item(2, 1)->text(), QLocale::system().toString(QDate(2030, 1, 28), QLocale::ShortFormat));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("1  day"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("Once"));
    QCOMPARE(table->item(2, 3)->text(), QStringLiteral("2  week"));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("Yes"));
    QCOMPARE(table->item(1, 4)->text(), QStringLiteral("No"));
    QCOMPARE(table->currentRow(), 0);
}

void TestMainWindow::rowColours_data()
{
    QTest::addColumn<QString>("effective");
    QTest::addColumn<QString>("expired");
    QTest::addColumn<QColor>("effectiveWant");
    QTest::addColumn<QColor>("expiredWant");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("defaults") << "rgb(0,0,255)"
                              << "rgb(255,0,0)" << QColor(0, 0, 255) << QColor(255, 0, 0) << true;
    QTest::newRow("custom") << "rgb(0,128,0)"
                            << "rgb(10,20,30)" << QColor(0, 128, 0) << QColor(10, 20, 30) << true;
    QTest::newRow("non-number part is 0") << "rgb(x,5,6)"
                                          << "rgb(1,2,3)" << QColor(0, 5, 6) << QColor(1, 2, 3) << true;
    QTest::newRow("two parts") << "rgb(1,2)"
                               << "rgb(255,0,0)" << QColor() << QColor() << false;
    QTest::newRow("expired broken") << "rgb(0,0,255)"
                                    << "red" << QColor() << QColor() << false;
}

void TestMainWindow::rowColours()
{
    QFETCH(QString, effective);
    QFETCH(QString, expired);
    QFETCH(QColor, effectiveWant);
    QFETCH(QColor, expiredWant);
    QFETCH(bool, coloured);
    WriteThreeEvents();
    WriteOptions(true, effective, expired);
    Start();
    QTableWidget* table = Table();
    for (int row = 0; row < 3; ++row) {
        const bool active = table->item(row, 4)->text() == QLatin1String("Yes");
        for (int column = 0; column < 5; ++column) {
            const QBrush brush = table->item(row, column)->foreground();
            if (coloured) {
                QCOMPARE(brush.color(), active ? effectiveWant : expiredWant);
            } else {
                QCOMPARE(brush.style(), Qt::NoBrush);
            }
        }
    }
}

void TestMainWindow::deleteEvent_data()
{
    QTest::addColumn<bool>("reminder");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("no reminder") << false << false << true;
    QTest::newRow("reminder, No") << true << false << false;
    QTest::newRow("reminder, Yes") << true << true << true;
}

void TestMainWindow::deleteEvent()
{
    QFETCH(bool, reminder);
    QFETCH(bool, yes);
    QFETCH(bool, deleted);
    WriteThreeEvents();
    WriteOptions(reminder);
    MainWindow* w = Start();
    ClickRow(1);
    QCOMPARE(w->RememberedRow(), 1);

    bool asked = false;
    QString text;
    if (reminder) {
        WhenModal([&](QWidget* modal) {
            asked = true;
            QCOMPARE(modal->windowTitle(), QStringLiteral("Delete event"));
            QCOMPARE(qobject_cast<QMessageBox*>(modal)->defaultButton(),
                     qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No));
            ClickBox(modal, yes ? QMessageBox::Yes : QMessageBox::No, &text);
        });
    }
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Delete")), Qt::LeftButton);
    QCOMPARE(asked, reminder);
    if (reminder) {
        QCOMPARE(text, QStringLiteral("Event will be deleted.\nAre you sure?"));
    }
    const QString picture = QStringLiteral("./data/dap20300101090000");
    if (deleted) {
        QCOMPARE(Titles(Table()), QStringList({"Daily", "Weekly"}));
        QVERIFY(!QFileInfo::exists(picture));
        QCOMPARE(AffairStore(AffairStore::DefaultPath()).LoadAffairs().Count(), 2);
    } else {
        QCOMPARE(Titles(Table()), QStringList({"Daily", "Gone", "Weekly"}));
        QVERIFY(QFileInfo::exists(picture));
    }
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
}

void TestMainWindow::deleteKeepsChosenEventWhenTableIsRebuilt()
{
    WriteThreeEvents();
    WriteOptions(true);
    MainWindow* w = Start();
    // The keyboard moves the current row but not the remembered one (row 0).
    Table()->setFocus();
    QTest::keyClick(Table(), Qt::Key_Down);
    QTest::keyClick(Table(), Qt::Key_Down);
    QCOMPARE(Table()->currentRow(), 2);
    QCOMPARE(w->RememberedRow(), 0);

    WhenModal([&](QWidget* modal) {
        // A dispatched event rebuilds the table while the question waits.
        w->RefreshTable();
        QCOMPARE(Table()->currentRow(), 0);
        ClickBox(modal, QMessageBox::Yes);
    });
    w->findChild<QAction*>(QStringLiteral("actionDelete"))->trigger();
    QCOMPARE(Titles(Table()), QStringList({"Daily", "Gone"}));
    QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300114183000")));
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
}

void TestMainWindow::deleteLastRowClampsSelection()
{
    WriteThreeEvents();
    WriteOptions(false);
    MainWindow* w = Start();
    ClickRow(2);
    QCOMPARE(w->RememberedRow(), 2);
    w->on_Delete_clicked();
    QCOMPARE(Table()->rowCount(), 2);
    QCOMPARE(Table()->currentRow(), 1);
    QCOMPARE(w->RememberedRow(), 2);
    w->on_Delete_clicked();
    w->on_Delete_clicked();
    QCOMPARE(Table()->rowCount(), 0);
    // Nothing left: Delete does nothing and asks nothing.
    w->on_Delete_clicked();
    QCOMPARE(w->Affairs().Count(), 0);
}

void TestMainWindow::deleteExpired()
{
    WriteThreeEvents();
    WriteOptions(false);
    MainWindow* w = Start();
    QString text;
    WhenModal([&](QWidget* modal) { ClickBox(modal, QMessageBox::No, &text); });
    w->findChild<QAction*>(QStringLiteral("actionDelete_expired_events"))->trigger();
    QCOMPARE(text, QStringLiteral("All of the expired events will be deleted.\nAre you sure to do this?"));
    QCOMPARE(Table()->rowCount(), 3);

    WhenModal([&](QWidget* modal) { ClickBox(modal, QMessageBox::Yes); });
    w->DelExpired();
    QCOMPARE(Titles(Table()), QStringList({"Daily", "Weekly"}));
    QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300101090000")));
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300114183000")));

    // Nothing expired: still asks, still saves.
    QFile::remove(AffairStore::DefaultPath());
    WhenModal([&](QWidget* modal) { ClickBox(modal, QMessageBox::Yes); });
    w->DelExpired();
    QCOMPARE(AffairStore(AffairStore::DefaultPath()).LoadAffairs().Count(), 2);
}

void TestMainWindow::deleteNeverTouchesForeignFiles()
{
    QDir().mkpath(QStringLiteral("data"));
    const QStringList foreign = {QStringLiteral("./notes.txt"), QStringLiteral("./data/eventinfor.eda.keep"),
                                 QStringLiteral("./data/dap2030"),
                                 QStringLiteral("./data/../data/dap20300101090000")};
    AffairList list;
    for (int i = 0; i < foreign.size(); ++i) {
        AffairInfo record =
            Event(QString::number(20300101000000LL + i), QStringLiteral("x"), At(2030, 1, 1, 0, i), 0);
        record.SetPicPath(foreign.at(i));
        TestEnv::writeAll(foreign.at(i), "keep me");
        list.AppendAffair(record);
    }
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
    WriteOptions(false);
    MainWindow* w = Start();
    QCOMPARE(Table()->rowCount(), 4);
    w->on_Delete_clicked();
    WhenModal([&](QWidget* modal) { ClickBox(modal, QMessageBox::Yes); });
    w->DelExpired();
    QCOMPARE(Table()->rowCount(), 0);
    for (const QString& path : foreign) {
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    }
}

void TestMainWindow::failedSaveIsReported()
{
    WriteThreeEvents();
    WriteOptions(false);
    MainWindow* w = Start();
    // A folder in the file's place makes every save fail.
    QVERIFY(QFile::remove(AffairStore::DefaultPath()));
    QVERIFY(QDir().mkpath(AffairStore::DefaultPath()));
    QString text;
    WhenModal([&](QWidget* modal) {
        QCOMPARE(qobject_cast<QMessageBox*>(modal)->icon(), QMessageBox::Warning);
        ClickBox(modal, QMessageBox::Ok, &text);
    });
    w->on_Delete_clicked();
    QVERIFY2(
        text.contains(QDir::toNativeSeparators(QFileInfo(AffairStore::DefaultPath()).absoluteFilePath())),
        qPrintable(text));
    QCOMPARE(Table()->rowCount(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "testmainwindow.moc"
