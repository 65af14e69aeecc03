// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "core/options/options.h"
#include "core/storage/backuparchive.h"
#include "gui/effects/effectshow.h"
#include "gui/events/affaireditdialog.h"
#include "gui/options/settingdialog.h"
#include "gui/paint/paintcpanel.h"
#include "support/widgettest.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QTextEdit>
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

QString RowColours(const QObject* window)
{
    QStringList colours;
    for (int row = 0; row < Table(window)->rowCount(); ++row) {
        colours << Table(window)->item(row, 4)->foreground().color().name();
    }
    return colours.join(' ');
}

// Opens the picture editor with `command`, sets the event's title through its dialog, then OK or
// Cancel. Meanwhile another row is chosen.
void EditAndFinish(MainWindow* w, const char* command, const QString& title, bool save)
{
    Click(w, command);
    QPointer<PaintCPanel> editor;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* open = qobject_cast<PaintCPanel*>(top); open && open->isVisible()) {
            editor = open;
        }
    }
    QVERIFY(editor && !w->isVisible());
    Table(w)->setCurrentCell(1, 0);
    WhenModal<AffairEditDialog>([title](AffairEditDialog* dialog) {
        Child<QTextEdit>(dialog, "AFTitle")->setPlainText(title);
        Click(dialog, "Daily");
        ClickBox(dialog, QDialogButtonBox::Ok);
    });
    Click(editor, "pushButton");
    AnswerBox(QMessageBox::Yes);
    Click(editor, save ? "pushButton_2" : "pushButton_3");
    QTRY_VERIFY(editor.isNull());
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // The test answers the Qt file dialog itself; a native one would be out of its reach.
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        ScreenSize::setOverride(QSize(320, 240));
    }

    // Colours follow each event's state, whatever the language, and a change of the options.
    void rowsTakeTheirEventsState()
    {
        Sandbox box;
        SaveThreeEvents();
        auto w = StartWindow();
        QTranslator german;
        QVERIFY(german.load(QLocale(QLocale::German), "pennibell", "_", ":/i18n"));
        QCoreApplication::installTranslator(&german);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(RowColours(w.get()), "#008000 #ff0000 #008000");
        QCoreApplication::removeTranslator(&german);
        w->AppOptions()->Change([](ESettings& s) { s.SetEffectiveColor(QStringLiteral("rgb(0,0,255)")); });
        QCOMPARE(RowColours(w.get()), "#0000ff #ff0000 #0000ff");
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
    }

    // Only the pictures of the expired events go, and only the program's own.
    void deleteExpired()
    {
        Sandbox box;
        AffairInfo foreign = Event("f", At(2020, 1, 1, 0, 0));
        foreign.SetPicPath(QStringLiteral("./notes.txt"));
        SaveEvents({Event("d", At(2030, 1, 10, 8, 0), Days(1)), foreign, Event("g", At(2030, 1, 1, 9, 0))});
        auto w = StartWindow();
        AnswerBox(QMessageBox::Yes);
        w->DelExpired();
        QCOMPARE(Titles(w.get()), QStringList({"d"}));
        QVERIFY(!QFileInfo::exists(QStringLiteral("./data/dap20300101090000")));
        QVERIFY(QFileInfo::exists(QStringLiteral("./notes.txt")) &&
                QFileInfo::exists(QStringLiteral("./data/dap20300110080000")));
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
        QCOMPARE(w->Affairs().At(0).NextSecs(), At(2030, 1, 17, 8, 0).toSecsSinceEpoch());
    }

    // Add appends, Edit replaces the event it was opened for, Cancel keeps the event as it was.
    void addEditAndCancel()
    {
        Sandbox box;
        SaveEvents({Event("f", At(2030, 1, 10, 8, 0), Days(1)), Event("s", At(2030, 1, 11, 8, 0), Days(1))});
        auto w = StartWindow();
        EditAndFinish(w.get(), "AddNew", QStringLiteral("Dentist"), true);
        QVERIFY(QFileInfo::exists(AffairStore().LoadAffairs().At(2).GetPicPath()));
        Table(w.get())->setCurrentCell(0, 0);
        EditAndFinish(w.get(), "Edit", QStringLiteral("f, edited"), true);
        QCOMPARE(Titles(w.get()), QStringList({"f, edited", "s", "Dentist"}));
        QCOMPARE(AffairStore().LoadAffairs().At(0).GetAffairID(), QStringLiteral("f"));
        EditAndFinish(w.get(), "Edit", QStringLiteral("Never kept"), false);
        QCOMPARE(Titles(w.get()), QStringList({"f, edited", "s", "Dentist"}));
    }

    // A reminder on screen is clicked away while Options is open (window-modal, so the reminder
    // still takes input).
    void reminderClickableDuringOptions()
    {
        Sandbox box;
        SaveEvents({Event("d", At(2030, 1, 10, 8, 0), Days(1))});
        auto w = StartWindow();
        Child<QAction>(w.get(), "actionPreview")->trigger();
        EffectShow* reminder = w->EffectWindow();
        WhenModal<SettingDialog>([&](SettingDialog* options) {
            QTRY_VERIFY_WITH_TIMEOUT(!reminder->IsRunning() && reminder->isVisible(), 30000);
            QTest::mouseClick(reminder->windowHandle(), Qt::LeftButton, {}, QPoint(160, 120));
            ClickBox(options, QDialogButtonBox::Cancel);
        });
        Child<QAction>(w.get(), "actionOption")->trigger();
        QVERIFY(!w->EffectWindow());
    }

    // Help says where the manual is when nothing can show it.
    void helpNamesTheManual()
    {
        Sandbox box;
        auto w = StartWindow();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no program to open the manual with
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        Child<QAction>(w.get(), "actionContents")->trigger();
        qputenv("PATH", path);
        QVERIFY2(text.contains(QDir::toNativeSeparators(MainWindow::HelpPath())), qPrintable(text));
    }
};

QTEST_MAIN(TestMainWindow)
#include "testmainwindow.moc"
