#include "affairstore.h"
#include "backuparchive.h"
#include "clock.h"
#include "esettings.h"
#include "eventrowtext.h"
#include "mainwindow.h"
#include "testenv.h"
#include "traycheck.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QDateTime At(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

AffairInfo Event(const QString& id, const QString& title, const QDateTime& first, qint32 day)
{
    AffairInfo record;
    record.SetInfo(id, title, first, 0, 0, day, 0, 0);
    record.SetPicPath(QStringLiteral("./data/dap") + id);
    record.SetEffect({0, 0});
    return record;
}

// Seen from 2030-01-15 12:00: a daily and a fortnightly event, each with its picture.
void WriteTwoEvents()
{
    QDir().mkpath(QStringLiteral("data"));
    AffairList list;
    list.AppendAffair(
        Event(QStringLiteral("20300110080000"), QStringLiteral("Daily"), At(2030, 1, 10, 8, 0), 1));
    list.AppendAffair(
        Event(QStringLiteral("20300114183000"), QStringLiteral("Fortnightly"), At(2030, 1, 14, 18, 30), 14));
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
    for (int i = 0; i < list.Count(); ++i) {
        TestEnv::writeAll(list.At(i).GetPicPath(), "picture of " + list.At(i).GetAffairTitle().toUtf8());
    }
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
    void cleanup();

    void backupThenRestore();
    void backupWarns_data();
    void backupWarns();
    void cancelledRestoreChangesNothing();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    std::unique_ptr<MainWindow> Window;
    QTimer Poll;
    QStringList Seen;  // each modal widget as "kind|title|text" (file dialog: "file|title|filters|folder")
    QStringList Files; // what each file dialog is answered with, in turn; empty: cancel

    MainWindow* Start()
    {
        Window = std::make_unique<MainWindow>();
        Window->InitWindow();
        Window->ShowAtStart(false);
        return Window.get();
    }
    void Trigger(const char* action) { Window->findChild<QAction*>(QLatin1String(action))->trigger(); }
    QStringList Titles() const
    {
        auto* table = Window->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        QStringList titles;
        for (int row = 0; row < table->rowCount(); ++row) {
            titles << table->item(row, 0)->text();
        }
        return titles;
    }
    void Answer();
};

// Records and dismisses whatever modal widget is up, so that none waits for a person.
void TestMainWindowBackup::Answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        Seen << QStringList({"file", dialog->windowTitle(), dialog->nameFilters().join(";;"),
                             dialog->directory().canonicalPath()})
                    .join('|');
        const QString file = Files.isEmpty() ? QString() : Files.takeFirst();
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(file);
        // QFileDialog::accept() is protected; called through QDialog it still checks the name.
        static_cast<QDialog*>(dialog)->accept();
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    const char* kind = !box                                      ? "other"
                       : box->icon() == QMessageBox::Warning     ? "warning"
                       : box->icon() == QMessageBox::Information ? "information"
                                                                 : "other";
    Seen << QStringList({kind, modal->windowTitle(), box ? box->text() : QString()}).join('|');
    if (box && box->button(QMessageBox::Ok)) {
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    } else {
        modal->close();
    }
}

void TestMainWindowBackup::initTestCase()
{
    TestEnv::setTimeZone("UTC");
    // The test answers the Qt file dialog itself; a native one would be out of its reach.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    Poll.setInterval(5);
    connect(&Poll, &QTimer::timeout, this, &TestMainWindowBackup::Answer);
}

void TestMainWindowBackup::init()
{
    Scratch = std::make_unique<TestEnv::ScratchDir>();
    Config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
    Clock::setMock(At(2030, 1, 15, 12, 0));
    TrayCheck::SetOverride(true);
    Seen.clear();
    Files.clear();
    Poll.start();
}

void TestMainWindowBackup::cleanup()
{
    Poll.stop();
    Window.reset();
    TrayCheck::SetOverride(std::nullopt);
    Clock::reset();
    Scratch.reset();
}

void TestMainWindowBackup::backupThenRestore()
{
    WriteTwoEvents();
    ESettings options;
    options.SetDelReminder(false);
    QVERIFY(options.SaveOptions());
    MainWindow* w = Start();
    const QMap<QString, QByteArray> before = DataFiles();

    Trigger("actionBak");
    QCOMPARE(Seen, QStringList({"information|Backup File|Backup success.\n"}));
    const QString backup = QFileInfo(QStringLiteral("backup/SEvent2030-01-15.bef")).absoluteFilePath();
    QVERIFY(QFileInfo::exists(backup));

    // The list changes after the backup: the daily event goes, with its picture, and a day passes.
    Trigger("actionDelete");
    QCOMPARE(Titles(), QStringList({"Fortnightly"}));
    Clock::advance(24 * 3600);

    Seen.clear();
    Files = QStringList({backup});
    Trigger("actionRestore");
    QCOMPARE(Seen.size(), 1); // the file dialog; a restore that works says nothing
    QCOMPARE(Titles(), QStringList({"Daily", "Fortnightly"}));
    QCOMPARE(DataFiles(), before);

    // Re-armed from the new day: each falls due at its next moment, and not before.
    AffairList events = w->Affairs();
    QVERIFY(events.At(0).IsArmed());
    QVERIFY(events.At(1).IsArmed());
    QCOMPARE(events.At(1).NextSecs(), At(2030, 1, 28, 18, 30).toSecsSinceEpoch());
    const QDateTime daily = At(2030, 1, 17, 8, 0);
    QCOMPARE(events.DueMask(daily.toSecsSinceEpoch() - 1), QStringLiteral("00"));
    QCOMPARE(events.DueMask(daily.toSecsSinceEpoch()), QStringLiteral("10"));
    auto* table = w->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
    QCOMPARE(table->item(0, 1)->text(), EventRowText::DateText(daily));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("Yes"));
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
    if (events) {
        WriteTwoEvents();
    }
    Start();
    QVERIFY(QDir().rmdir(QStringLiteral("backup")));
    TestEnv::writeAll(QStringLiteral("backup"), "in the way");

    Trigger("actionBak");
    QCOMPARE(Seen.size(), 1);
    QVERIFY2(Seen.at(0).startsWith(expected), qPrintable(Seen.at(0)));
    // A failure names what went wrong.
    QVERIFY2(!events || Seen.at(0).contains(QStringLiteral("./backup")), qPrintable(Seen.at(0)));
    QCOMPARE(TestEnv::readAll(QStringLiteral("backup")), QByteArray("in the way"));
}

void TestMainWindowBackup::cancelledRestoreChangesNothing()
{
    WriteTwoEvents();
    MainWindow* w = Start();
    QVERIFY(BackupArchive::Backup().ok());
    const QMap<QString, QByteArray> before = DataFiles();

    Trigger("actionRestore");
    QCOMPARE(Seen, QStringList({"file|Restore File|Backup file (*.bef);;All files (*.*)|" +
                                QDir(QStringLiteral("backup")).canonicalPath()}));
    QCOMPARE(Titles(), QStringList({"Daily", "Fortnightly"}));
    QCOMPARE(w->Affairs().Count(), 2);
    QCOMPARE(DataFiles(), before);
}

void TestMainWindowBackup::damagedFileChangesNothing_data()
{
    QTest::addColumn<int>("keep"); // bytes of a sound backup kept; -1: not a backup at all
    QTest::newRow("cut inside the event list") << 20;
    QTest::newRow("cut inside a picture") << -2;
    QTest::newRow("not a backup") << -1;
}

void TestMainWindowBackup::damagedFileChangesNothing()
{
    QFETCH(int, keep);
    WriteTwoEvents();
    const QString file = QFileInfo(QStringLiteral("backup/SEvent2030-01-15.bef")).absoluteFilePath();
    QVERIFY(BackupArchive::Backup(file).ok());
    const QByteArray sound = TestEnv::readAll(file);
    TestEnv::writeAll(file, keep == -1   ? QByteArray("[General]\nnum=2\n")
                            : keep == -2 ? sound.left(sound.size() - 3)
                                         : sound.left(keep));
    // Only one event is left when the damaged file is chosen.
    AffairStore store(AffairStore::DefaultPath());
    AffairList events = store.LoadAffairs();
    QVERIFY(events.RemoveAffair(QStringLiteral("20300110080000")));
    QVERIFY(store.SaveAffairs(events));
    QVERIFY(QFile::remove(QStringLiteral("data/dap20300110080000")));
    MainWindow* w = Start();
    const QMap<QString, QByteArray> before = DataFiles();
    QCOMPARE(Titles(), QStringList({"Fortnightly"}));

    Files = QStringList({file});
    Trigger("actionRestore");
    QCOMPARE(Seen.size(), 2);
    QVERIFY2(Seen.at(1).startsWith(QStringLiteral("warning|Restore File|Restore failed.\n")),
             qPrintable(Seen.at(1)));
    QVERIFY2(Seen.at(1).contains(file), qPrintable(Seen.at(1)));
    QCOMPARE(Titles(), QStringList({"Fortnightly"}));
    QCOMPARE(w->Affairs().Count(), 1);
    QVERIFY(w->Affairs().At(0).IsArmed());
    QCOMPARE(DataFiles(), before);
}

QTEST_MAIN(TestMainWindowBackup)
#include "testmainwindowbackup.moc"
