// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/duedispatcher.h"
#include "core/events/snoozechoice.h"
#include "core/system/remindersound.h"
#include "support/eventbuilder.h"

#include <QSettings>
#include <QTest>

using namespace EventBuilder;

namespace {
// Plays nothing: the theme it stands for has a bell only.
struct BellOnly : SoundPlayer
{
    explicit BellOnly(QStringList* asked) : Asked(asked) {}
    bool Play(const QString& eventId) override
    {
        Asked->append(eventId);
        return eventId == "bell";
    }
    QStringList* Asked;
};

AffairList Reload(const AffairList& list)
{
    AffairStore("data/eventinfor.eda").SaveAffairs(list);
    return AffairStore("data/eventinfor.eda").LoadAffairs();
}
} // namespace

class TestSnooze : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }
    void comesBackAfterRestart_data();
    void comesBackAfterRestart();
    void deletedEventDropsItsSnooze();
    void soundFallsBackToBell();
};

void TestSnooze::comesBackAfterRestart_data()
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
    // Wall time: tomorrow at 09:00 is 23 hours away in spring, 25 in autumn.
    QTest::newRow("tomorrow over spring forward")
        << 0 << At(2026, 3, 28, 9, 0) << int(SnoozeChoice::Tomorrow) << At(2026, 3, 29, 9, 0);
    QTest::newRow("tomorrow over autumn back")
        << 0 << At(2026, 10, 24, 9, 0) << int(SnoozeChoice::Tomorrow) << At(2026, 10, 25, 9, 0);
}

void TestSnooze::comesBackAfterRestart()
{
    QFETCH(int, days);
    QFETCH(QDateTime, due);
    QFETCH(int, choice);
    QFETCH(QDateTime, back);
    TestEnv::ScratchDir scratch;
    QDir().mkpath("data");
    AffairList list;
    list.AppendAffair(Event("pay", due.addSecs(-60), Days(days)));
    list.RearmAll(due.addSecs(-61));
    DueDispatcher before(list);
    QVERIFY(before.Tick(due.addSecs(-60).toSecsSinceEpoch()).GetAffairID() == "pay");
    const qint64 ownNext = list.At(0).NextSecs();
    const qint64 until = SnoozeChoice::Until(SnoozeChoice::Choice(choice), due);
    QCOMPARE(until, back.toSecsSinceEpoch());
    QVERIFY(before.Snooze(until).GetAffairID().isEmpty());

    // A restart in between: saved, loaded, re-armed.
    AffairList after = Reload(list);
    after.RearmAll(due.addSecs(1));
    QCOMPARE(after.At(0).NextSecs(), ownNext);
    DueDispatcher dispatcher(after);
    QVERIFY(dispatcher.Tick(until - 1).GetAffairID().isEmpty());
    QCOMPARE(dispatcher.Tick(until).GetAffairID(), QStringLiteral("pay"));
    QCOMPARE(after.At(0).NextSecs(), ownNext);
    QCOMPARE(after.At(0).IsActive(), days != 0);

    // Come back once; the key is only written while a snooze is set.
    QCOMPARE(Reload(after).At(0).SnoozeSecs(), 0);
    QVERIFY(!QSettings("data/eventinfor.eda", QSettings::IniFormat).contains("Event_1/Snooze"));
}

void TestSnooze::deletedEventDropsItsSnooze()
{
    AffairList list;
    const QDateTime now = At(2026, 12, 16, 9, 0);
    list.AppendAffair(Event("gone", now));
    list.AppendAffair(Event("kept", now.addDays(3)));
    list.RearmAll(now.addSecs(-1));
    DueDispatcher dispatcher(list);
    QCOMPARE(dispatcher.Tick(now.toSecsSinceEpoch()).GetAffairID(), QStringLiteral("gone"));
    dispatcher.Snooze(now.toSecsSinceEpoch() + 300);
    list.RemoveAffair("gone");
    QVERIFY(dispatcher.Tick(now.toSecsSinceEpoch() + 300).GetAffairID().isEmpty());
    QVERIFY(dispatcher.Waiting().isEmpty());
}

void TestSnooze::soundFallsBackToBell()
{
    QStringList calls;
    ReminderSound sound(std::make_unique<BellOnly>(&calls));
    QVERIFY(sound.Ring());
    QCOMPARE(calls, (QStringList{"alarm-clock-elapsed", "bell"}));
}

QTEST_GUILESS_MAIN(TestSnooze)
#include "testsnooze.moc"
