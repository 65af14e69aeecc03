// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "support/testenv.h"

#include <QDir>
#include <QSettings>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
AffairInfo record(const QString& id, const QString& title, const QDateTime& when, const AffairPeriod& p,
                  const QString& path, int type, int direction)
{
    AffairInfo a;
    a.SetInfo(id, title, when, p.year, p.month, p.day, p.hour, p.minute);
    a.SetPicPath(path);
    a.SetEffect({type, direction});
    return a;
}

AffairList threeRecords()
{
    AffairPeriod weekly;
    weekly.day = 14;
    AffairPeriod hourly;
    hourly.hour = 3;
    AffairList list;
    list.AppendAffair(record("2009-12-20T15:30:00", "Lunch, then \"coffee\"",
                             QDateTime(QDate(2009, 12, 21), QTime(8, 0)), weekly, "./data/dap20091220153045",
                             3, 0));
    list.AppendAffair(record("2009-12-20T15:31:00", "Zweite Zeile\nGrüße, 日本",
                             QDateTime(QDate(2010, 3, 28), QTime(2, 30)), hourly, "./data/dap20091220153100",
                             0, 7));
    list.AppendAffair(record("2009-12-20T15:32:00", "  spaced ; semi = equals  ",
                             QDateTime(QDate(2011, 1, 1), QTime(0, 0, 0, 750)), AffairPeriod(), QString(), 2,
                             1));
    return list;
}

// Writes past this many bytes fail, as on a full disk (root ignores folder permissions).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Old); }

private:
    rlimit Old;
};
} // namespace

class TestAffairStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        Clock::setMock(QDateTime(QDate(2010, 6, 1), QTime(12, 0)));
    }

    void roundTrip()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        const AffairList saved = threeRecords();
        QVERIFY(AffairStore().SaveAffairs(saved));
        const AffairList loaded = AffairStore().LoadAffairs();
        QCOMPARE(loaded.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const AffairInfo a = saved.At(i);
            const AffairInfo b = loaded.At(i);
            QCOMPARE(b.GetAffairID(), a.GetAffairID());
            QCOMPARE(b.GetAffairTitle(), a.GetAffairTitle());
            QCOMPARE(LocalTime::ToIso(b.GetUserDateTime()), LocalTime::ToIso(a.GetUserDateTime()));
            QCOMPARE(b.GetPeriod(), a.GetPeriod());
            QCOMPARE(b.GetPicPath(), a.GetPicPath());
            QCOMPARE(b.GetEffect().value(0).toInt(), a.GetEffect().value(0).toInt());
            QCOMPARE(b.GetEffect().value(1).toInt(), a.GetEffect().value(1).toInt());
            QVERIFY(!b.IsArmed());
        }
        // Never a fraction of a second, and the gap time kept as the user chose it.
        const QByteArray text = TestEnv::readAll("data/eventinfor.eda");
        QVERIFY(text.contains("UserDateTime=2011-01-01T00:00:00\n"));
        QVERIFY(text.contains("UserDateTime=2010-03-28T02:30:00\n"));
    }

    void emptyListAndMissingFile()
    {
        TestEnv::ScratchDir dir;
        QCOMPARE(AffairStore().LoadAffairs().Count(), 0);
        QDir().mkpath("data");
        QVERIFY(AffairStore().SaveAffairs(AffairList()));
        QSettings ini("data/eventinfor.eda", QSettings::IniFormat);
        QCOMPARE(ini.allKeys(), QStringList{"num"});
        QCOMPARE(ini.value("num").toInt(), 0);
        QCOMPARE(AffairStore().LoadAffairs().Count(), 0);
    }

    void countBeyondGroupsAndUnknownKeys()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        TestEnv::writeAll("data/eventinfor.eda", "[General]\nnum=2\nforeign=1\n\n[Event_1]\nAffairID=x\n"
                                                 "UserDateTime=2030-01-01T00:00:00\nPeriod.day=7\n"
                                                 "EffectType=3\n\n[Other]\nkey=v\n");
        const AffairList list = AffairStore().LoadAffairs();
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.At(0).GetPeriod().day, 7);
        QVERIFY(list.At(0).IsActive());
        QVERIFY(list.At(1).GetAffairID().isEmpty());
        QVERIFY(!list.At(1).IsActive());
        QCOMPARE(list.At(1).GetEffect().value(0).toInt(), 0);

        QVERIFY(AffairStore().SaveAffairs(list));
        const QByteArray text = TestEnv::readAll("data/eventinfor.eda");
        QVERIFY(!text.contains("foreign"));
        QVERIFY(!text.contains("[Other]"));
    }

    void zonedMomentKeepsItsInstant()
    {
        // Another program may write a zone; saving it back without one must not move it.
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        TestEnv::writeAll("data/eventinfor.eda", "[General]\nnum=1\n[Event_1]\nAffairID=z\n"
                                                 "UserDateTime=2030-01-01T10:00:00Z\nPeriod.day=1\n");
        const AffairList first = AffairStore().LoadAffairs();
        QVERIFY(AffairStore().SaveAffairs(first));
        const AffairList again = AffairStore().LoadAffairs();
        QCOMPARE(again.At(0).GetUserDateTime().toSecsSinceEpoch(),
                 QDateTime(QDate(2030, 1, 1), QTime(10, 0), Qt::UTC).toSecsSinceEpoch());
    }

    void hugeCountIsCapped()
    {
        // Found by fuzzing: a damaged count made loading allocate for ever.
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        TestEnv::writeAll("data/eventinfor.eda", "[General]\nnum=20153045\n\n[Event_2]\nAffairID=x\n");
        const AffairList list = AffairStore().LoadAffairs();
        QCOMPARE(list.Count(), AffairStore::MaxEvents);
        QCOMPARE(list.At(1).GetAffairID(), QStringLiteral("x"));
        QVERIFY(!list.At(2).IsActive());
    }

    void oldStyleFile()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        QVERIFY(QFile::copy(TestEnv::dataFile("oldstore.eda"), "data/eventinfor.eda"));
        const AffairList list = AffairStore().LoadAffairs();
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.At(0).GetAffairTitle(), QStringLiteral("Dentist, 3rd floor"));
        QCOMPARE(list.At(0).GetPeriod().day, 7);
        QCOMPARE(list.At(0).GetEffect().value(0).toInt(), 3);
        QCOMPARE(list.At(1).GetAffairTitle(), QStringLiteral("Grüß Gott 中文"));
        QCOMPARE(list.At(1).GetPeriod().month, 1);
        QCOMPARE(list.At(1).GetEffect().value(1).toInt(), 5);
        QCOMPARE(list.At(2).GetAffairTitle(), QStringLiteral("Say \"hi\"\nto Anna"));
        QCOMPARE(list.At(2).GetUserDateTime(), QDateTime(QDate(2009, 12, 24), QTime(18, 30)));
        QVERIFY(!list.At(2).IsActive());
    }

    void failedSaveIsReportedAndKeepsOldFile()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        QVERIFY(AffairStore().SaveAffairs(threeRecords()));
        const QByteArray before = TestEnv::readAll("data/eventinfor.eda");
        AffairList big;
        for (int i = 0; i < 200; ++i) {
            big.AppendAffair(threeRecords().At(i % 3));
        }
        {
            FileSizeLimit limit(before.size() + 100);
            QVERIFY(!AffairStore().SaveAffairs(big));
        }
        QCOMPARE(TestEnv::readAll("data/eventinfor.eda"), before);
        QCOMPARE(QDir("data").entryList(QDir::Files), QStringList{"eventinfor.eda"});

        // A folder that cannot hold the file at all.
        TestEnv::writeAll("blocked", "not a folder");
        QVERIFY(!AffairStore("blocked/eventinfor.eda").SaveAffairs(threeRecords()));
        if (geteuid() != 0) {
            QFile::setPermissions("data", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QVERIFY(!AffairStore().SaveAffairs(big));
            QFile::setPermissions("data",
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QCOMPARE(TestEnv::readAll("data/eventinfor.eda"), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestAffairStore)
#include "testaffairstore.moc"
