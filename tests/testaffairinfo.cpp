// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/localtime.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QtTest>

using namespace EventBuilder;

namespace {
QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

// The seconds at which a one-event list, armed at `from`, falls due, ticking every `step`.
QList<qint64> fireTimes(const AffairInfo& event, qint64 from, qint64 to, qint64 step = 60)
{
    AffairList list = ListOf({event});
    list.RearmAll(QDateTime::fromSecsSinceEpoch(from));
    QList<qint64> fired;
    for (qint64 t = from; t < to; t += step) {
        if (list.DueMask(t) == QLatin1String("1")) {
            fired.append(t);
        }
    }
    return fired;
}
} // namespace

// Recurrence in a daylight-saving zone; the clock is always set by the test.
class TestAffairInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        // Until a test sets it, the program's clock is the real one.
        QVERIFY(qAbs(Clock::nowSecs() - QDateTime::currentSecsSinceEpoch()) <= 1);
    }
    void cleanup() { MockClock::reset(); }

    void nextTime_data()
    {
        QTest::addColumn<QDateTime>("user");
        QTest::addColumn<AffairPeriod>("p");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<bool>("active");
        const auto row = [](const char* name, const QDateTime& user, AffairPeriod p, const QDateTime& now,
                            const QDateTime& expected, bool active = true) {
            QTest::newRow(name) << user << p << now << expected << active;
        };
        row("past once", at(2010, 3, 1, 8, 0), {}, at(2010, 4, 1, 0, 0), at(2010, 3, 1, 8, 0), false);
        row("milliseconds dropped", at(2010, 6, 1, 14, 5, 37, 640), {0, 0, 1, 0, 0},
            at(2010, 6, 1, 14, 0, 0, 500), at(2010, 6, 1, 14, 5, 37));
        row("same second at start-up", at(2010, 6, 1, 9, 0), {0, 0, 1, 0, 0}, at(2010, 6, 1, 9, 0, 0, 300),
            at(2010, 6, 2, 9, 0));
        row("monthly from the 31st, searching", at(2010, 1, 31, 10, 0), {0, 1, 0, 0, 0},
            at(2012, 4, 15, 12, 0), at(2012, 4, 30, 10, 0));
        row("yearly 29 February", at(2008, 2, 29, 9, 0), {1, 0, 0, 0, 0}, at(2009, 1, 1, 0, 0),
            at(2009, 2, 28, 9, 0));
        row("every minute, 20 years on", at(1990, 6, 1, 0, 0), {0, 0, 0, 0, 1}, at(2010, 6, 1, 12, 34, 56),
            at(2010, 6, 1, 12, 35));
        row("36 hours across spring", at(2010, 3, 27, 20, 0), {0, 0, 0, 36, 0}, at(2010, 3, 28, 0, 0),
            at(2010, 3, 29, 8, 0));
        row("daily in the spring gap, searching", LocalTime::FromIso("2010-03-28T02:30:00"), {0, 0, 1, 0, 0},
            at(2011, 4, 2, 12, 0), at(2011, 4, 3, 2, 30));
    }
    void nextTime()
    {
        QFETCH(QDateTime, user);
        QFETCH(AffairPeriod, p);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QFETCH(bool, active);
        MockClock::set(now);
        AffairInfo::ResetAddPeriodCalls();
        AffairInfo a = Event("id", user, p);
        QCOMPARE(a.IsActive(), active);
        QCOMPARE(a.GetNextTime(), expected);
        QCOMPARE(a.Rearm(), active);
        // Ten million minutes are placed by doubling and bisection, not by stepping.
        QVERIFY(AffairInfo::AddPeriodCalls() <= 160);
    }

    // Reminders as they fall due, tick by tick (late ticks still report): every one is the first
    // moment plus k periods (the month's last day, 29 February in leap years), once, whichever
    // branch placed it; hourly ones neither lost in the spring gap nor doubled in autumn.
    void fallsDueOncePerPeriod_data()
    {
        QTest::addColumn<QDateTime>("user");
        QTest::addColumn<AffairPeriod>("p");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        const auto row = [](const char* name, const QDateTime& user, AffairPeriod p, int count, int step) {
            QTest::newRow(name) << user << p << count << step;
        };
        row("monthly from 31 January", at(2027, 1, 31, 10, 0), {0, 1, 0, 0, 0}, 30, 3600);
        row("yearly from 29 February", at(2024, 2, 29, 10, 0), {1, 0, 0, 0, 0}, 25, 86400);
        row("hourly, spring", at(2010, 3, 27, 22, 0), {0, 0, 0, 1, 0}, 8, 60);
        row("once, a late tick", at(2010, 6, 1, 8, 0), {}, 0, 7);
        row("hourly, autumn", at(2010, 10, 30, 22, 0), {0, 0, 0, 1, 0}, 8, 60);
        row("7 minutes, weeks on, autumn", at(2010, 10, 1, 0, 0), {0, 0, 0, 0, 7}, 6500, 60);
    }
    void fallsDueOncePerPeriod()
    {
        QFETCH(QDateTime, user);
        QFETCH(AffairPeriod, p);
        QFETCH(int, count);
        QFETCH(int, step);
        const qint64 first = user.toSecsSinceEpoch();
        const bool calendar = p.year || p.month;
        const qint64 span = p.hour * 3600 + p.minute * 60;
        const auto nth = [&](int k) {
            return calendar ? user.addYears(k * p.year).addMonths(k * p.month).toSecsSinceEpoch()
                            : first + k * span;
        };
        const QList<qint64> fired = fireTimes(Event("id", user, p), first - 60, nth(count) + step, step);
        QCOMPARE(fired.size(), count + 1);
        for (int k = 0; k <= count; ++k) {
            QVERIFY(fired.at(k) >= nth(k) && fired.at(k) - nth(k) < step);
        }
    }

    // Only a damaged file makes these; they expire instead of hanging or wrapping around.
    void damagedRecordsExpire_data()
    {
        QTest::addColumn<QDateTime>("user");
        QTest::addColumn<AffairPeriod>("p");
        const qint32 max = 2147483647;
        QTest::newRow("negative day") << at(2010, 1, 1, 8, 0) << AffairPeriod{0, 0, -1, 0, 0};
        QTest::newRow("year max") << at(2010, 1, 1, 8, 0) << AffairPeriod{max, 0, 0, 0, 0};
        QTest::newRow("minute max") << at(2010, 1, 1, 8, 0) << AffairPeriod{0, 0, 0, 0, max};
        // Twenty periods overflow the 32-bit count, two do not.
        QTest::newRow("day, 20 beyond 32 bits")
            << at(2010, 1, 1, 8, 0) << AffairPeriod{0, 0, 107374183, 0, 0};
        QTest::newRow("invalid first moment") << QDateTime() << AffairPeriod{0, 0, 1, 0, 0};
    }
    void damagedRecordsExpire()
    {
        QFETCH(QDateTime, user);
        QFETCH(AffairPeriod, p);
        const qint64 now = at(2010, 6, 1, 12, 0).toSecsSinceEpoch();
        const AffairInfo event = Event("id", user, p);
        QVERIFY(!event.IsActive() && fireTimes(event, now, now + 400 * 86400, 86400).isEmpty());
        // Listed with its own first moment, or none: never a made-up one.
        QCOMPARE(LocalTime::IsSet(AffairInfo(event).GetNextTime()), LocalTime::IsSet(user));
    }

    // Local time from the zone's rules kept in memory: the same as Qt's own, and a new zone is
    // followed from the next clock reading on. These change the zone, so they come last.
    void agreesWithQtAcrossAYear()
    {
        // Half-hour shifts at Lord Howe; 2040 lies beyond the changes the zone files list.
        for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "UTC"}) {
            TestEnv::setTimeZone(zone);
            Clock::now();
            for (int year : {1950, 2010, 2040}) {
                const qint64 from = QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
                for (qint64 s = from; s < from + 366 * 86400; s += 1800) {
                    const QDateTime qt = QDateTime::fromSecsSinceEpoch(s);
                    const QDateTime ours = LocalTime::FromSecs(s);
                    const qint64 made = LocalTime::Seconds(LocalTime::Make(qt.date(), qt.time()));
                    QVERIFY(ours.date() == qt.date() && ours.time() == qt.time());
                    QVERIFY(LocalTime::Seconds(ours) == s && LocalTime::Seconds(qt) == s);
                    // A wall time that happens twice is taken as the first.
                    QVERIFY(made == s || (made < s && LocalTime::FromSecs(made).time() == qt.time()));
                    // Within the zone's table a made date-time carries its offset: no conversion later.
                    QVERIFY(year != 2010 ||
                            LocalTime::Make(qt.date(), qt.time()).timeSpec() != Qt::LocalTime);
                }
            }
            // Before the table begins.
            QCOMPARE(LocalTime::FromSecs(-4000000000).time(),
                     QDateTime::fromSecsSinceEpoch(-4000000000).time());
        }
    }

    void followsANewZone()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        MockClock::set(QDateTime(QDate(2010, 7, 1), QTime(10, 0), Qt::UTC));
        const QDateTime noon = LocalTime::Make(QDate(2010, 7, 1), QTime(12, 0));
        TestEnv::setTimeZone("America/New_York");
        QCOMPARE(Clock::now().time(), QTime(6, 0));
        // Made in the old zone, it keeps its wall time in the new one.
        QCOMPARE(LocalTime::Seconds(noon),
                 QDateTime(QDate(2010, 7, 1), QTime(16, 0), Qt::UTC).toSecsSinceEpoch());
    }
};

QTEST_GUILESS_MAIN(TestAffairInfo)
#include "testaffairinfo.moc"
