#include "affairstore.h"
#include "backuparchive.h"
#include "clock.h"
#include "picturefile.h"
#include "testenv.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QTest>
#include <QtEndian>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/resource.h>
#endif

namespace {

using Snapshot = QMap<QString, QByteArray>;

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

QStringList tempLeftovers()
{
    const QString mine = QStringLiteral("pennibell-restore-%1-*").arg(QCoreApplication::applicationPid());
    return QDir::temp().entryList({mine}, QDir::Files | QDir::Hidden);
}

QByteArray le32(qint32 n)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(n, bytes.data());
    return bytes;
}

QByteArray block(const QByteArray& bytes)
{
    return le32(qint32(bytes.size())) + bytes;
}

AffairInfo record(const QString& id, const QString& path)
{
    AffairInfo r;
    r.SetInfo(id, QStringLiteral("Title ") + id, QDateTime(QDate(2010, 1, 1), QTime(8, 0)), 0, 0, 1, 0, 0);
    r.SetPicPath(path);
    r.SetEffect({0, 1});
    return r;
}

void saveStore(const QList<AffairInfo>& events)
{
    AffairList list;
    for (const AffairInfo& r : events) {
        list.AppendAffair(r);
    }
    QVERIFY(AffairStore().SaveAffairs(list));
}

QByteArray picture(QRgb colour, int width = 7)
{
    QImage image(width, 5, QImage::Format_RGB32);
    image.fill(colour);
    return PictureFile::Encode(image);
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }
    return bytes;
}

const QString P1 = QStringLiteral("./data/dap20091220100001");
const QString P2 = QStringLiteral("./data/dap20091220100002");
const QString P3 = QStringLiteral("./data/dap20091220100003");
const QString P4 = QStringLiteral("./data/dap20091220100004");
const QString Victim = QDir::tempPath() + QStringLiteral("/pennibell-backup-victim");
const QString Today = QStringLiteral("./backup/SEvent2009-12-20.bef");

// A two-event store written as text, for backups built byte by byte.
QByteArray iniStore(const QString& path1, const QString& path2)
{
    return QStringLiteral("[General]\nnum=2\n\n"
                          "[Event_1]\nAffairID=a\nAffairTitle=A\nUserDateTime=2010-01-01T08:00:00\n"
                          "Period.day=1\nPicPath=%1\nEffectType=0\nEffectDirection=1\n\n"
                          "[Event_2]\nAffairID=b\nAffairTitle=B\nUserDateTime=2010-01-01T09:00:00\n"
                          "Period.day=1\nPicPath=%2\nEffectType=0\nEffectDirection=1\n")
        .arg(path1, path2)
        .toUtf8();
}

QByteArray storeBlock(const QByteArray& ini)
{
    return block(qCompress(ini, -1));
}

#ifdef Q_OS_LINUX
// Lets writes beyond `bytes` fail as on a full disk, for the lifetime of the object.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &Saved);
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Saved); }

private:
    rlimit Saved{};
};
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

    void nameFollowsTheClock()
    {
        QCOMPARE(BackupArchive::TodaysFileName(), Today);
        Clock::advance(14 * 3600);
        QCOMPARE(BackupArchive::TodaysFileName(), QStringLiteral("./backup/SEvent2009-12-21.bef"));
        Clock::setMock(QDateTime(QDate(2009, 12, 20), QTime(10, 0)));
    }

    void roundTripOfThreeEvents()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        const QByteArray pic1 = picture(qRgb(255, 0, 0));
        const QByteArray pic2 = noise(3000, 2); // carried as it lies, picture or not
        const QByteArray pic3 = picture(qRgb(0, 0, 255), 8);
        TestEnv::writeAll(P1, pic1);
        TestEnv::writeAll(P2, pic2);
        TestEnv::writeAll(P3, pic3);
        saveStore({record("a", P1), record("b", P2), record("c", P3)});
        const QByteArray store = TestEnv::readAll(AffairStore::DefaultPath());

        const BackupArchive::Outcome backup = BackupArchive::Backup();
        QVERIFY2(backup.ok(), qPrintable(backup.reason));
        QCOMPARE(backup.fileName, Today);
        QCOMPARE(TestEnv::readAll(Today),
                 block(qCompress(store, -1)) + block(pic1) + block(pic2) + block(pic3));

        // Another state: other events, a picture no restored event has, a file of no event.
        TestEnv::writeAll(P1, "changed");
        QFile::remove(P3);
        TestEnv::writeAll(P4, picture(qRgb(0, 255, 0)));
        TestEnv::writeAll(QStringLiteral("data/notes.txt"), "mine");
        saveStore({record("d", P4), record("e", P1)});
        AffairList current = AffairStore().LoadAffairs();

        AffairList restored;
        const BackupArchive::Outcome restore = BackupArchive::Restore(Today, current, &restored);
        QVERIFY2(restore.ok(), qPrintable(restore.reason));
        QCOMPARE(TestEnv::readAll(AffairStore::DefaultPath()), store);
        QCOMPARE(TestEnv::readAll(P1), pic1);
        QCOMPARE(TestEnv::readAll(P2), pic2);
        QCOMPARE(TestEnv::readAll(P3), pic3);
        QVERIFY(!QFile::exists(P4));
        QCOMPARE(TestEnv::readAll(QStringLiteral("data/notes.txt")), QByteArray("mine"));
        QCOMPARE(restored.Count(), 3);
        const QStringList ids{"a", "b", "c"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(restored.At(i).GetAffairID(), ids.at(i));
            QCOMPARE(restored.At(i).GetPicPath(), (QStringList{P1, P2, P3}.at(i)));
        }
        QVERIFY(tempLeftovers().isEmpty());
    }

    void eventWithoutPictureIsLengthZero()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        const QByteArray pic1 = picture(qRgb(1, 2, 3));
        const QByteArray pic3 = picture(qRgb(4, 5, 6));
        TestEnv::writeAll(P1, pic1);
        TestEnv::writeAll(P3, pic3);
        // The second event's file is missing; the third names a file outside ./data.
        TestEnv::writeAll(QStringLiteral("outside"), "not carried");
        saveStore(
            {record("a", P1), record("b", P2), record("c", P3), record("d", QStringLiteral("./outside"))});
        const QByteArray store = TestEnv::readAll(AffairStore::DefaultPath());

        QVERIFY(BackupArchive::Backup().ok());
        const QByteArray expected =
            block(qCompress(store, -1)) + block(pic1) + le32(0) + block(pic3) + le32(0);
        QCOMPARE(TestEnv::readAll(Today), expected);

        // The program's own pictures go, and come back where they belong; the second event
        // has none afterwards, as at backup time.
        TestEnv::writeAll(P2, "drawn after the backup");
        QFile::remove(P1);
        QFile::remove(P3);
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(Today, AffairStore().LoadAffairs(), nullptr);
        QVERIFY2(restore.ok(), qPrintable(restore.reason));
        QCOMPARE(TestEnv::readAll(P1), pic1);
        QVERIFY(!QFile::exists(P2));
        QCOMPARE(TestEnv::readAll(P3), pic3);
        QCOMPARE(TestEnv::readAll(QStringLiteral("outside")), QByteArray("not carried"));
    }

    void fewerBlocksThanEvents()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(QStringLiteral("old.bef"), storeBlock(iniStore(P1, P2)) + block("one"));
        AffairList restored;
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(QStringLiteral("old.bef"), AffairList(), &restored);
        QVERIFY2(restore.ok(), qPrintable(restore.reason));
        QCOMPARE(restored.Count(), 2);
        QCOMPARE(TestEnv::readAll(P1), QByteArray("one"));
        QVERIFY(!QFile::exists(P2));
    }

    void secondBackupOfTheDayReplacesTheFirst()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(P1, noise(5000, 1));
        TestEnv::writeAll(P2, noise(5000, 2));
        saveStore({record("a", P1), record("b", P2)});
        QVERIFY(BackupArchive::Backup().ok());

        const QByteArray smaller = picture(qRgb(9, 9, 9));
        TestEnv::writeAll(P1, smaller);
        saveStore({record("a", P1)});
        const QByteArray store = TestEnv::readAll(AffairStore::DefaultPath());
        QVERIFY(BackupArchive::Backup().ok());
        QCOMPARE(TestEnv::readAll(Today), block(qCompress(store, -1)) + block(smaller));
        QCOMPARE(QDir(QStringLiteral("backup")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("SEvent2009-12-20.bef")});
    }

#ifdef Q_OS_LINUX
    void failedBackupLeavesTheFirstWhole()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(P1, noise(100, 1));
        saveStore({record("a", P1)});
        QVERIFY(BackupArchive::Backup().ok());
        const QByteArray first = TestEnv::readAll(Today);

        TestEnv::writeAll(P1, noise(200000, 3));
        BackupArchive::Outcome second;
        {
            FileSizeLimit full(64 * 1024);
            second = BackupArchive::Backup();
        }
        QCOMPARE(second.status, BackupArchive::Status::WriteFailed);
        QVERIFY(second.reason.contains(Today));
        QCOMPARE(TestEnv::readAll(Today), first);
        QCOMPARE(QDir(QStringLiteral("backup")).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void restoreThatCannotWriteChangesNothing()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(P1, noise(200000, 1));
        TestEnv::writeAll(P2, noise(100, 2));
        saveStore({record("a", P1), record("b", P2)});
        QVERIFY(BackupArchive::Backup().ok());
        TestEnv::writeAll(P1, "now");
        QFile::remove(P2);
        saveStore({record("c", P3)});
        TestEnv::writeAll(P3, "current");

        const Snapshot before = snapshot();
        BackupArchive::Outcome restore;
        {
            FileSizeLimit full(64 * 1024);
            restore = BackupArchive::Restore(Today, AffairStore().LoadAffairs(), nullptr);
        }
        QCOMPARE(restore.status, BackupArchive::Status::WriteFailed);
        QVERIFY(!restore.reason.isEmpty());
        QCOMPARE(snapshot(), before);
    }
#endif

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
        QDir().mkpath(QStringLiteral("data"));
        if (setUp == "garbage") {
            TestEnv::writeAll(AffairStore::DefaultPath(), "\x01\x02 not = [ini");
        } else if (setUp == "empty") {
            saveStore({});
        } else if (!setUp.isEmpty()) {
            saveStore({record("a", P1)});
        }
        if (setUp == "folder") {
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
        const QByteArray good = storeBlock(iniStore(P1, P2));
        const QByteArray zlib = qCompress(iniStore(P1, P2), -1);
        QByteArray corrupt = zlib;
        corrupt.replace(10, 8, "XXXXXXXX");
        QByteArray huge = zlib;
        huge.replace(0, 4, "\xff\xff\xff\xf0");

        QTest::newRow("empty file") << QByteArray() << QStringLiteral("before the length of the event list");
        QTest::newRow("truncated store length")
            << QByteArray("\x10\x00", 2) << QStringLiteral("before the length of the event list");
        QTest::newRow("negative store length") << le32(-8) + zlib << QStringLiteral("negative length (-8)");
        QTest::newRow("store length beyond the data")
            << le32(zlib.size() + 1) + zlib << QStringLiteral("than the data left");
        QTest::newRow("store shorter than its zlib length")
            << le32(3) + zlib.left(3) << QStringLiteral("does not decompress");
        QTest::newRow("corrupt zlib") << block(corrupt) << QStringLiteral("does not decompress");
        QTest::newRow("zlib claiming a huge size") << block(huge) << QStringLiteral("does not decompress");
        QTest::newRow("wrong uncompressed length") << block(zlib.left(3) + char(zlib.at(3) + 1) + zlib.mid(4))
                                                   << QStringLiteral("does not decompress");
        QTest::newRow("store not INI") << storeBlock(noise(300, 7)) << QStringLiteral("not an event file");
        QTest::newRow("store without a count")
            << storeBlock("[Event_1]\nAffairID=a\n") << QStringLiteral("not an event file");
        QTest::newRow("store with an absurd count")
            << storeBlock("[General]\nnum=99999999\n") << QStringLiteral("claims 99999999 events");
        QTest::newRow("empty store") << storeBlock(QByteArray()) << QStringLiteral("not an event file");
        QTest::newRow("truncated picture length") << good + block("one") + QByteArray("\x01\x00", 2)
                                                  << QStringLiteral("inside the length of picture 2");
        QTest::newRow("negative picture length")
            << good + block("one") + le32(-1) + "two" << QStringLiteral("Picture 2 has a negative length");
        QTest::newRow("truncated first picture")
            << good + le32(100) + "short" << QStringLiteral("Picture 1 is longer");
        QTest::newRow("truncated second picture")
            << good + block("one") + le32(6) + "two" << QStringLiteral("Picture 2 is longer");
        QTest::newRow("more pictures than events") << good + block("one") + block("two") + block("three")
                                                   << QStringLiteral("more pictures than its 2 events");
        QTest::newRow("zero blocks beyond the events")
            << good + le32(0) + le32(0) + le32(0) << QStringLiteral("more pictures than its 2 events");
        QTest::newRow("path ../../x") << storeBlock(iniStore(P1, "../../x")) + block("one") + block("two")
                                      << QStringLiteral("\"../../x\"");
        QTest::newRow("absolute path")
            << storeBlock(iniStore(Victim, P2)) + block("one") << QStringLiteral("pennibell-backup-victim");
        QTest::newRow("path leaving data")
            << storeBlock(iniStore(P1, "./data/../victim")) + block("1") + block("2")
            << QStringLiteral("\"./data/../victim\"");
        QTest::newRow("empty path with a picture")
            << storeBlock(iniStore(P1, "")) + block("one") + block("two") << QStringLiteral("path \"\"");
    }
    void damagedBackupChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(P1, "current one");
        TestEnv::writeAll(P3, "current three");
        saveStore({record("x", P1), record("y", P3)});
        TestEnv::writeAll(QStringLiteral("damaged.bef"), bytes);
        const Snapshot before = snapshot();
        if (QByteArray(QTest::currentDataTag()) == "corrupt zlib") {
            QTest::ignoreMessage(QtWarningMsg, "qUncompress: Input data is corrupted");
            QTest::ignoreMessage(QtWarningMsg, "qUncompress: Input data is corrupted");
        }

        QVERIFY(!BackupArchive::Parse(bytes, nullptr));
        AffairList restored;
        restored.AppendAffair(record("untouched", P4));
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(QStringLiteral("damaged.bef"), AffairStore().LoadAffairs(), &restored);
        QCOMPARE(restore.status, BackupArchive::Status::Damaged);
        QVERIFY2(restore.reason.contains(QStringLiteral("damaged.bef")) && restore.reason.contains(why),
                 qPrintable(restore.reason));
        QCOMPARE(restored.Count(), 1);
        QCOMPARE(snapshot(), before);
        QVERIFY(tempLeftovers().isEmpty());
        QVERIFY(!QFile::exists(Victim));
    }

    void applyWritesOnlyProgramPaths()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        saveStore({record("x", P1)});
        const Snapshot before = snapshot();
        BackupArchive::Contents contents;
        contents.store = "[General]\nnum=1\n";
        contents.events.AppendAffair(record("a", QStringLiteral("../../x")));
        contents.pictures = {QByteArray("picture")};
        QCOMPARE(BackupArchive::Apply(contents, AffairList()).status, BackupArchive::Status::Damaged);
        QCOMPARE(snapshot(), before);
    }

    void unreadableBackupChangesNothing()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath(QStringLiteral("data"));
        TestEnv::writeAll(P1, "current");
        saveStore({record("x", P1)});
        const Snapshot before = snapshot();
        const BackupArchive::Outcome restore =
            BackupArchive::Restore(QStringLiteral("missing.bef"), AffairStore().LoadAffairs(), nullptr);
        QCOMPARE(restore.status, BackupArchive::Status::FileUnreadable);
        QCOMPARE(snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestBackupArchive)
#include "testbackuparchive.moc"
