// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/backuparchive.h"
#include "support/widgettest.h"

#include <QFileDialog>
#include <QFileInfo>

using namespace WidgetTest;

namespace {

// Seen from 2030-01-15 12:00: a daily and a fortnightly event, each with its picture.
void SaveTwoEvents()
{
    SaveEvents({Event("20300110080000", "Daily", At(2030, 1, 10, 8, 0), 1),
                Event("20300114183000", "Fortnightly", At(2030, 1, 14, 18, 30), 14)});
}

// The event file and every picture, to tell whether anything on disk changed.
QMap<QString, QByteArray> DataFiles()
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(QStringLiteral("data")).entryList(QDir::Files)) {
        files.insert(name, TestEnv::readAll(QStringLiteral("data/") + name));
    }
    return files;
}

} // namespace

class TestMainWindowBackup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { Poll.stop(); }
    void backupThenRestore();
    void backupWarns_data();
    void backupWarns();
    void restoreChangesNothing_data();
    void restoreChangesNothing();

private:
    QTimer Poll;
    QStringList Seen;  // each modal widget as "kind|title|text" (file dialog: "file|title|filters|folder")
    QStringList Files; // what each file dialog is answered with, in turn; empty: cancel
    void Answer();
};

// Records and dismisses whatever modal widget is up, so that none waits for a person.
void TestMainWindowBackup::Answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        Seen << "file|" + dialog->windowTitle() + "|" + dialog->nameFilters().join(";;") + "|" +
                    dialog->directory().canonicalPath();
        const QString file = Files.isEmpty() ? QString() : Files.takeFirst();
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(file);
        // QFileDialog::accept() is protected; called through QDialog it still checks the name.
        static_cast<QDialog*>(dialog)->accept();
    } else if (box && box->button(QMessageBox::Yes)) {
        Seen << QStringLiteral("question|") + box->text();
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    } else if (box && box->button(QMessageBox::Ok)) {
        Seen << QLatin1String(box->icon() == QMessageBox::Warning       ? "warning|"
                              : box->icon() == QMessageBox::Information ? "information|"
                                                                        : "other|") +
                    box->windowTitle() + "|" + box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    } else if (modal) {
        Seen << QStringLiteral("other");
        modal->close();
    }
}

void TestMainWindowBackup::initTestCase()
{
    // The test answers the Qt file dialog itself; a native one would be out of its reach.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    Poll.setInterval(5);
    connect(&Poll, &QTimer::timeout, this, &TestMainWindowBackup::Answer);
}

void TestMainWindowBackup::init()
{
    Seen.clear();
    Files.clear();
    Poll.start();
}

void TestMainWindowBackup::backupThenRestore()
{
    Sandbox box;
    SaveTwoEvents();
    SaveOptions(false);
    auto w = StartWindow();
    const QMap<QString, QByteArray> before = DataFiles();
    Trigger(w.get(), "actionBak");
    const QString backup = QFileInfo(QStringLiteral("backup/SEvent2030-01-15.bef")).absoluteFilePath();
    QCOMPARE(Seen,
             QStringList({"information|Backup File|Backup success.\n" + QDir::toNativeSeparators(backup)}));
    QVERIFY(QFileInfo::exists(backup));

    // The list changes after the backup: the daily event goes, with its picture, and a day passes.
    Trigger(w.get(), "actionDelete");
    QCOMPARE(Titles(w.get()), QStringList({"Fortnightly"}));
    Clock::advance(24 * 3600);
    Seen.clear();
    Files = QStringList({backup});
    Trigger(w.get(), "actionRestore");
    QCOMPARE(Seen.mid(1), QStringList({"question|Replace your 1 events with the 2 events of " +
                                           QDir::toNativeSeparators(backup) + "?",
                                       "information|Restore File|Restored 2 events."}));
    QCOMPARE(Titles(w.get()), QStringList({"Daily", "Fortnightly"}));
    QCOMPARE(DataFiles(), before);

    // Re-armed from the new day: each falls due at its next moment, and not before.
    AffairList events = w->Affairs();
    QCOMPARE(events.At(1).NextSecs(), At(2030, 1, 28, 18, 30).toSecsSinceEpoch());
    const qint64 daily = At(2030, 1, 17, 8, 0).toSecsSinceEpoch();
    QCOMPARE(events.DueMask(daily - 1), QStringLiteral("00"));
    QCOMPARE(events.DueMask(daily), QStringLiteral("10"));
}

void TestMainWindowBackup::backupWarns_data()
{
    QTest::addColumn<bool>("events");
    QTest::addColumn<QString>("expected"); // the box's start
    QTest::newRow("nothing to back up") << false << "warning|Pennibell|You have nothing to backup.\n";
    QTest::newRow("folder cannot be made") << true << "warning|Backup File|Backup failed.\n";
}

void TestMainWindowBackup::backupWarns()
{
    QFETCH(bool, events);
    QFETCH(QString, expected);
    Sandbox box;
    if (events) {
        SaveTwoEvents();
    }
    auto w = StartWindow();
    QVERIFY(QDir().rmdir(QStringLiteral("backup")));
    TestEnv::writeAll(QStringLiteral("backup"), "in the way");
    Trigger(w.get(), "actionBak");
    QCOMPARE(Seen.size(), 1);
    QVERIFY2(Seen.at(0).startsWith(expected), qPrintable(Seen.at(0)));
    // A failure names what went wrong.
    QVERIFY2(!events || Seen.at(0).contains(QStringLiteral("./backup")), qPrintable(Seen.at(0)));
    QCOMPARE(TestEnv::readAll(QStringLiteral("backup")), QByteArray("in the way"));
}

void TestMainWindowBackup::restoreChangesNothing_data()
{
    QTest::addColumn<int>("keep"); // bytes of a sound backup kept; -1: not a backup at all
    QTest::newRow("cancelled") << 0;
    QTest::newRow("cut inside the event list") << 20;
    QTest::newRow("cut inside a picture") << -2;
    QTest::newRow("not a backup") << -1;
}

// A restore cancelled, or from a damaged file, leaves the events as they were.
void TestMainWindowBackup::restoreChangesNothing()
{
    QFETCH(int, keep);
    Sandbox box;
    SaveTwoEvents();
    const QString file = QFileInfo(QStringLiteral("backup/SEvent2030-01-15.bef")).absoluteFilePath();
    QVERIFY(BackupArchive::Backup(file).ok());
    const QByteArray sound = TestEnv::readAll(file);
    TestEnv::writeAll(file, keep == -1   ? QByteArray("[General]\nnum=2\n")
                            : keep == -2 ? sound.left(sound.size() - 3)
                            : keep > 0   ? sound.left(keep)
                                         : sound);
    // Only one event is left when the file is chosen.
    SaveEvents({Event("20300114183000", "Fortnightly", At(2030, 1, 14, 18, 30), 14)});
    QVERIFY(QFile::remove(QStringLiteral("data/dap20300110080000")));
    auto w = StartWindow();
    const QMap<QString, QByteArray> before = DataFiles();
    if (keep != 0) {
        Files = QStringList({file});
    }
    Trigger(w.get(), "actionRestore");
    QCOMPARE(Seen.value(0), "file|Restore File|Backup file (*.bef);;All files (*.*)|" +
                                QDir(QStringLiteral("backup")).canonicalPath());
    if (keep != 0) {
        QVERIFY2(Seen.value(1).startsWith(QStringLiteral("warning|Restore File|Restore failed.\n")),
                 qPrintable(Seen.value(1)));
        QVERIFY2(Seen.at(1).contains(file), qPrintable(Seen.at(1)));
    }
    QCOMPARE(Seen.size(), keep == 0 ? 1 : 2);
    QCOMPARE(Titles(w.get()), QStringList({"Fortnightly"}));
    QVERIFY(w->Affairs().At(0).IsArmed());
    QCOMPARE(DataFiles(), before);
}

QTEST_MAIN(TestMainWindowBackup)
#include "testmainwindowbackup.moc"
