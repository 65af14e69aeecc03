// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/storage/backuparchive.h"
#include "core/events/clock.h"
#include "support/testenv.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>
#include <QtEndian>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/resource.h>
#endif

namespace {

using Snapshot = QMap<QString, QByteArray>;
using Events = QList<QPair<QString, QByteArray>>; // picture path, picture (null: none)

// Every file under the current folder, hidden ones included, so stray temporaries show too.
Snapshot snapshot()
{
    Snapshot files;
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, TestEnv::readAll(path));
    }
    return files;
}

QByteArray le32(qint32 n)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(n, bytes.data());
    return bytes;
}

// Writes an event file of one event per path (ids a, b, c, ...) and each non-null picture at
// its path; returns the event file's bytes.
QByteArray setUp(const Events& events)
{
    QDir().mkpath(QStringLiteral("data"));
    AffairList list;
    for (const auto& [path, picture] : events) {
        if (!picture.isNull()) {
            TestEnv::writeAll(path, picture);
        }
        AffairInfo r;
        const QString id(QChar('a' + list.Count()));
        r.SetInfo(id, id, QDateTime(QDate(2010, 1, 1), QTime(8, 0)), 0, 0, 1, 0, 0);
        r.SetPicPath(path);
        list.AppendAffair(r);
    }
    AffairStore().SaveAffairs(list);
    return TestEnv::readAll(AffairStore::DefaultPath());
}

const QString Victim = QDir::tempPath() + QStringLiteral("/pennibell-backup-victim");
const QString Today = QStringLiteral("./backup/SEvent2009-12-20.bef");

#ifdef Q_OS_LINUX
// Runs f with writes beyond 64 KiB failing as on a full disk.
template <typename F> BackupArchive::Outcome onFullDisk(F f)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    const BackupArchive::Outcome outcome = f();
    setrlimit(RLIMIT_FSIZE, &saved);
    return outcome;
}
#endif

} // namespace

class TestBackupArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("UTC");
        Clock::setMock(QDateTime(QDate(2009, 12, 20), QTime(10, 0)));
    }
    void cleanupTestCase() { Clock::reset(); }

    // The second event's picture is missing and the fourth lies outside ./data: both are
    // carried as length 0, and the events after them keep their pictures.
    void roundTrip()
    {
        TestEnv::ScratchDir dir;
        const QList<QByteArray> pics{QByteArray(3000, '1'), QByteArray(100, '2'), QByteArray(7, '3')};
        TestEnv::writeAll(QStringLiteral("outside"), "not carried");
        const QByteArray store =
            setUp({{pic(1), pics[0]}, {pic(2), {}}, {pic(3), pics[1]}, {"./outside", {}}, {pic(4), pics[2]}});

        const BackupArchive::Outcome backup = BackupArchive::Backup();
        QVERIFY2(backup.ok(), qPrintable(backup.reason));
        QCOMPARE(backup.fileName, Today);
        Snapshot expected = snapshot();
        expected.insert(QStringLiteral("./data/notes.txt"), "mine");
        QCOMPARE(TestEnv::readAll(Today), block(qCompress(store, -1)) + block(pics[0]) + le32(0) +
                                              block(pics[1]) + le32(0) + block(pics[2]));

        // Another state: a picture drawn since, pictures changed or gone, a file of no event.
        QFile::remove(pic(3));
        TestEnv::writeAll(QStringLiteral("data/notes.txt"), "mine");
        setUp({{pic(5), "other"}, {pic(1), "changed"}, {pic(2), "drawn after the backup"}});
        AffairList restored;
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(Today, AffairStore().LoadAffairs(), &restored);
        QVERIFY2(restore.ok(), qPrintable(restore.reason));
        QCOMPARE(snapshot(), expected);
        QCOMPARE(restored.Count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(restored.At(i).GetAffairID(), QString(QChar('a' + i)));
        }
        QCOMPARE(restored.At(4).GetPicPath(), pic(4));
        QVERIFY(tempLeftovers().isEmpty());
    }

    void fewerBlocksThanEvents()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(QStringLiteral("old.bef"), storeBlock(pic(1), pic(2)) + block("one"));
        AffairList restored;
        QVERIFY(BackupArchive::Restore(QStringLiteral("old.bef"), AffairList(), &restored).ok());
        QCOMPARE(restored.Count(), 2);
        QCOMPARE(TestEnv::readAll(pic(1)), QByteArray("one"));
        QVERIFY(!QFile::exists(pic(2)));
    }

#ifdef Q_OS_LINUX
    // A backup may hold more pictures than a process may keep files open.
    void restoreMorePicturesThanOpenFiles()
    {
        TestEnv::ScratchDir dir;
        Events events;
        for (int i = 0; i < 300; ++i) {
            events.append({QStringLiteral("./data/dap2010010100%1").arg(i, 4, 10, QLatin1Char('0')),
                           "p" + QByteArray::number(i)});
        }
        setUp(events);
        QVERIFY(BackupArchive::Backup().ok());
        for (const auto& event : std::as_const(events)) {
            QFile::remove(event.first);
        }
        rlimit saved{};
        getrlimit(RLIMIT_NOFILE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 128;
        setrlimit(RLIMIT_NOFILE, &limit);
        AffairList restored;
        const BackupArchive::Outcome outcome = BackupArchive::Restore(Today, AffairList(), &restored);
        setrlimit(RLIMIT_NOFILE, &saved);
        QVERIFY2(outcome.ok(), qPrintable(outcome.reason));
        QCOMPARE(TestEnv::readAll(events.last().first), events.last().second);
        QCOMPARE(QDir("data").entryList(QDir::Files | QDir::Hidden).size(), 301);
    }
#endif

    // A second backup of the day replaces the first whole; on a full disk a third leaves it
    // whole, and a restore from it changes nothing.
    void sameDayBackupsAndAFullDisk()
    {
        TestEnv::ScratchDir dir;
        setUp({{pic(1), QByteArray(300000, '1')}, {pic(2), QByteArray(5000, '2')}});
        QVERIFY(BackupArchive::Backup().ok());
        const QByteArray store = setUp({{pic(1), QByteArray(100000, '3')}});
        QVERIFY(BackupArchive::Backup().ok());
        QCOMPARE(TestEnv::readAll(Today), block(qCompress(store, -1)) + block(QByteArray(100000, '3')));
        QCOMPARE(QDir(QStringLiteral("backup")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("SEvent2009-12-20.bef")});
#ifdef Q_OS_LINUX
        setUp({{pic(3), "current"}, {pic(1), QByteArray(200000, '4')}});
        const Snapshot before = snapshot();
        const BackupArchive::Outcome backup = onFullDisk([] { return BackupArchive::Backup(); });
        QCOMPARE(backup.status, BackupArchive::Status::WriteFailed);
        QVERIFY(backup.reason.contains(Today));
        QCOMPARE(snapshot(), before);
        const BackupArchive::Outcome restore =
            onFullDisk([] { return BackupArchive::Restore(Today, AffairStore().LoadAffairs(), nullptr); });
        QCOMPARE(restore.status, BackupArchive::Status::WriteFailed);
        QVERIFY(!restore.reason.isEmpty());
        QCOMPARE(snapshot(), before);
#endif
    }

    void backupSaysWhyItFailed_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<BackupArchive::Status>("status");
        QTest::newRow("no event file") << "" << BackupArchive::Status::StoreUnreadable;
        QTest::newRow("event file not an event file") << "garbage" << BackupArchive::Status::StoreUnreadable;
        QTest::newRow("no events") << "empty" << BackupArchive::Status::NothingToBackup;
        QTest::newRow("backup folder is a file") << "folder" << BackupArchive::Status::FolderNotWritable;
        QTest::newRow("backup file is a folder") << "file" << BackupArchive::Status::FileNotWritable;
    }
    void backupSaysWhyItFailed()
    {
        QFETCH(QString, setUp);
        QFETCH(BackupArchive::Status, status);
        TestEnv::ScratchDir dir;
        if (!setUp.isEmpty()) {
            ::setUp(setUp == "empty" ? Events() : Events{{pic(1), {}}});
        }
        if (setUp == "garbage") {
            TestEnv::writeAll(AffairStore::DefaultPath(), "\x01\x02 not = [ini");
        } else if (setUp == "folder") {
            TestEnv::writeAll(QStringLiteral("backup"), "a file");
        } else if (setUp == "file") {
            QDir().mkpath(Today);
        }
        const Snapshot before = snapshot();
        const BackupArchive::Outcome backup = BackupArchive::Backup();
        QCOMPARE(backup.status, status);
        QVERIFY(!backup.reason.isEmpty());
        QCOMPARE(snapshot(), before);
    }

    void damagedBackupChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const QByteArray good = storeBlock(pic(1), pic(2));
        const QByteArray zlib = good.mid(4);
        QByteArray corrupt = zlib;
        corrupt.replace(10, 8, "XXXXXXXX");
        QByteArray huge = zlib;
        huge.replace(0, 4, "\xff\xff\xff\xf0");
        const auto store = [](const QByteArray& ini) { return block(qCompress(ini, -1)); };

        QTest::newRow("truncated store length")
            << QByteArray("\x10\x00", 2) << "before the length of the event list";
        QTest::newRow("negative store length") << le32(-8) + zlib << "negative length (-8)";
        QTest::newRow("store length beyond the data") << le32(zlib.size() + 1) + zlib << "than the data left";
        QTest::newRow("corrupt zlib") << block(corrupt) << "does not decompress";
        QTest::newRow("zlib claiming a huge size") << block(huge) << "does not decompress";
        QTest::newRow("store not INI") << store(QByteArray("\x01\x02 not = [ini")) << "not an event file";
        QTest::newRow("absurd count") << store("[General]\nnum=99999999\n") << "claims 99999999 events";
        QTest::newRow("truncated picture length")
            << good + block("one") + QByteArray("\x01\x00", 2) << "inside the length of picture 2";
        QTest::newRow("negative picture length") << good + block("one") + le32(-1) + "two"
                                                 << "negative length";
        QTest::newRow("truncated picture") << good + block("one") + le32(6) + "two"
                                           << "Picture 2 is longer";
        QTest::newRow("more pictures than events")
            << good + block("1") + block("2") + block("3") << "more pictures than its 2 events";
        QTest::newRow("zero blocks beyond the events")
            << good + le32(0) + le32(0) + le32(0) << "more pictures than its 2 events";
        QTest::newRow("path ../../x")
            << storeBlock(pic(1), "../../x") + block("1") + block("2") << "\"../../x\"";
        QTest::newRow("absolute path")
            << storeBlock(Victim, pic(2)) + block("1") << "pennibell-backup-victim";
        QTest::newRow("path leaving data")
            << storeBlock(pic(1), "./data/../victim") + block("1") + block("2") << "\"./data/../victim\"";
        QTest::newRow("empty path with a picture")
            << storeBlock(pic(1), "") + block("1") + block("2") << "path \"\"";
    }
    void damagedBackupChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        TestEnv::ScratchDir dir;
        setUp({{pic(1), "current one"}, {pic(3), "current three"}});
        TestEnv::writeAll(QStringLiteral("damaged.bef"), bytes);
        const Snapshot before = snapshot();
        if (QByteArray(QTest::currentDataTag()) == "corrupt zlib") {
            QTest::ignoreMessage(QtWarningMsg, "qUncompress: Input data is corrupted");
            QTest::ignoreMessage(QtWarningMsg, "qUncompress: Input data is corrupted");
        }

        QVERIFY(!BackupArchive::Parse(bytes, nullptr));
        const AffairList current = AffairStore().LoadAffairs();
        AffairList restored = current;
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(QStringLiteral("damaged.bef"), current, &restored);
        QCOMPARE(restore.status, BackupArchive::Status::Damaged);
        QVERIFY2(restore.reason.contains(QStringLiteral("damaged.bef")) && restore.reason.contains(why),
                 qPrintable(restore.reason));
        QCOMPARE(restored.Count(), 2);
        QCOMPARE(snapshot(), before);
        QVERIFY(tempLeftovers().isEmpty());
        QVERIFY(!QFile::exists(Victim));
    }

    // Apply is public: it must refuse a foreign path even when handed unchecked contents.
    void applyWritesOnlyProgramPaths()
    {
        TestEnv::ScratchDir dir;
        const QByteArray store = setUp({{QStringLiteral("../../x"), {}}});
        const Snapshot before = snapshot();
        const BackupArchive::Contents contents{store, AffairStore().LoadAffairs(), {QByteArray("picture")}};
        QCOMPARE(BackupArchive::Apply(contents, AffairList()).status, BackupArchive::Status::Damaged);
        QCOMPARE(snapshot(), before);
    }

private:
    static QByteArray block(const QByteArray& bytes)
    {
        return le32(qint32(bytes.size())) + bytes;
    }
    static QString pic(int n)
    {
        return QStringLiteral("./data/dap2009122010000%1").arg(n);
    }
    // A two-event store block, for backups built byte by byte.
    static QByteArray storeBlock(const QString& path1, const QString& path2)
    {
        const QString ini =
            QStringLiteral("[General]\nnum=2\n[Event_1]\nPicPath=%1\n[Event_2]\nPicPath=%2\n");
        return block(qCompress(ini.arg(path1, path2).toUtf8(), -1));
    }
    static QStringList tempLeftovers()
    {
        return QDir::temp().entryList(
            {QStringLiteral("pennibell-restore-%1-*").arg(QCoreApplication::applicationPid())},
            QDir::Files | QDir::Hidden);
    }
};

QTEST_GUILESS_MAIN(TestBackupArchive)
#include "testbackuparchive.moc"
