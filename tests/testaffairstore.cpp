// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "helpers/hostile.h"

#include <QDir>
#include <QtTest>

class TestAffairStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        Clock::setMock(QDateTime(QDate(2010, 6, 1), QTime(12, 0)));
    }

    // Titles that need quoting, a time in the spring gap, a fraction of a second, a weekly
    // period: all come back as they went in; keys of other programs do not survive a save.
    void roundTrip()
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        const QStringList titles{"Lunch, then \"coffee\"", "Zweite Zeile\nGrüße, 日本",
                                 "  spaced ; semi = equals  "};
        const QList<QDateTime> times{QDateTime(QDate(2009, 12, 21), QTime(8, 0)),
                                     LocalTime::FromIso("2010-03-28T02:30:00"),
                                     QDateTime(QDate(2011, 1, 1), QTime(0, 0, 0, 750))};
        AffairList saved;
        for (int i = 0; i < 3; ++i) {
            AffairInfo a;
            a.SetInfo(QStringLiteral("2009-12-20T15:3%1:00").arg(i), titles[i], times[i], 0, 0, 14 * i, i, 0);
            a.SetPicPath(i ? QStringLiteral("./data/dap2009122015310%1").arg(i) : QString());
            a.SetEffect({i, 7 - i});
            saved.AppendAffair(a);
        }
        TestEnv::writeAll("data/eventinfor.eda", "[General]\nforeign=1\n");
        QVERIFY(AffairStore().SaveAffairs(saved));
        const AffairList loaded = AffairStore().LoadAffairs();
        for (int i = 0; i < 3; ++i) {
            QVERIFY(loaded.At(i).GetAffairTitle() == titles[i] && !loaded.At(i).IsArmed());
        }
        // Whatever was lost or changed on the way in would show in a second save.
        QVERIFY(AffairStore("data/again.eda").SaveAffairs(loaded));
        QCOMPARE(TestEnv::readAll("data/again.eda"), TestEnv::readAll("data/eventinfor.eda"));
        const QByteArray text = TestEnv::readAll("data/eventinfor.eda");
        QVERIFY(text.contains("UserDateTime=2011-01-01T00:00:00\n") && !text.contains("foreign"));
    }

    // What a damaged, hand-edited or planted event file loads as: the identifiers in order
    // (an empty one for a gap), never more records than groups, nothing read through a link,
    // from a FIFO or a device.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("ids");
        const QByteArray two = "[Event_1]\nAffairID=a\n[Event_2]\nAffairID=b\n";
        const auto row = [](const char* name, const QByteArray& file, const QStringList& ids) {
            QTest::newRow(name) << file << ids;
        };
        row("oldstyle", TestEnv::readAll(TestEnv::dataFile("oldstore.eda")),
            QStringList{"2009-12-20T15:30:00", "2009-12-22T09:00:00", "2009-12-23T10:00:00"});
        row("num missing", two, QStringList{"a", "b"});
        row("num negative", "[General]\nnum=-1\n" + two, QStringList{"a", "b"});
        row("num smaller", "[General]\nnum=1\n" + two, QStringList{"a"});
        row("num huge", "[General]\nnum=2147483647\n[Event_1]\nAffairID=a\n", QStringList{"a"});
        row("gap", "[General]\nnum=9\n[Event_1]\nAffairID=a\n[Event_3]\nAffairID=c\n",
            QStringList{"a", "", "c"});
        row("group beyond any list", "[Event_10001]\nAffairID=a\n", QStringList{});
        row("same identifier twice",
            "[Event_1]\nAffairID=2010-01-01T08:00:00\n[Event_2]\nAffairID=2010-01-01T08:00:00\n",
            QStringList{"2010-01-01T08:00:00", "2010-01-01T08:00:01"});
        row("title of 2 MB", "[Event_1]\nAffairID=a\nAffairTitle=" + QByteArray(2 << 20, 't') + "\n",
            QStringList{"a"});
        row("larger than any list", "[Event_1]\nAffairID=a\n" + QByteArray(9 << 20, ';'), QStringList{});
        for (const char* special : {"link", "fifo", "zero"}) {
            row(special, special, {});
        }
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, ids);
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        TestEnv::writeAll("outside", "[Event_1]\nAffairID=outside\n");
        Hostile::place("data/eventinfor.eda", file, dir.file("outside"));
        const AffairList list = AffairStore().LoadAffairs();
        QStringList loaded;
        for (int i = 0; i < list.Count(); ++i) {
            loaded << list.At(i).GetAffairID();
            QVERIFY(list.At(i).GetAffairTitle().size() <= AffairInfo::MaxTitleLength);
        }
        QCOMPARE(loaded, ids);
        // A save replaces a link itself, never what it points to.
        QVERIFY(AffairStore().SaveAffairs(list));
        QCOMPARE(TestEnv::readAll("outside"), QByteArray("[Event_1]\nAffairID=outside\n"));
    }
};

QTEST_GUILESS_MAIN(TestAffairStore)
#include "testaffairstore.moc"
