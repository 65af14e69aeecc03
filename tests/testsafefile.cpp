// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"
#include "core/options/esettings.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
#include "core/storage/safefile.h"
#include "helpers/hostile.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QtTest>
#include <csignal>

using namespace EventBuilder;

namespace {
const QDateTime First(QDate(2011, 1, 1), QTime(8, 0));
const QString Pic = "./data/dap20110101080000";
const QString Today = "./backup/SEvent2010-06-01.bef";

// Pixels that do not compress: a picture file of some 3 KiB per 1000 pixels.
QImage noise(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB16);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(image.bits()), image.sizeInBytes() / 4);
    return image;
}

AffairList events(int count, int titleLength)
{
    AffairList list;
    for (int i = 0; i < count; ++i) {
        list.AppendAffair(Event(QString::number(i), First.addSecs(60 * i), Days(1),
                                QString(titleLength, QChar('a' + i % 26))));
    }
    return list;
}
} // namespace

// Every save is whole or not made at all: on a full disk, and when the saver is killed.
class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MockClock::set(QDateTime(QDate(2010, 6, 1), QTime(12, 0))); }

    // Each kind of write on a real disk with 0 and 4 KiB left: it either reports success
    // and the file holds all of it, or reports failure and every file is as it was.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("kib");
        for (const char* kind : {"store", "options", "picture", "backup", "autostart", "restore"}) {
            for (int kib : {0, 4}) {
                QTest::addRow("%s, %d KiB free", kind, kib) << QString::fromLatin1(kind) << kib;
            }
        }
    }
    void fullDisk()
    {
        QFETCH(QString, kind);
        QFETCH(int, kib);
        QTemporaryDir outside;
        const QString restoreFrom = outside.filePath("big.bef");
        {
            // A backup of a large picture made elsewhere, to be restored onto the small disk.
            TestEnv::ScratchDir elsewhere({"data"});
            QVERIFY(AffairStore().SaveAffairs(events(3, 10)) && PictureFile::Write(Pic, noise(60, 60, 2)) &&
                    BackupArchive::Backup(restoreFrom).ok());
        }
        Hostile::SmallDisk disk;
        if (!disk.Mounted) {
            QSKIP("mounting a tmpfs needs root");
        }
        QVERIFY(QDir().mkpath("data") && QDir().mkpath("config"));
        qputenv("XDG_CONFIG_HOME", QDir::current().absoluteFilePath("config").toLocal8Bit());
        QVERIFY(AffairStore().SaveAffairs(events(2, 10)) && PictureFile::Write(Pic, noise(60, 60, 1)) &&
                ESettings().SaveOptions() && BackupArchive::Backup(Today).ok());
        QCOMPARE(AutoStart::Apply(true, "/old", QString()), AutoStart::Outcome::Written);
        const QString longPath = QLatin1Char('/') + QString(12000, QLatin1Char('p'));
        disk.leave(kib);
        const auto before = Hostile::snapshot();

        // Whether all of it is there is asked only of a write that reports success: reading a
        // damaged event file would put it aside.
        bool ok = false, whole = false;
        QImage image;
        if (kind == "store") {
            ok = AffairStore().SaveAffairs(events(40, 300));
            whole = ok && Stored().Count() == 40;
        } else if (kind == "options") {
            ESettings options;
            options.SetExpiredColor(QColor(1, 2, 3));
            ok = options.SaveOptions();
            whole = ok && ESettings().GetExpiredColor() == QColor(1, 2, 3);
        } else if (kind == "picture") {
            ok = PictureFile::Write(Pic, noise(60, 60, 3));
            whole = ok && PictureFile::Read(Pic, QSize(60, 60), &image) && image == noise(60, 60, 3);
        } else if (kind == "backup") {
            BackupArchive::Contents contents;
            ok = BackupArchive::Backup(Today).ok();
            whole = ok && BackupArchive::Parse(TestEnv::readAll(Today), &contents) &&
                    contents.pictures.value(0) == TestEnv::readAll(Pic);
        } else if (kind == "autostart") {
            ok = AutoStart::Apply(true, longPath, QString()) == AutoStart::Outcome::Written;
            whole =
                ok && TestEnv::readAll(AutoStart::EntryPath()) == AutoStart::EntryText(longPath, QString());
        } else {
            ok = BackupArchive::Restore(restoreFrom, Stored(), nullptr).ok();
            const AffairList list = ok ? Stored() : AffairList();
            whole = list.Count() == 3 && !QFileInfo::exists(Pic) &&
                    PictureFile::Read(list.At(0).GetPicPath(), QSize(60, 60), &image) &&
                    image == noise(60, 60, 2);
        }
        QVERIFY(!ok || kib > 0);
        if (ok) {
            QVERIFY(whole);
        } else {
            QCOMPARE(Hostile::snapshot(), before);
        }
    }

    // A saver killed at any moment leaves every file either as it was or as it was about to be,
    // whole: never half written.
    void killedSaverLeavesWholeFiles()
    {
        TestEnv::ScratchDir dir;
        const QString picture = "./data/dap20300101080000";
        QSet<QByteArray> pictureContents;
        QSet<QByteArray> storeContents;
        QRandomGenerator random(20261206);
        // A kill in the middle of a backup leaves its temporary copy of the store behind.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dir.path());
        for (int k = 0; k < 30; ++k) {
            QProcess saver;
            saver.setProcessEnvironment(env);
            saver.start(PENNIBELL_SAVER, {dir.path()});
            // Generous: on a busy machine saving (and dying in a sync) can take long.
            QVERIFY2(saver.waitForReadyRead(20000), "the saver never started saving");
            QThread::msleep(random.bounded(1, 60));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY2(saver.waitForFinished(5000), "a killed saver did not end");
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            const AffairList list = Stored();
            QVERIFY2(list.Count() == 60 || list.Count() == 140, QByteArray::number(list.Count()));
            QCOMPARE(list.At(list.Count() - 1).GetAffairID(), QStringLiteral("id%1").arg(list.Count() - 1));

            QImage image;
            QVERIFY(PictureFile::Read(picture, QSize(800, 600), &image));
            pictureContents.insert(TestEnv::readAll(picture));
            storeContents.insert(TestEnv::readAll(AffairStore::DefaultPath()));
            BackupArchive::Contents contents;
            QString reason;
            const QByteArray backup = TestEnv::readAll(BackupArchive::FileNameFor(QDate(2026, 12, 6)));
            QVERIFY2(BackupArchive::Parse(backup, &contents, &reason), qPrintable(reason));
            QVERIFY(contents.events.Count() == 60 || contents.events.Count() == 140);
            QVERIFY(!contents.pictures.value(0).isEmpty());
        }
        // Only ever the two contents the saver writes, nothing in between.
        QVERIFY(pictureContents.size() <= 2 && storeContents.size() <= 2);
        // What the kills left half written goes at the next start; the saved files stay.
        SafeFile::RemoveStale("data");
        QCOMPARE(QDir("data").entryList(QDir::Files | QDir::Hidden),
                 QStringList({"dap20300101080000", "eventinfor.eda"}));
    }

    // A restore killed at any moment leaves the old list with its old pictures or the new list
    // with its new ones: every event's picture is its own.
    void killedRestoreLeavesOneState()
    {
        // In memory where there is a tmpfs, so that the kills fall on many rounds, not on syncs.
        QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/pennibell-XXXXXX" : QString());
        QRandomGenerator random(20261207);
        QSet<int> seen;
        for (int k = 0; k < 30; ++k) {
            QProcess saver;
            saver.start(PENNIBELL_SAVER, {dir.path(), "restore"});
            QVERIFY2(saver.waitForReadyRead(20000), "the saver never started restoring");
            QThread::msleep(random.bounded(1, 100));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY2(saver.waitForFinished(5000), "a killed saver did not end");
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            const AffairList list = Stored(dir.filePath("data/eventinfor.eda"));
            QVERIFY2(list.Count() == 20 || list.Count() == 35, QByteArray::number(list.Count()));
            seen.insert(list.Count());
            const QByteArray backup = list.Count() == 20 ? "A" : "B";
            for (int i = 0; i < list.Count(); ++i) {
                QCOMPARE(TestEnv::readAll(dir.filePath(list.At(i).GetPicPath())),
                         backup + QByteArray::number(i));
            }
        }
        QCOMPARE(seen.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "testsafefile.moc"
