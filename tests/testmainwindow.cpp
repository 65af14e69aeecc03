// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"
#include "core/storage/backuparchive.h"
#include "gui/options/settingdialog.h"
#include "support/widgettest.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTranslator>

using namespace WidgetTest;

namespace {
// Seen from 2030-01-15 12:00: a daily event, an expired once-only one and a fortnightly one.
void SaveThreeEvents(bool delReminder = true)
{
    SaveEvents({Event("d", At(2030, 1, 10, 8, 0), Days(1), "Daily"),
                Event("g", At(2030, 1, 1, 9, 0), {}, "Gone"),
                Event("w", At(2030, 1, 14, 18, 30), Days(14), "Weekly")});
    ESettings options;
    options.SetDelReminder(delReminder);
    options.SetEffectiveColor(QStringLiteral("rgb(0,128,0)"));
    QVERIFY(options.SaveOptions());
}

QList<QColor> RowColours(const QObject* window)
{
    QList<QColor> colours;
    for (int row = 0; row < Table(window)->rowCount(); ++row) {
        colours << Table(window)->item(row, 4)->foreground().color();
    }
    return colours;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // The test answers the Qt file dialog itself; a native one would be out of its reach.
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    // Hiding never ends the program; Quit does, even while the window is shown.
    void startAndQuit()
    {
        Sandbox box;
        auto w = StartWindow();
        QVERIFY(QFileInfo(QStringLiteral("data")).isDir() && QFileInfo(QStringLiteral("backup")).isDir());
        QVERIFY(!w->close());
        QApplication::setQuitOnLastWindowClosed(false);
        QTimer::singleShot(0, w->TrayIcon()->contextMenu()->actions().last(), &QAction::trigger);
        QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    // Colours follow each event's state, whatever the language, and a change of the options.
    void rowsTakeTheirEventsState()
    {
        Sandbox box;
        SaveThreeEvents();
        auto w = StartWindow();
        const QColor green(0, 128, 0), red(255, 0, 0), blue(0, 0, 255);
        QCOMPARE(RowColours(w.get()), QList<QColor>({green, red, green}));
        QTranslator german;
        if (german.load(QLocale(QLocale::German), QStringLiteral("pennibell"), QStringLiteral("_"),
                        ":/i18n")) {
            QCoreApplication::installTranslator(&german);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            QCOMPARE(Table(w.get())->item(0, 4)->text() + Table(w.get())->item(0, 3)->text(), "Ja1  Tag(e)");
            QCOMPARE(RowColours(w.get()), QList<QColor>({green, red, green}));
            QCoreApplication::removeTranslator(&german);
        }
        w->AppOptions()->Change([](ESettings& s) { s.SetEffectiveColor(QStringLiteral("rgb(0,0,255)")); });
        QCOMPARE(RowColours(w.get()), QList<QColor>({blue, red, blue}));
    }

    void deleteEvent_data()
    {
        QTest::addColumn<bool>("reminder");
        QTest::addColumn<bool>("yes");
        QTest::newRow("no reminder") << false << false;
        QTest::newRow("reminder, No") << true << false;
        QTest::newRow("reminder, Yes") << true << true;
    }
    void deleteEvent()
    {
        QFETCH(bool, reminder);
        QFETCH(bool, yes);
        Sandbox box;
        SaveThreeEvents(reminder);
        auto w = StartWindow();
        Table(w.get())->setCurrentCell(1, 0);
        bool asked = false;
        WhenModal<QMessageBox>([&](QMessageBox* ask) {
            asked = true;
            // A reminder rebuilding the table while the question waits moves the current row;
            // the event chosen when Delete was pressed is the one that goes.
            Table(w.get())->setCurrentCell(0, 0);
            w->RefreshTable();
            QTest::mouseClick(ask->button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        });
        Click(w.get(), "Delete");
        QCOMPARE(asked, reminder);
        const bool deleted = !reminder || yes;
        QCOMPARE(Titles(w.get()),
                 deleted ? QStringList({"Daily", "Weekly"}) : QStringList({"Daily", "Gone", "Weekly"}));
        QCOMPARE(AffairStore().LoadAffairs().Count(), deleted ? 2 : 3);
        QCOMPARE(QFileInfo::exists(QStringLiteral("./data/dap20300101090000")), !deleted);
        QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
    }

    void deleteExpiredNeverTouchesForeignFiles()
    {
        Sandbox box;
        SaveThreeEvents();
        AffairList list = AffairStore().LoadAffairs();
        AffairInfo foreign = Event("f", At(2020, 1, 1, 0, 0));
        foreign.SetPicPath(QStringLiteral("./notes.txt"));
        list.AppendAffair(foreign);
        QVERIFY(AffairStore().SaveAffairs(list));
        TestEnv::writeAll(QStringLiteral("./notes.txt"), "keep me");
        auto w = StartWindow();
        AnswerBox(QMessageBox::Yes);
        w->DelExpired();
        QCOMPARE(Titles(w.get()), QStringList({"Daily", "Weekly"}));
        QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300101090000")));
        QVERIFY(QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
        QVERIFY(QFileInfo::exists(QStringLiteral("./notes.txt")));
    }

    // The window shows what the dispatcher says: the due event at once, a preview in between,
    // the waiting one after a click, and the table moved on.
    void dispatchShowsDueEvents()
    {
        Sandbox box;
        const QDateTime soon = At(2030, 1, 15, 12, 0).addSecs(1);
        SaveEvents({Event("a", soon), Event("b", soon.addSecs(1)), Event("p", soon.addDays(3))});
        auto w = StartWindow();
        w->eventdispose();
        QVERIFY(!w->EffectWindow());
        Clock::setMock(soon.addSecs(1));
        w->eventdispose();
        QVERIFY(w->EffectWindow());
        QCOMPARE(Table(w.get())->item(1, 4)->text(), QStringLiteral("No"));
        Table(w.get())->setCurrentCell(2, 0);
        Click(w.get(), "PreView");
        w->EffectOver();
        QVERIFY(w->EffectWindow());
        w->EffectOver();
        QVERIFY(!w->EffectWindow());
        QVERIFY(w->Affairs().At(2).IsActive());
    }

    // From the Options action through the dialog to the file, the window's options and the
    // auto-start entry.
    void optionsDialog()
    {
        Sandbox box;
        auto w = StartWindow();
        WhenModal<SettingDialog>([&](SettingDialog* dialog) {
            Child<QCheckBox>(dialog, "check_autostart")->setChecked(true);
            WhenModal<QColorDialog>([dialog](QColorDialog* colors) {
                colors->setCurrentColor(QColor(0, 255, 0));
                colors->accept();
                QTimer::singleShot(0, dialog, &QDialog::accept);
            });
            Click(dialog, "button_over");
        });
        Child<QAction>(w.get(), "actionOption")->trigger();
        QCOMPARE(ESettings().GetExpiredColor(), QStringLiteral("rgb(0,255,0)"));
        QVERIFY(w->AppOptions()->Current().GetAutoStart());
        QVERIFY(QFileInfo::exists(box.AutoStartEntry()));
    }

    // A restore brings back the events and pictures of the backup, re-armed from today.
    void restoreReArms()
    {
        Sandbox box;
        SaveEvents(
            {Event("d", At(2030, 1, 10, 8, 0), Days(1)), Event("w", At(2030, 1, 14, 18, 30), Days(14))});
        QVERIFY(BackupArchive::Backup(QStringLiteral("backup/b.bef")).ok());
        const QByteArray store = TestEnv::readAll(AffairStore::DefaultPath());
        SaveEvents({Event("w", At(2030, 1, 14, 18, 30), Days(14))});
        auto w = StartWindow();
        Clock::advance(24 * 3600);
        WhenModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->selectFile(QFileInfo(QStringLiteral("backup/b.bef")).absoluteFilePath());
            static_cast<QDialog*>(dialog)->accept();
            WhenModal<QMessageBox>([](QMessageBox* question) {
                AnswerBox(QMessageBox::Ok);
                QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
            });
        });
        Child<QAction>(w.get(), "actionRestore")->trigger();
        QCOMPARE(TestEnv::readAll(AffairStore::DefaultPath()), store);
        QCOMPARE(Titles(w.get()), QStringList({"d", "w"}));
        QCOMPARE(w->Affairs().At(0).NextSecs(), At(2030, 1, 17, 8, 0).toSecsSinceEpoch());
    }
};

QTEST_MAIN(TestMainWindow)
#include "testmainwindow.moc"
