// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairinfo.h"
#include "core/events/affairlist.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "support/testenv.h"

#include <QtTest>

namespace {
QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

AffairPeriod period(int y, int mo, int d, int h, int mi)
{
    return AffairPeriod{y, mo, d, h, mi};
}

AffairInfo makeEvent(const QDateTime& user, const AffairPeriod& p)
{
    AffairInfo a;
    a.SetInfo(QStringLiteral("id"), QStringLiteral("t"), user, p.year, p.month, p.day, p.hour, p.minute);
    return a;
}
// The seconds at which a one-event list falls due, ticking once a minute from `from` to `to`.
QList<qint64> fireTimes(AffairList* list, qint64 from, qint64 to)
{
    QList<qint64> fired;
    for (qint64 t = from; t < to; t += 60) {
        if (list->DueMask(t) == QLatin1String("1")) {
            fired.append(t);
        }
    }
    return fired;
}
} // namespace

Q_DECLARE_METATYPE(AffairPeriod)

// Recurrence in a daylight-saving zone; the clock is always set by the test.
class TestAffairInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }
    void cleanup() { Clock::reset(); }

    void nextTime_data();
    void nextTime();
    void calendarEndsFallDueOncePerPeriod_data();
    void calendarEndsFallDueOncePerPeriod();
    void thirtySixHours();
    void hourlyAcrossDstNights_data();
    void hourlyAcrossDstNights();
    void subDayPeriodsStayElapsed_data();
    void subDayPeriodsStayElapsed();
    void dailyInSpringGap();
    void everyMinuteTwentyYearsBack();
    void onceOnlyFiresOnceThenExpires();
    void millisecondsDropped();
    void sameSecondAtStartupSkipsToNext();
    void lateTickStillReports_data();
    void lateTickStillReports();
    void damagedRecordsExpire_data();
    void damagedRecordsExpire();
    void searchAlwaysEndsAfterNow();
};

void TestAffairInfo::nextTime_data()
{
    QTest::addColumn<QDateTime>("user");
    QTest::addColumn<AffairPeriod>("p");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<bool>("active");

    QTest::newRow("future once") << at(2010, 5, 1, 8, 0) << period(0, 0, 0, 0, 0) << at(2010, 4, 1, 0, 0)
                                 << at(2010, 5, 1, 8, 0) << true;
    QTest::newRow("past once") << at(2010, 3, 1, 8, 0) << period(0, 0, 0, 0, 0) << at(2010, 4, 1, 0, 0)
                               << at(2010, 3, 1, 8, 0) << false;
    QTest::newRow("yearly feb 29") << at(2008, 2, 29, 9, 0) << period(1, 0, 0, 0, 0) << at(2009, 1, 1, 0, 0)
                                   << at(2009, 2, 28, 9, 0) << true;
    QTest::newRow("weekly") << at(2010, 1, 4, 9, 0) << period(0, 0, 14, 0, 0) << at(2010, 1, 19, 0, 0)
                            << at(2010, 2, 1, 9, 0) << true;
    QTest::newRow("monthly far back") << at(2000, 1, 15, 12, 0) << period(0, 1, 0, 0, 0)
                                      << at(2010, 6, 15, 12, 0) << at(2010, 7, 15, 12, 0) << true;
    QTest::newRow("monthly from the 31st, stepping")
        << at(2010, 1, 31, 10, 0) << period(0, 1, 0, 0, 0) << at(2010, 4, 15, 12, 0) << at(2010, 4, 30, 10, 0)
        << true;
    QTest::newRow("monthly from the 31st, searching")
        << at(2010, 1, 31, 10, 0) << period(0, 1, 0, 0, 0) << at(2012, 4, 15, 12, 0) << at(2012, 4, 30, 10, 0)
        << true;
    QTest::newRow("daily across spring") << at(2010, 3, 27, 8, 0) << period(0, 0, 1, 0, 0)
                                         << at(2010, 3, 28, 9, 0) << at(2010, 3, 29, 8, 0) << true;
}

void TestAffairInfo::nextTime()
{
    QFETCH(QDateTime, user);
    QFETCH(AffairPeriod, p);
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, expected);
    QFETCH(bool, active);
    Clock::setMock(now);
    AffairInfo a = makeEvent(user, p);
    QCOMPARE(a.IsActive(), active);
    QCOMPARE(a.GetNextTime(), expected);
    QCOMPARE(a.Rearm(), active);
    QCOMPARE(a.IsArmed(), active);
}

void TestAffairInfo::calendarEndsFallDueOncePerPeriod_data()
{
    QTest::addColumn<QDateTime>("user");
    QTest::addColumn<AffairPeriod>("p");
    QTest::addColumn<int>("periods");
    QTest::newRow("monthly from 31 January") << at(2027, 1, 31, 10, 0) << period(0, 1, 0, 0, 0) << 30;
    QTest::newRow("every 2 months from 31 March") << at(2027, 3, 31, 10, 0) << period(0, 2, 0, 0, 0) << 15;
    QTest::newRow("yearly from 29 February") << at(2024, 2, 29, 10, 0) << period(1, 0, 0, 0, 0) << 25;
}

void TestAffairInfo::calendarEndsFallDueOncePerPeriod()
{
    // Ticking through the years, the k-th reminder falls on the first moment plus k periods
    // as the calendar counts them (the month's last day, 29 February in leap years), once,
    // whether the stepping or the searching branch placed it.
    QFETCH(QDateTime, user);
    QFETCH(AffairPeriod, p);
    QFETCH(int, periods);
    Clock::setMock(user.addSecs(-60));
    AffairList list;
    list.AppendAffair(makeEvent(user, p));
    list.RearmAll();
    QList<QDate> fired;
    for (QDate day = user.date(); fired.size() <= periods; day = day.addDays(1)) {
        if (list.DueMask(QDateTime(day, QTime(10, 0)).toSecsSinceEpoch()) == QLatin1String("1")) {
            fired.append(day);
        }
    }
    for (int k = 0; k < fired.size(); ++k) {
        QCOMPARE(fired.at(k), user.date().addYears(k * p.year).addMonths(k * p.month));
    }
}

void TestAffairInfo::thirtySixHours()
{
    const AffairPeriod p = period(0, 0, 0, 36, 0);
    // One calendar day keeps the wall clock, then twelve elapsed hours.
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 6, 1, 20, 0), p, 1), at(2010, 6, 3, 8, 0));
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 6, 3, 8, 0), p, -1), at(2010, 6, 1, 20, 0));
    // Across the spring-forward night the elapsed part loses the missing hour on the wall.
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 3, 27, 20, 0), p, 1), at(2010, 3, 29, 8, 0));
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 3, 29, 8, 0), p, -1), at(2010, 3, 27, 19, 0));
    // And across the fall-back night it gains it.
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 10, 30, 20, 0), p, 1), at(2010, 11, 1, 8, 0));
    QCOMPARE(AffairInfo::AddPeriod(at(2010, 11, 1, 8, 0), p, -1), at(2010, 10, 30, 21, 0));
}

void TestAffairInfo::hourlyAcrossDstNights_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::newRow("spring forward") << at(2010, 3, 27, 22, 0);
    QTest::newRow("fall back") << at(2010, 10, 30, 22, 0);
}

void TestAffairInfo::hourlyAcrossDstNights()
{
    // Every occurrence is exactly one elapsed hour after the previous one: none is lost in
    // the gap and none is doubled in the repeated hour.
    QFETCH(QDateTime, start);
    Clock::setMock(start.addSecs(-60));
    AffairList list;
    list.AppendAffair(makeEvent(start, period(0, 0, 0, 1, 0)));
    list.RearmAll();
    const qint64 first = start.toSecsSinceEpoch();
    const QList<qint64> fired = fireTimes(&list, first - 60, first + 8 * 3600);
    QCOMPARE(fired.size(), 8);
    for (int i = 0; i < fired.size(); ++i) {
        QCOMPARE(fired.at(i), first + i * 3600);
    }
}

void TestAffairInfo::subDayPeriodsStayElapsed_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::newRow("day after spring forward") << at(2010, 3, 28, 22, 0);
    QTest::newRow("day after fall back") << at(2010, 10, 31, 22, 0);
}

void TestAffairInfo::subDayPeriodsStayElapsed()
{
    // Weeks after its first moment an every-7-minutes event is placed by the search; around
    // its time of day after a daylight-saving change, occurrences must neither repeat nor jump.
    QFETCH(QDateTime, from);
    Clock::setMock(from);
    AffairList list;
    const QDateTime user = at(2010, 3, 1, 0, 0);
    list.AppendAffair(makeEvent(user, period(0, 0, 0, 0, 7)));
    list.RearmAll();
    const qint64 first = list.At(0).NextSecs();
    QCOMPARE((first - user.toSecsSinceEpoch()) % 420, qint64(0));
    const QList<qint64> fired = fireTimes(&list, from.toSecsSinceEpoch(), from.toSecsSinceEpoch() + 4 * 3600);
    QVERIFY(fired.size() >= 4 * 3600 / 420);
    for (int i = 0; i < fired.size(); ++i) {
        QCOMPARE(fired.at(i), first + i * 420);
    }
}

void TestAffairInfo::dailyInSpringGap()
{
    // 02:30 does not exist on 28 March 2010 in Berlin: it falls due at 03:30 that day and at
    // 02:30 again on the days after, whichever branch computes it.
    const QDateTime gap = LocalTime::FromIso(QStringLiteral("2010-03-28T02:30:00"));
    QVERIFY(LocalTime::IsSet(gap));
    Clock::setMock(at(2010, 3, 28, 1, 0));
    AffairList list;
    list.AppendAffair(makeEvent(gap, period(0, 0, 1, 0, 0)));
    QCOMPARE(list.RearmAll(), QStringLiteral("1"));
    QCOMPARE(list.At(0).NextSecs(), at(2010, 3, 28, 3, 30).toSecsSinceEpoch());
    Clock::setMock(at(2010, 3, 28, 3, 30));
    QCOMPARE(list.DueMask(), QStringLiteral("1"));
    AffairInfo a = list.At(0);
    QCOMPARE(a.GetNextTime(), at(2010, 3, 29, 2, 30));

    // Stepping from the day before keeps 02:30 after the gap.
    Clock::setMock(at(2010, 3, 28, 12, 0));
    AffairInfo b = makeEvent(at(2010, 3, 27, 2, 30), period(0, 0, 1, 0, 0));
    QCOMPARE(b.GetNextTime(), at(2010, 3, 29, 2, 30));
    // The search branch agrees, a year on.
    Clock::setMock(at(2011, 4, 2, 12, 0));
    QVERIFY(a.ComputeNextTime());
    QCOMPARE(a.GetNextTime(), at(2011, 4, 3, 2, 30));
    // The user's choice is stored as chosen.
    QCOMPARE(LocalTime::ToIso(a.GetUserDateTime()), QStringLiteral("2010-03-28T02:30:00"));
}

void TestAffairInfo::everyMinuteTwentyYearsBack()
{
    Clock::setMock(at(2010, 6, 1, 12, 34, 56));
    AffairInfo a = makeEvent(at(1990, 6, 1, 0, 0), period(0, 0, 0, 0, 1));
    QVERIFY(a.IsActive());
    AffairInfo::ResetAddPeriodCalls();
    QVERIFY(a.Rearm());
    QCOMPARE(a.GetNextTime(), at(2010, 6, 1, 12, 35));
    // About ten million minutes: a doubling and a bisection of some 24 steps each, against
    // ten million additions when stepping.
    QVERIFY2(AffairInfo::AddPeriodCalls() <= 80, QByteArray::number(AffairInfo::AddPeriodCalls()));
}

void TestAffairInfo::onceOnlyFiresOnceThenExpires()
{
    Clock::setMock(at(2010, 6, 1, 7, 0));
    AffairInfo a = makeEvent(at(2010, 6, 1, 8, 0), period(0, 0, 0, 0, 0));
    QVERIFY(a.Rearm());
    Clock::setMock(at(2010, 6, 1, 7, 59, 59));
    QVERIFY(!a.IsDueNow());
    Clock::setMock(at(2010, 6, 1, 8, 0));
    QVERIFY(a.IsDueNow());
    QVERIFY(!a.IsArmed());
    QVERIFY(!a.IsActive());
    QCOMPARE(a.GetNextTime(), at(2010, 6, 1, 8, 0));
    QVERIFY(!a.IsDueNow());
    Clock::advance(1);
    QVERIFY(!a.IsDueNow());
}

void TestAffairInfo::millisecondsDropped()
{
    Clock::setMock(at(2010, 6, 1, 14, 0, 0, 500));
    AffairInfo a = makeEvent(at(2010, 6, 1, 14, 5, 37, 640), period(0, 0, 1, 0, 0));
    QCOMPARE(a.GetUserDateTime(), at(2010, 6, 1, 14, 5, 37));
    QVERIFY(a.Rearm());
    Clock::setMock(at(2010, 6, 1, 14, 5, 37, 999));
    QVERIFY(a.IsDueNow());
    QCOMPARE(a.GetNextTime(), at(2010, 6, 2, 14, 5, 37));
}

void TestAffairInfo::sameSecondAtStartupSkipsToNext()
{
    Clock::setMock(at(2010, 6, 1, 9, 0, 0, 300));
    AffairInfo a = makeEvent(at(2010, 6, 1, 9, 0), period(0, 0, 1, 0, 0));
    QVERIFY(a.Rearm());
    QCOMPARE(a.GetNextTime(), at(2010, 6, 2, 9, 0));
}

void TestAffairInfo::lateTickStillReports_data()
{
    QTest::addColumn<AffairPeriod>("p");
    QTest::addColumn<int>("lateSecs");
    QTest::addColumn<QDateTime>("next");
    QTest::addColumn<bool>("active");
    QTest::newRow("once, 5 s late") << period(0, 0, 0, 0, 0) << 5 << at(2010, 6, 1, 8, 0) << false;
    QTest::newRow("daily, 1 h late") << period(0, 0, 1, 0, 0) << 3600 << at(2010, 6, 2, 8, 0) << true;
    QTest::newRow("every minute, 10 min late")
        << period(0, 0, 0, 0, 1) << 600 << at(2010, 6, 1, 8, 11) << true;
}

void TestAffairInfo::lateTickStillReports()
{
    // A suspended laptop or a loaded machine skips the due second: the occurrence is still
    // reported, once, and the event moves on past now.
    QFETCH(AffairPeriod, p);
    QFETCH(int, lateSecs);
    QFETCH(QDateTime, next);
    QFETCH(bool, active);
    Clock::setMock(at(2010, 6, 1, 7, 0));
    AffairList list;
    list.AppendAffair(makeEvent(at(2010, 6, 1, 8, 0), p));
    list.RearmAll();
    Clock::setMock(at(2010, 6, 1, 8, 0).addSecs(lateSecs));
    QCOMPARE(list.DueMask(), QStringLiteral("1"));
    QCOMPARE(list.DueMask(), QStringLiteral("0"));
    AffairInfo a = list.At(0);
    QCOMPARE(a.IsActive(), active);
    QCOMPARE(a.GetNextTime(), next);
}

void TestAffairInfo::damagedRecordsExpire_data()
{
    QTest::addColumn<QDateTime>("user");
    QTest::addColumn<AffairPeriod>("p");
    QTest::newRow("negative day") << at(2010, 1, 1, 8, 0) << period(0, 0, -1, 0, 0);
    QTest::newRow("negative in future") << at(2030, 1, 1, 8, 0) << period(0, 0, 0, -5, 0);
    QTest::newRow("once with negative") << at(2030, 1, 1, 8, 0) << period(1, -1, 0, 0, 0);
    QTest::newRow("day max") << at(2010, 1, 1, 8, 0) << period(0, 0, 2147483647, 0, 0);
    QTest::newRow("year max") << at(2010, 1, 1, 8, 0) << period(2147483647, 0, 0, 0, 0);
    QTest::newRow("month max") << at(2010, 1, 1, 8, 0) << period(0, 2147483647, 0, 0, 0);
    QTest::newRow("hour max") << at(2010, 1, 1, 8, 0) << period(0, 0, 0, 2147483647, 0);
    QTest::newRow("minute max") << at(2010, 1, 1, 8, 0) << period(0, 0, 0, 0, 2147483647);
    QTest::newRow("invalid first moment") << QDateTime() << period(0, 0, 1, 0, 0);
}

void TestAffairInfo::damagedRecordsExpire()
{
    QFETCH(QDateTime, user);
    QFETCH(AffairPeriod, p);
    Clock::setMock(at(2010, 6, 1, 12, 0));
    AffairList list;
    list.AppendAffair(makeEvent(user, p));
    QCOMPARE(list.RearmAll(), QStringLiteral("0"));
    QVERIFY(!list.At(0).IsActive());
    QVERIFY(!list.At(0).IsArmed());
    Clock::advance(400 * 86400);
    QCOMPARE(list.DueMask(), QStringLiteral("0"));
}

void TestAffairInfo::searchAlwaysEndsAfterNow()
{
    // Odd hour periods make the multiplied days and the elapsed rest disagree across daylight
    // saving; the search must still end, on the first occurrence after now.
    const QList<AffairPeriod> periods{period(0, 0, 0, 25, 0), period(0, 0, 0, 36, 0), period(0, 0, 0, 0, 7),
                                      period(0, 0, 3, 5, 0), period(0, 1, 2, 3, 4)};
    const QDateTime user = at(2005, 3, 27, 1, 30);
    for (const AffairPeriod& p : periods) {
        for (qint64 t = at(2010, 3, 27, 0, 0).toSecsSinceEpoch();
             t < at(2010, 3, 29, 0, 0).toSecsSinceEpoch(); t += 1800) {
            const QDateTime now = QDateTime::fromSecsSinceEpoch(t);
            Clock::setMock(now);
            AffairInfo a = makeEvent(user, p);
            QVERIFY(a.IsActive());
            const qint64 next = LocalTime::Seconds(a.GetNextTime());
            QVERIFY(next > t);
            QVERIFY(next - t <= 40 * 86400);
        }
    }
}

QTEST_GUILESS_MAIN(TestAffairInfo)
#include "testaffairinfo.moc"
