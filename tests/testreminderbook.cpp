// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "core/events/reminderhold.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace EventBuilder;

namespace {
const QDateTime Now = At(2030, 1, 15, 12, 0);

// The identifiers the book put on screen, "id" for a reminder and "(id)" for a preview.
QStringList Shown(const QSignalSpy& due)
{
    QStringList out;
    for (const QList<QVariant>& call : due) {
        const QString id = call.at(0).value<AffairInfo>().GetAffairID();
        out << (call.at(1).toBool() ? QLatin1Char('(') + id + QLatin1Char(')') : id);
    }
    return out;
}

// Ticks once a second for `seconds`, answering how many reminders came meanwhile.
int TickFor(ReminderBook& book, int seconds, QSignalSpy& due)
{
    const qsizetype before = due.size();
    for (int i = 0; i < seconds; ++i) {
        MockClock::advance(1);
        book.Tick();
    }
    return int(due.size() - before);
}
} // namespace

class TestReminderBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<AffairInfo>();
        TestEnv::setTimeZone("Europe/Berlin");
    }
    void init() { MockClock::set(Now); }
    void cleanup() { MockClock::reset(); }

    // Nothing that fell due is dropped: a newcomer takes the screen, the one it covered comes
    // again when the newcomer goes, and a preview covers a reminder without losing it.
    void everyReminderSeen()
    {
        TestEnv::ScratchDir scratch;
        SaveEvents({Event("a", Now.addSecs(1)), Event("b", Now.addSecs(21)), Event("c", Now.addSecs(21)),
                    Event("p", Now.addDays(9))});
        ReminderBook book;
        QVERIFY(book.Load());
        book.Start();
        QSignalSpy due(&book, &ReminderBook::reminderDue);
        QSignalSpy gone(&book, &ReminderBook::reminderGone);
        TickFor(book, 21, due);
        QVERIFY(book.ShowNow("p"));
        book.Dismiss();
        book.Dismiss();
        book.Dismiss();
        book.Dismiss();
        QCOMPARE(Shown(due), QStringList({"a", "b", "(p)", "b", "a", "c"}));
        QCOMPARE(gone.size(), 4);
        QVERIFY(!book.OnScreen());
        QVERIFY(!book.ShowNow("nothing"));
    }

    // Reminders that fall due while held wait, once each, and come in the order they fell due
    // when the last reason ends; the tray says how many wait. The renewal at each tick works.
    void heldRemindersComeAfter()
    {
        TestEnv::ScratchDir scratch;
        SaveEvents({Event("m", Now.addSecs(1), AffairPeriod::Of(AffairPeriod::Unit::Minute, 1)),
                    Event("b", Now.addSecs(5)), Event("a", Now.addSecs(9))});
        ReminderBook book;
        QVERIFY(book.Load());
        book.Start();
        QSignalSpy due(&book, &ReminderBook::reminderDue);
        bool fullScreen = true;
        connect(&book, &ReminderBook::ticking, &book,
                [&] { book.SetHeld(ReminderHold::FullScreen, fullScreen); });
        book.SetHeld(ReminderHold::DoNotDisturb, true);
        QCOMPARE(TickFor(book, 118, due), 0);
        QCOMPARE(book.HeldCount(), 3);
        QVERIFY(book.ToolTip().endsWith("\nReminders waiting until do not disturb ends: 3"));
        book.SetHeld(ReminderHold::DoNotDisturb, false);
        QCOMPARE(due.size(), 0);
        fullScreen = false;
        QCOMPARE(TickFor(book, 1, due), 1);
        book.Dismiss();
        book.Dismiss();
        QCOMPARE(Shown(due), QStringList({"m", "b", "a"}));
        QVERIFY(!book.ToolTip().contains("waiting"));
    }

    // A jump of the wall clock re-arms every event from the new now; what fell due inside a
    // forward jump comes once.
    void clockJumps_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("jump");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("expected");
        QTest::newRow("every minute, back an hour") << 1 << -3600 << 61 << 1;
        QTest::newRow("daily, back a day") << 24 * 60 << -86400 << 86400 << 1;
        QTest::newRow("daily, forward three days") << 24 * 60 << 3 * 86400 << 30 << 1;
        QTest::newRow("every minute, forward an hour") << 1 << 3600 << 30 << 1;
    }
    void clockJumps()
    {
        QFETCH(int, minutes);
        QFETCH(int, jump);
        QFETCH(int, window);
        QFETCH(int, expected);
        TestEnv::ScratchDir scratch;
        SaveEvents({Event("e", Now.addDays(-2).addSecs(-30),
                          AffairPeriod::Of(AffairPeriod::Unit::Minute, minutes))});
        ReminderBook book;
        QVERIFY(book.Load());
        book.Start();
        QSignalSpy due(&book, &ReminderBook::reminderDue);
        MockClock::advance(jump);
        book.Tick();
        const int atJump = int(due.size());
        QCOMPARE(atJump + TickFor(book, window - 1, due), expected);
    }

    // A snooze that has come is off the store at once: a clock set back never brings it again.
    void deliveredSnoozeLeavesTheStore()
    {
        TestEnv::ScratchDir scratch;
        SaveEvents({Event("s", Now.addSecs(1))});
        ReminderBook book;
        QVERIFY(book.Load());
        QCOMPARE(book.NextDueTime(), std::optional<QDateTime>(Now.addSecs(1)));
        book.Start();
        QSignalSpy due(&book, &ReminderBook::reminderDue);
        TickFor(book, 1, due);
        QVERIFY(book.Snooze(Now.addSecs(61).toSecsSinceEpoch()));
        QCOMPARE(EventBuilder::Stored().At(0).SnoozeSecs(), Now.addSecs(61).toSecsSinceEpoch());
        QCOMPARE(TickFor(book, 60, due), 1);
        QCOMPARE(EventBuilder::Stored().At(0).SnoozeSecs(), 0);
    }

    // Changes that cannot be saved leave the list, the pictures and the screen as they were.
    void failedSavesChangeNothing()
    {
        TestEnv::ScratchDir scratch;
        SaveEvents({Event("k", Now.addSecs(1), Days(1))});
        ReminderBook book("blocked/eventinfor.eda", "lastrun.ini");
        TestEnv::writeAll("blocked", "a file where a folder should be");
        QVERIFY(book.Load());
        QString error;
        QString id;
        QVERIFY(!book.Add(Event("n", Now.addDays(1)), QImage(8, 8, QImage::Format_RGB16), &id, &error));
        QVERIFY(!error.isEmpty() && id.isEmpty());
        QCOMPARE(book.Events().Count(), 0);
        QCOMPARE(QDir("data").entryList({"dap*"}).size(), 1);
        // A batch answers each add at once and fails, whole, at its one save.
        book.BeginBatch();
        for (int i = 0; i < 3; ++i) {
            QVERIFY(book.Add(Event("n", Now.addDays(1)), QImage(8, 8, QImage::Format_RGB16), &id));
        }
        QCOMPARE(book.Events().Count(), 3);
        QVERIFY(!book.EndBatch(&error));
        QCOMPARE(book.Events().Count(), 0);
        QCOMPARE(QDir("data").entryList({"dap*"}).size(), 1);

        // A picture that cannot be written makes no event either.
        QVERIFY(QDir("data").removeRecursively());
        TestEnv::writeAll("data", "a file where the pictures' folder should be");
        QDir().mkpath("elsewhere");
        ReminderBook other("elsewhere/eventinfor.eda", "lastrun.ini");
        QVERIFY(!other.Add(Event("n", Now.addDays(1)), QImage(8, 8, QImage::Format_RGB16), &id, &error));
        QCOMPARE(other.Events().Count(), 0);
        QVERIFY(other.Add(Event("n", Now.addDays(1)), &id, &error));
    }

    // The limit is a refusal with a reason, not a silent loss at the next start.
    void limitRefusesTheAdd()
    {
        TestEnv::ScratchDir scratch;
        QDir().mkpath("data");
        AffairList full;
        for (int i = 0; i < AffairStore::MaxEvents; ++i) {
            full.AppendAffair(Event(LocalTime::ToIso(Now.addSecs(i)), Now.addDays(1)));
        }
        QVERIFY(AffairStore().SaveAffairs(full));
        ReminderBook book;
        QVERIFY(book.Load());
        QString error;
        QVERIFY(!book.Add(Event("one more", Now.addDays(2)), nullptr, &error));
        QVERIFY(error.contains(QString::number(AffairStore::MaxEvents)));
        QCOMPARE(EventBuilder::Stored().Count(), AffairStore::MaxEvents);
    }

    // A picture goes only when no event names it; expired means "will never come again", so a
    // pending snooze keeps its once-only event; pictures no event names go at a sound start.
    void picturesAndExpiry()
    {
        TestEnv::ScratchDir scratch;
        AffairInfo twin = Event("twin", Now.addDays(1));
        twin.SetPicPath(Event("one", Now.addDays(2)).GetPicPath());
        AffairInfo snoozed = Event("snoozed", Now.addDays(-1));
        snoozed.SetSnooze(Now.addSecs(600).toSecsSinceEpoch());
        SaveEvents({Event("one", Now.addDays(2)), twin, snoozed, Event("old", Now.addDays(-2))});
        TestEnv::writeAll("data/dap20200101000000", "nobody's");
        ReminderBook book;
        QVERIFY(book.Load());
        QVERIFY(!QFileInfo::exists("data/dap20200101000000"));
        const QString shared = twin.GetPicPath();
        QVERIFY(book.Remove("one"));
        QVERIFY(QFileInfo::exists(shared));
        QVERIFY(book.Remove("twin"));
        QVERIFY(!QFileInfo::exists(shared));
        int removed = 0;
        QVERIFY(book.RemoveExpired(&removed));
        QCOMPARE(removed, 1);
        QVERIFY(book.Find("snoozed") && !book.Find("old"));
        QVERIFY(QFileInfo::exists(snoozed.GetPicPath()));
        // An edit that keeps the picture keeps its file.
        QVERIFY(book.Replace("snoozed", *book.Find("snoozed")));
        QVERIFY(QFileInfo::exists(snoozed.GetPicPath()));
        QVERIFY(!book.Remove("old"));
        // A new picture for one of two events that share one: the other keeps the old.
        QString a, b;
        QVERIFY(book.Add(Event("", Now.addDays(5)), QImage(4, 4, QImage::Format_RGB16), &a));
        AffairInfo copy = *book.Find(a);
        copy.SetAffairID(QString());
        QVERIFY(book.Add(copy, &b) && a != b);
        AffairInfo changed = *book.Find(a);
        changed.SetPicPath(snoozed.GetPicPath());
        QVERIFY(book.Replace(a, changed));
        QVERIFY(QFileInfo::exists(copy.GetPicPath()));
        // Only the program's own pictures: a path from a damaged or crafted list is never removed.
        AffairInfo planted = Event("planted", Now.addDays(-3));
        planted.SetPicPath(QDir::current().absoluteFilePath("mine.png"));
        TestEnv::writeAll("mine.png", "not the program's");
        QVERIFY(book.Add(planted, nullptr));
        QVERIFY(book.RemoveExpired(&removed) && !book.Find("planted") && QFileInfo::exists("mine.png"));
    }
};

QTEST_GUILESS_MAIN(TestReminderBook)
#include "testreminderbook.moc"
