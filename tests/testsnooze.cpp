// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/duedispatcher.h"
#include "core/events/missedreminders.h"
#include "core/events/nextreminder.h"
#include "core/events/snoozechoice.h"
#include "core/system/lastrunning.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QTest>

using namespace EventBuilder;
using Events = QList<AffairInfo>;

namespace {
QStringList Listed(const Events& events, const QDateTime& last, const QDateTime& now)
{
    QStringList out;
    for (const auto& e :
         MissedReminders::Between(ListOf(events), last.toSecsSinceEpoch(), now.toSecsSinceEpoch())) {
        out << e.Event.GetAffairID() + e.When.toString(" dd HH:mm");
    }
    return out;
}

// What snoozing the reminder on screen does to the list and the queue.
AffairInfo SnoozeShown(AffairList& list, DueDispatcher& dispatcher, qint64 until)
{
    AffairInfo record = list.FindAffair(dispatcher.Showing());
    record.SetSnooze(until);
    list.ReplaceAffair(record.GetAffairID(), record);
    return dispatcher.Dismissed();
}

AffairInfo Snoozed(const char* id, const QDateTime& until)
{
    AffairInfo event = Event(id, At(2026, 12, 1, 7, 0));
    event.SetSnooze(until.toSecsSinceEpoch());
    return event;
}
} // namespace

// Reminders across a restart: snoozed ones come back, missed ones are listed.
class TestSnooze : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }

    void comesBackAfterRestart_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QDateTime>("back");
        QTest::newRow("once-only, expired meanwhile")
            << 0 << At(2026, 12, 16, 9, 0) << int(SnoozeChoice::FifteenMinutes) << At(2026, 12, 16, 9, 15);
        QTest::newRow("daily keeps its own next day")
            << 1 << At(2026, 12, 16, 9, 0) << int(SnoozeChoice::OneHour) << At(2026, 12, 16, 10, 0);
        // Elapsed time: an hour after 01:30 on the spring-forward night reads 03:30.
        QTest::newRow("hour across the spring gap")
            << 0 << At(2026, 3, 29, 1, 30) << int(SnoozeChoice::OneHour) << At(2026, 3, 29, 3, 30);
        // Wall time: tomorrow at 09:00 is 25 hours away in autumn.
        QTest::newRow("tomorrow over autumn back")
            << 0 << At(2026, 10, 24, 9, 0) << int(SnoozeChoice::Tomorrow) << At(2026, 10, 25, 9, 0);
    }
    void comesBackAfterRestart()
    {
        QFETCH(int, days);
        QFETCH(QDateTime, due);
        QFETCH(int, choice);
        QFETCH(QDateTime, back);
        TestEnv::ScratchDir scratch({"data"});
        AffairList list = ListOf({Event("pay", due.addSecs(-60), Days(days))});
        list.RearmAll(due.addSecs(-61));
        DueDispatcher before(list);
        QVERIFY(before.Tick(due.addSecs(-60).toSecsSinceEpoch()).GetAffairID() == "pay");
        const qint64 ownNext = list.At(0).NextSecs();
        const qint64 until = SnoozeChoice::Until(SnoozeChoice::Choice(choice), due);
        QCOMPARE(until, back.toSecsSinceEpoch());
        QVERIFY(SnoozeShown(list, before, until).GetAffairID().isEmpty());
        // A restart in between: saved, loaded, re-armed; it comes back once, on its own schedule.
        QVERIFY(AffairStore().SaveAffairs(list));
        AffairList after = EventBuilder::Stored();
        after.RearmAll(due.addSecs(1));
        DueDispatcher dispatcher(after);
        QVERIFY(dispatcher.Tick(until - 1).GetAffairID().isEmpty());
        QCOMPARE(dispatcher.Tick(until).GetAffairID(), "pay");
        QVERIFY(after.At(0).NextSecs() == ownNext && after.At(0).IsActive() == (days != 0));
        QCOMPARE(after.At(0).SnoozeSecs(), 0);
    }

    void deletedEventDropsItsSnooze()
    {
        const QDateTime now = At(2026, 12, 16, 9, 0);
        AffairList list = ListOf({Event("gone", now), Event("kept", now.addDays(3))});
        list.RearmAll(now.addSecs(-1));
        DueDispatcher dispatcher(list);
        QCOMPARE(dispatcher.Tick(now.toSecsSinceEpoch()).GetAffairID(), "gone");
        SnoozeShown(list, dispatcher, now.toSecsSinceEpoch() + 300);
        list.RemoveAffair("gone");
        QVERIFY(dispatcher.Tick(now.toSecsSinceEpoch() + 300).GetAffairID().isEmpty());
        QVERIFY(dispatcher.Waiting().isEmpty());
    }

    // Recurring ones once, at their last occurrence; once-only ones inside the gap only; in time order.
    void lastOfEach()
    {
        const QDateTime first = At(2026, 1, 31, 9, 0);
        const Events events{Event("daily", first, Days(1)),
                            Event("minute", first, AffairPeriod::Of(AffairPeriod::Unit::Minute, 1)),
                            Event("weekly", At(2026, 12, 17, 9, 0), Days(7)),
                            Event("before", At(2026, 12, 14, 9, 0)),
                            Event("inside", At(2026, 12, 15, 9, 0)),
                            Event("after", At(2026, 12, 16, 9, 31)),
                            Snoozed("snoozed", At(2026, 12, 15, 23, 0))};
        QCOMPARE(Listed(events, At(2026, 12, 14, 20, 0), At(2026, 12, 16, 9, 30)),
                 (QStringList{"inside 15 09:00", "snoozed 15 23:00", "daily 16 09:00", "minute 16 09:30"}));
    }

    // Last seen at 05:00 in New York (11:00 in Berlin), started again at 11:30 in Berlin.
    void zoneChangeBetweenRuns()
    {
        TestEnv::ScratchDir scratch;
        TestEnv::setTimeZone("America/New_York");
        LastRunning running("lastrun.ini");
        const qint64 last = At(2026, 12, 16, 5, 0).toSecsSinceEpoch();
        // At most one write in ten minutes.
        for (const qint64 t : {last - 600, last - 1, last, last + 599}) {
            QVERIFY(running.Mark(t, t == last - 600));
        }
        TestEnv::setTimeZone("Europe/Berlin");
        MockClock::set(At(2026, 12, 16, 11, 30));
        QCOMPARE(LastRunning("lastrun.ini").Recorded(), std::optional<qint64>(last));
        // A record after now (the largest number, a clock that was wrong) is no record.
        for (const QByteArray& future :
             {QByteArray("9223372036854775807"), QByteArray::number(last + 7200)}) {
            TestEnv::writeAll("future.ini", "[General]\nLastRunning=" + future + "\n");
            QCOMPARE(LastRunning("future.ini").Recorded(), std::nullopt);
        }
        const Events events{Event("nine", At(2026, 12, 1, 9, 0), Days(1)),
                            Event("quarter", At(2026, 12, 1, 11, 15), Days(1))};
        QCOMPARE(Listed(events, QDateTime::fromSecsSinceEpoch(last), At(2026, 12, 16, 11, 30)),
                 QStringList{"quarter 16 11:15"});
    }

    void toolTip()
    {
        const auto tip = [](const Events& events) {
            AffairList list = ListOf(events);
            list.RearmAll(At(2026, 12, 16, 8, 0));
            return NextReminder::ToolTip(list, At(2026, 12, 16, 8, 0));
        };
        const AffairInfo rent = Event("rent", At(2026, 12, 16, 9, 0), Days(30), "Pay\nrent");
        // Tomorrow's are not counted; a snooze comes first.
        QCOMPARE(tip({Event("late", At(2026, 12, 16, 23, 59)), rent, Event("noon", At(2026, 12, 16, 12, 0)),
                      Event("morrow", At(2026, 12, 17, 0, 0))}),
                 "Next: Pay rent, Wed 16 Dec 09:00\n2 more due today");
        QCOMPARE(tip({rent, Snoozed("tea", At(2026, 12, 16, 8, 5))}),
                 "Next: tea, Wed 16 Dec 08:05\n1 more due today");
        QCOMPARE(tip({rent}), "Next: Pay rent, Wed 16 Dec 09:00");
    }
};

QTEST_GUILESS_MAIN(TestSnooze)
#include "testsnooze.moc"
