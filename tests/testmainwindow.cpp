// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/widgettest.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>

using namespace WidgetTest;

namespace {

// Seen from 2030-01-15 12:00: a daily event, an expired once-only one and a fortnightly one.
void SaveThreeEvents()
{
    SaveEvents({Event("20300110080000", "Daily", At(2030, 1, 10, 8, 0), 1),
                Event("20300101090000", "Gone", At(2030, 1, 1, 9, 0), 0),
                Event("20300114183000", "Weekly", At(2030, 1, 14, 18, 30), 14)});
}

QString Short(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstStartInEmptyFolder();
    void closeAndHide_data();
    void closeAndHide();
    void quitEndsTheLoop_data();
    void quitEndsTheLoop();
    void tableRows_data();
    void tableRows();
    void deleteEvent_data();
    void deleteEvent();
    void deleteKeepsChosenEventWhenTableIsRebuilt();
    void deleteLastRowClampsSelection();
    void deleteExpiredNeverTouchesForeignFiles();
};

void TestMainWindow::firstStartInEmptyFolder()
{
    Sandbox box;
    auto w = StartWindow();
    QVERIFY(QFileInfo(QStringLiteral("data")).isDir());
    QVERIFY(QFileInfo(QStringLiteral("backup")).isDir());
    QCOMPARE(Table(w.get())->rowCount(), 0);
    QCOMPARE(w->Affairs().Count(), 0);
    QVERIFY(w->isVisible());
    QVERIFY(!QFileInfo::exists(box.AutoStartEntry()));
    // The window keeps its fixed size.
    w->resize(800, 600);
    QCOMPARE(w->size(), QSize(593, 379));
    QVERIFY(w->DispatchTimer()->isActive());
    QCOMPARE(w->DispatchTimer()->interval(), 1000);
}

void TestMainWindow::closeAndHide_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<QString>("how");
    for (bool tray : {true, false}) {
        const char* name = tray ? "tray" : "no tray";
        QTest::addRow("%s, close", name) << tray << QStringLiteral("close");
        QTest::addRow("%s, Hide to Tray", name) << tray << QStringLiteral("actionHide");
        QTest::addRow("%s, tray menu Hide", name) << tray << QStringLiteral("Hide");
        QTest::addRow("%s, MinStart", name) << tray << QStringLiteral("minstart");
    }
}

void TestMainWindow::closeAndHide()
{
    QFETCH(bool, tray);
    QFETCH(QString, how);
    Sandbox box(tray);
    auto w = StartWindow(how == QLatin1String("minstart"));
    if (how != QLatin1String("minstart")) {
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        if (how == QLatin1String("close")) {
            QVERIFY(!w->close());
        } else if (how == QLatin1String("Hide")) {
            TrayAction(w.get(), "Hide")->trigger();
        } else {
            Trigger(w.get(), "actionHide");
        }
    }
    // Without a tray the window stays reachable from the task bar.
    QTRY_COMPARE(w->isVisible(), !tray);
    QTRY_VERIFY(tray || w->isMinimized());
    if (tray) {
        // From the tray icon only a double click brings the window back.
        for (auto reason :
             {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context}) {
            emit w->TrayIcon()->activated(reason);
        }
        QVERIFY(!w->isVisible());
        emit w->TrayIcon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());
    }
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
    Sandbox box;
    // As in the program: hiding the window to the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    auto w = StartWindow(!shown);
    QVERIFY(!shown || QTest::qWaitForWindowExposed(w.get()));
    QAction* quit = fromTray ? TrayAction(w.get(), "Quit") : Child<QAction>(w.get(), "actionQuit");
    QTimer::singleShot(0, quit, &QAction::trigger);
    // Guard only: a Quit that does nothing would otherwise hang the test.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    // Ended by Quit itself, not by a close request that the window turns into hiding.
    QCOMPARE(w->isVisible(), shown);
}

void TestMainWindow::tableRows_data()
{
    QTest::addColumn<QString>("effective");
    QTest::addColumn<QString>("expired");
    QTest::addColumn<QColor>("effectiveWant"); // invalid: rows left uncoloured
    QTest::addColumn<QColor>("expiredWant");
    QTest::newRow("default colours") << "rgb(0,0,255)"
                                     << "rgb(255,0,0)" << QColor(0, 0, 255) << QColor(255, 0, 0);
    QTest::newRow("custom colours") << "rgb(0,128,0)"
                                    << "rgb(10,20,30)" << QColor(0, 128, 0) << QColor(10, 20, 30);
    QTest::newRow("effective unparsable") << "rgb(1,2)"
                                          << "rgb(255,0,0)" << QColor() << QColor();
    QTest::newRow("expired unparsable") << "rgb(0,0,255)"
                                        << "red" << QColor() << QColor();
}

void TestMainWindow::tableRows()
{
    QFETCH(QString, effective);
    QFETCH(QString, expired);
    QFETCH(QColor, effectiveWant);
    QFETCH(QColor, expiredWant);
    Sandbox box;
    SaveThreeEvents();
    SaveOptions(true, effective, expired);
    auto w = StartWindow();
    QTableWidget* table = Table(w.get());
    QCOMPARE(Titles(w.get()), QStringList({"Daily", "Gone", "Weekly"}));
    QCOMPARE(table->verticalHeaderItem(2)->text(), QStringLiteral("20300114183000"));
    // The daily event moves past the mocked "now"; the expired one keeps its own moment.
    QCOMPARE(table->item(0, 1)->text(), Short(QDate(2030, 1, 16)));
    QCOMPARE(table->item(0, 2)->text(), QLocale::system().toString(QTime(8, 0), QLocale::ShortFormat));
    QCOMPARE(table->item(1, 1)->text(), Short(QDate(2030, 1, 1)));
    QCOMPARE(table->item(2, 1)->text(), Short(QDate(2030, 1, 28)));
    const QStringList periods = {"1  day", "Once", "2  week"}, states = {"Yes", "No", "Yes"};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(table->item(row, 3)->text(), periods.at(row));
        QCOMPARE(table->item(row, 4)->text(), states.at(row));
        for (int column = 0; column < 5; ++column) {
            const QBrush brush = table->item(row, column)->foreground();
            if (effectiveWant.isValid()) {
                QCOMPARE(brush.color(), row == 1 ? expiredWant : effectiveWant);
            } else {
                QCOMPARE(brush.style(), Qt::NoBrush);
            }
        }
    }
    QCOMPARE(table->currentRow(), 0);
    // The columns fill the table without a horizontal scroll bar.
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTRY_COMPARE(table->horizontalHeader()->length(), table->viewport()->width());
    QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
}

void TestMainWindow::deleteEvent_data()
{
    QTest::addColumn<bool>("reminder");
    QTest::addColumn<bool>("yes");
    QTest::newRow("no reminder") << false << false;
    QTest::newRow("reminder, No") << true << false;
    QTest::newRow("reminder, Yes") << true << true;
}

void TestMainWindow::deleteEvent()
{
    QFETCH(bool, reminder);
    QFETCH(bool, yes);
    Sandbox box;
    SaveThreeEvents();
    SaveOptions(reminder);
    auto w = StartWindow();
    ClickRow(w.get(), 1);
    QCOMPARE(w->RememberedRow(), 1);
    QString text;
    if (reminder) {
        WhenModal<QMessageBox>([&](QMessageBox* ask) {
            QCOMPARE(ask->defaultButton(), ask->button(QMessageBox::No));
            text = ask->text();
            QTest::mouseClick(ask->button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        });
    }
    Click(w.get(), "Delete");
    QCOMPARE(text, reminder ? QStringLiteral("Event will be deleted.\nAre you sure?") : QString());
    const bool deleted = !reminder || yes;
    QCOMPARE(Titles(w.get()),
             deleted ? QStringList({"Daily", "Weekly"}) : QStringList({"Daily", "Gone", "Weekly"}));
    QCOMPARE(AffairStore(AffairStore::DefaultPath()).LoadAffairs().Count(), deleted ? 2 : 3);
    QCOMPARE(QFileInfo::exists(QStringLiteral("./data/dap20300101090000")), !deleted);
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
}

void TestMainWindow::deleteKeepsChosenEventWhenTableIsRebuilt()
{
    Sandbox box;
    SaveThreeEvents();
    SaveOptions(true);
    auto w = StartWindow();
    QTableWidget* table = Table(w.get());
    // A row chosen with the keyboard is remembered, so a rebuild keeps it.
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Down);
    QCOMPARE(table->currentRow(), 2);
    QCOMPARE(w->RememberedRow(), 2);
    w->RefreshTable();
    QCOMPARE(table->currentRow(), 2);
    WhenModal<QMessageBox>([&](QMessageBox* ask) {
        // Whatever moves the current row while the question waits, Yes deletes the event
        // chosen when Delete was pressed.
        table->setCurrentCell(0, 0);
        w->RefreshTable();
        QCOMPARE(table->currentRow(), 0);
        QTest::mouseClick(ask->button(QMessageBox::Yes), Qt::LeftButton);
    });
    Trigger(w.get(), "actionDelete");
    QCOMPARE(Titles(w.get()), QStringList({"Daily", "Gone"}));
    QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300114183000")));
}

void TestMainWindow::deleteLastRowClampsSelection()
{
    Sandbox box;
    SaveThreeEvents();
    SaveOptions(false);
    auto w = StartWindow();
    ClickRow(w.get(), 2);
    w->on_Delete_clicked();
    QCOMPARE(Table(w.get())->rowCount(), 2);
    QCOMPARE(Table(w.get())->currentRow(), 1);
    // A folder in the file's place makes the save fail: the user is told, naming the file.
    QVERIFY(QFile::remove(AffairStore::DefaultPath()));
    QVERIFY(QDir().mkpath(AffairStore::DefaultPath()));
    QString text;
    AnswerBox(QMessageBox::Ok, &text);
    w->on_Delete_clicked();
    const QString path = QDir::toNativeSeparators(QFileInfo(AffairStore::DefaultPath()).absoluteFilePath());
    QVERIFY2(text.contains(path), qPrintable(text));
    AnswerBox(QMessageBox::Ok);
    w->on_Delete_clicked();
    QCOMPARE(Table(w.get())->rowCount(), 0);
    // Nothing left: Delete does nothing and asks nothing.
    w->on_Delete_clicked();
    QCOMPARE(w->Affairs().Count(), 0);
}

void TestMainWindow::deleteExpiredNeverTouchesForeignFiles()
{
    Sandbox box;
    SaveThreeEvents();
    // Expired events whose picture paths lead outside the program's own pictures.
    const QStringList foreign = {"./notes.txt", "./data/eventinfor.eda.keep", "./data/dap2030",
                                 "./data/../data/dap20200101000003"};
    AffairList list = AffairStore(AffairStore::DefaultPath()).LoadAffairs();
    for (int i = 0; i < foreign.size(); ++i) {
        AffairInfo record = Event(QString::number(20200101000000LL + i), "Foreign", At(2020, 1, 1, 0, i), 0);
        record.SetPicPath(foreign.at(i));
        TestEnv::writeAll(foreign.at(i), "keep me");
        list.AppendAffair(record);
    }
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
    SaveOptions(false);
    auto w = StartWindow();
    ClickRow(w.get(), 3);
    w->on_Delete_clicked();
    QCOMPARE(Table(w.get())->rowCount(), 6);

    QString text;
    AnswerBox(QMessageBox::No, &text);
    Trigger(w.get(), "actionDelete_expired_events");
    QCOMPARE(text, QStringLiteral("All of the expired events will be deleted.\nAre you sure to do this?"));
    QCOMPARE(Table(w.get())->rowCount(), 6);

    AnswerBox(QMessageBox::Yes);
    w->DelExpired();
    QCOMPARE(Titles(w.get()), QStringList({"Daily", "Weekly"}));
    QCOMPARE(AffairStore(AffairStore::DefaultPath()).LoadAffairs().Count(), 2);
    QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300101090000")));
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
    QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300114183000")));
    for (const QString& path : foreign) {
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    }
}

QTEST_MAIN(TestMainWindow)
#include "testmainwindow.moc"
