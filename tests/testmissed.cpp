// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/missedreminders.h"
#include "core/events/nextreminder.h"
#include "core/system/lastrunning.h"
#include "support/eventbuilder.h"

#include <QTest>

using namespace EventBuilder;

namespace {
AffairList ListOf(const QList<AffairInfo>& events)
{
    AffairList list;
    for (const AffairInfo& e : events) {
        list.AppendAffair(e);
    }
    return list;
}

QStringList Listed(const AffairList& list, const QDateTime& last, const QDateTime& now)
{
    QStringList out;
    for (const MissedReminders::Entry& e :
         MissedReminders::Between(list, last.toSecsSinceEpoch(), now.toSecsSinceEpoch())) {
        out << e.Event.GetAffairID() + e.When.toString(" dd HH:mm");
    }
    return out;
}
} // namespace

class TestMissed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }
    void lastOfEach_data();
    void lastOfEach();
    void zoneChangeBetweenRuns();
    void toolTip_data();
    void toolTip();
};

void TestMissed::lastOfEach_data()
{
    QTest::addColumn<QList<AffairInfo>>("events");
    QTest::addColumn<QStringList>("listed");
    const QDateTime first = At(2026, 1, 31, 9, 0);
    AffairInfo snoozed = Event("snoozed", At(2026, 12, 1, 8, 0));
    snoozed.SetSnooze(At(2026, 12, 15, 23, 0).toSecsSinceEpoch());
    QTest::newRow("recurring, last occurrence only")
        << QList<AffairInfo>{Event("daily", first, Days(1)),
                             Event("minute", first, AffairPeriod::Of(AffairPeriod::Unit::Minute, 1)),
                             Event("monthly", first, AffairPeriod::Of(AffairPeriod::Unit::Month, 1)),
                             Event("weekly", At(2026, 12, 17, 9, 0), Days(7))}
        << QStringList{"daily 16 09:00", "minute 16 09:30"};
    QTest::newRow("once-only inside the gap only")
        << QList<AffairInfo>{Event("before", At(2026, 12, 14, 9, 0)), Event("inside", At(2026, 12, 15, 9, 0)),
                             Event("after", At(2026, 12, 16, 9, 31))}
        << QStringList{"inside 15 09:00"};
    QTest::newRow("a snooze that came meanwhile")
        << QList<AffairInfo>{snoozed} << QStringList{"snoozed 15 23:00"};
}

void TestMissed::lastOfEach()
{
    QFETCH(QList<AffairInfo>, events);
    QFETCH(QStringList, listed);
    QCOMPARE(Listed(ListOf(events), At(2026, 12, 14, 20, 0), At(2026, 12, 16, 9, 30)), listed);
}

void TestMissed::zoneChangeBetweenRuns()
{
    TestEnv::ScratchDir scratch;
    QVERIFY(!LastRunning("lastrun.ini").Recorded());
    // Last seen at 05:00 in New York (11:00 in Berlin), started again at 11:30 in Berlin.
    TestEnv::setTimeZone("America/New_York");
    LastRunning running("lastrun.ini");
    const qint64 last = At(2026, 12, 16, 5, 0).toSecsSinceEpoch();
    // At most one write in ten minutes.
    for (const qint64 t : {last - 600, last - 1, last, last + 599}) {
        QVERIFY(running.Mark(t, t == last - 600));
    }
    TestEnv::setTimeZone("Europe/Berlin");
    QCOMPARE(LastRunning("lastrun.ini").Recorded(), std::optional<qint64>(last));
    AffairList list;
    list.AppendAffair(Event("nine", At(2026, 12, 1, 9, 0), Days(1)));
    list.AppendAffair(Event("quarter", At(2026, 12, 1, 11, 15), Days(1)));
    QCOMPARE(Listed(list, QDateTime::fromSecsSinceEpoch(last), At(2026, 12, 16, 11, 30)),
             QStringList{"quarter 16 11:15"});
}

void TestMissed::toolTip_data()
{
    QTest::addColumn<QList<AffairInfo>>("events");
    QTest::addColumn<QString>("text");
    const AffairInfo rent = Event("rent", At(2026, 12, 16, 9, 0), Days(30), "Pay\nrent");
    AffairInfo snoozed = Event("tea", At(2026, 12, 1, 7, 0));
    snoozed.SetSnooze(At(2026, 12, 16, 8, 5).toSecsSinceEpoch());
    QTest::newRow("more later today, tomorrow not counted")
        << QList<AffairInfo>{Event("late", At(2026, 12, 16, 23, 59)), rent,
                             Event("noon", At(2026, 12, 16, 12, 0)), Event("morrow", At(2026, 12, 17, 0, 0))}
        << "Next: Pay rent, Wed 16 Dec 09:00\n2 more due today";
    QTest::newRow("a snooze comes first")
        << QList<AffairInfo>{rent, snoozed} << "Next: tea, Wed 16 Dec 08:05\n1 more due today";
    QTest::newRow("next is tomorrow")
        << QList<AffairInfo>{Event("morrow", At(2026, 12, 17, 6, 0)), Event("later", At(2026, 12, 17, 7, 0))}
        << "Next: morrow, Thu 17 Dec 06:00";
}

void TestMissed::toolTip()
{
    QFETCH(QList<AffairInfo>, events);
    QFETCH(QString, text);
    AffairList list = ListOf(events);
    const QDateTime now = At(2026, 12, 16, 8, 0);
    list.RearmAll(now);
    QCOMPARE(NextReminder::ToolTip(list, now), text);
}

QTEST_GUILESS_MAIN(TestMissed)
#include "testmissed.moc"
