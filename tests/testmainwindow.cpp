// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"
#include "core/storage/backuparchive.h"
#include "mock/MockScreens.h"
#include "support/widgettest.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QTableView>
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
    options.SetEffectiveColor(QColor(0, 128, 0));
    QVERIFY(options.SaveOptions());
}

QTableView* Table(const QObject* window)
{
    return Child<QTableView>(window, "tableWidget");
}

// The table's titles, or the colours of its rows, as shown.
QString Rows(const QObject* window, bool colours = false)
{
    QStringList out;
    const QAbstractItemModel* model = Table(window)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        out << (colours ? model->index(row, 4).data(Qt::ForegroundRole).value<QColor>().name()
                        : model->index(row, 0).data().toString());
    }
    return out.join(' ');
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
        MockScreens::set(QSize(320, 240));
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
        QCOMPARE(Rows(w->get(), true), "#008000 #ff0000 #008000");
        QCoreApplication::removeTranslator(&german);
        w->options.Change([](ESettings& s) { s.SetEffectiveColor(QColor(0, 0, 255)); });
        QCOMPARE(Rows(w->get(), true), "#0000ff #ff0000 #0000ff");
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
        Table(w->get())->selectRow(1);
        bool asked = false;
        WhenModal<QMessageBox>([&](QMessageBox* ask) {
            asked = true;
            // A reminder rebuilding the table while the question waits moves the current row;
            // the event chosen when Delete was pressed is the one that goes.
            Table(w->get())->selectRow(0);
            QTest::mouseClick(ask->button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        });
        Click(w->get(), "Delete");
        QCOMPARE(asked, reminder);
        const bool deleted = !reminder || yes;
        // Saving and the picture are the book's, checked there.
        QCOMPARE(Rows(w->get()), deleted ? "Daily Weekly" : "Daily Gone Weekly");
    }

    // The expired events go; a picture path that is not the program's own is left alone.
    void deleteExpired()
    {
        Sandbox box;
        AffairInfo foreign = Event("f", At(2020, 1, 1, 0, 0));
        foreign.SetPicPath(QStringLiteral("./notes.txt"));
        SaveEvents({Event("d", At(2030, 1, 10, 8, 0), Days(1)), foreign, Event("g", At(2030, 1, 1, 9, 0))});
        auto w = StartWindow();
        AnswerBox(QMessageBox::Yes);
        w->window->DeleteExpired();
        QCOMPARE(Rows(w->get()), "d");
        QVERIFY(QFileInfo::exists(QStringLiteral("./notes.txt")));
    }

    // The window comes back where and as large as the user left it.
    void placeKeptAcrossRestarts()
    {
        Sandbox box;
        SaveThreeEvents();
        const QRect place(40, 50, 700, 520);
        {
            auto w = StartWindow();
            w->get()->setGeometry(place);
            w->get()->hide();
        }
        QCOMPARE(StartWindow()->get()->geometry(), place);
    }

    // A restore brings back the events of the backup, re-armed from today.
    void restoreReArms()
    {
        Sandbox box;
        SaveEvents(
            {Event("d", At(2030, 1, 10, 8, 0), Days(1)), Event("w", At(2030, 1, 14, 18, 30), Days(14))});
        QVERIFY(BackupArchive::Backup(QStringLiteral("backup/b.bef")).ok());
        SaveEvents({Event("w", At(2030, 1, 14, 18, 30), Days(14))});
        auto w = StartWindow();
        MockClock::advance(24 * 3600);
        WhenModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->selectFile(QFileInfo(QStringLiteral("backup/b.bef")).absoluteFilePath());
            static_cast<QDialog*>(dialog)->accept();
            WhenModal<QMessageBox>([](QMessageBox* question) {
                AnswerBox(QMessageBox::Ok);
                QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
            });
        });
        Child<QAction>(w->get(), "actionRestore")->trigger();
        const AffairList stored = EventBuilder::Stored();
        QVERIFY(stored.Count() == 2 && stored.At(0).GetAffairID() == QLatin1String("d"));
        QCOMPARE(w->book.Events().At(0).NextSecs(), At(2030, 1, 17, 8, 0).toSecsSinceEpoch());
    }
};

QTEST_MAIN(TestMainWindow)
#include "testmainwindow.moc"
