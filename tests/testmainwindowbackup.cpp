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

// What a modal widget showed before the test answered it.
struct Modal
{
    QString kind; // "file", "warning", "information" or "other"
    QString title;
    QString text;
    QStringList filters;
    QString folder;
};

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
    void nothingToBackup();
    void failedBackupIsReported();
    void cancelledRestoreChangesNothing();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    std::unique_ptr<MainWindow> Window;
    QTimer Poll;
    QList<Modal> Seen;
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
    Modal seen;
    seen.kind = QStringLiteral("other");
    seen.title = modal->windowTitle();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        seen.kind = QStringLiteral("file");
        seen.filters = dialog->nameFilters();
        seen.folder = dialog->directory().canonicalPath();
        const QString file = Files.isEmpty() ? QString() : Files.takeFirst();
        Seen.append(seen);
        if (file.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(file);
            // Through QDialog: QFileDialog hides its own accept(), which checks the name.
            static_cast<QDialog*>(dialog)->accept();
        }
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.kind = box->icon() == QMessageBox::Warning       ? QStringLiteral("warning")
                    : box->icon() == QMessageBox::Information ? QStringLiteral("information")
                                                              : seen.kind;
        seen.text = box->text();
        Seen.append(seen);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            QTest::mouseClick(ok, Qt::LeftButton);
            return;
        }
    } else {
        Seen.append(seen);
    }
    modal->close();
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
    QCOMPARE(Seen.size(), 1);
    QCOMPARE(Seen.at(0).kind, QStringLiteral("information"));
    QCOMPARE(Seen.at(0).title, QStringLiteral("Backup File"));
    QCOMPARE(Seen.at(0).text, QStringLiteral("Backup success.\n"));
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

void TestMainWindowBackup::nothingToBackup()
{
    Start();
    Trigger("actionBak");
    QCOMPARE(Seen.size(), 1);
    QCOMPARE(Seen.at(0).kind, QStringLiteral("warning"));
    QCOMPARE(Seen.at(0).title, QStringLiteral("Pennibell"));
    QCOMPARE(Seen.at(0).text, QStringLiteral("You have nothing to backup.\n"));
    QVERIFY(QDir(QStringLiteral("backup")).isEmpty());
}

void TestMainWindowBackup::failedBackupIsReported()
{
    WriteTwoEvents();
    Start();
    QVERIFY(QDir().rmdir(QStringLiteral("backup")));
    TestEnv::writeAll(QStringLiteral("backup"), "in the way");

    Trigger("actionBak");
    QCOMPARE(Seen.size(), 1);
    QCOMPARE(Seen.at(0).kind, QStringLiteral("warning"));
    QCOMPARE(Seen.at(0).title, QStringLiteral("Backup File"));
    QVERIFY2(Seen.at(0).text.startsWith(QStringLiteral("Backup failed.\n")), qPrintable(Seen.at(0).text));
    QVERIFY2(Seen.at(0).text.contains(QStringLiteral("./backup")), qPrintable(Seen.at(0).text));
    QCOMPARE(TestEnv::readAll(QStringLiteral("backup")), QByteArray("in the way"));
}

void TestMainWindowBackup::cancelledRestoreChangesNothing()
{
    WriteTwoEvents();
    MainWindow* w = Start();
    QVERIFY(BackupArchive::Backup().ok());
    const QMap<QString, QByteArray> before = DataFiles();

    Trigger("actionRestore");
    QCOMPARE(Seen.size(), 1);
    QCOMPARE(Seen.at(0).kind, QStringLiteral("file"));
    QCOMPARE(Seen.at(0).title, QStringLiteral("Restore File"));
    QCOMPARE(Seen.at(0).filters, QStringList({"Backup file (*.bef)", "All files (*.*)"}));
    QCOMPARE(Seen.at(0).folder, QDir(QStringLiteral("backup")).canonicalPath());
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
    QCOMPARE(Seen.at(1).kind, QStringLiteral("warning"));
    QCOMPARE(Seen.at(1).title, QStringLiteral("Restore File"));
    QVERIFY2(Seen.at(1).text.startsWith(QStringLiteral("Restore failed.\n")), qPrintable(Seen.at(1).text));
    QVERIFY2(Seen.at(1).text.contains(file), qPrintable(Seen.at(1).text));
    QCOMPARE(Titles(), QStringList({"Fortnightly"}));
    QCOMPARE(w->Affairs().Count(), 1);
    QVERIFY(w->Affairs().At(0).IsArmed());
    QCOMPARE(DataFiles(), before);
}

QTEST_MAIN(TestMainWindowBackup)
#include "testmainwindowbackup.moc"
