// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/duedispatcher.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QtTest>

using namespace EventBuilder;

namespace {
const QDateTime Base = At(2026, 3, 2, 8, 0);
const QDateTime YearStart = At(2027, 1, 1, 0, 0);
const QDateTime YearEnd = At(2028, 1, 1, 0, 0);

QString Name(const AffairInfo& record)
{
    return record.GetAffairID().isEmpty() ? QStringLiteral("-") : record.GetAffairID();
}

// Every moment an event falls due within the year, counted from its first moment: calendar
// counts on the wall clock, hours and minutes as elapsed time.
QList<qint64> Occurrences(const AffairInfo& event)
{
    const AffairPeriod p = event.GetPeriod();
    const QDateTime first = event.GetUserDateTime();
    const qint64 span = qint64(p.hour) * 3600 + p.minute * 60;
    QList<qint64> out;
    for (int k = 0;; ++k) {
        const QDate date = first.date().addYears(p.year * k).addMonths(p.month * k).addDays(p.day * k);
        const qint64 s =
            span ? first.toSecsSinceEpoch() + k * span : QDateTime(date, first.time()).toSecsSinceEpoch();
        if (s >= YearEnd.toSecsSinceEpoch()) {
            return out;
        }
        if (s > YearStart.toSecsSinceEpoch()) {
            out << s;
        }
        if (p.IsOnce()) {
            return out;
        }
    }
}
} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }

    void queue_data()
    {
        // events: "id@s" falls due s seconds after Base once, "id@s/n" then every n days.
        // script, answered step by step: "tS" a tick at Base + S (what goes on screen, "-" nothing),
        // "d" the reminder clicked away (what follows), "s" what is showing, "p" a preview takes the
        // screen, "x:id" the event deleted, "n:a,b" events put on screen from elsewhere, "h+:r" and
        // "h-:r" a hold for reason r begins or ends (what comes), "c" how many wait for the hold.
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("answers");
        const auto row = [](const char* name, const char* events, const char* script, const char* answers) {
            QTest::newRow(name) << QString(events) << QString(script) << QString(answers);
        };
        row("in its own second", "a@0", "t-1 t0 t1 s d", "- a - a -");
        row("same second: in list order", "a@0 b@0 c@60", "t0 d s d t60", "a b b - c");
        // The reminder that makes way comes again right after the newcomer, before older waiters.
        row("newly due go first", "a@0 b@0 c@5 d@5", "t0 t5 d d d d", "a c a d b -");
        row("replaced comes again", "a@0 b@20", "t0 t20 d d", "a b a -");
        row("quiet tick leaves the screen", "a@0 b@0", "t0 t1 s d", "a - a b");
        row("waits only once", "a@0/1 b@0/1 c@0", "t0 t86400 t172800 d d d", "a a a b c -");
        row("deleted while waiting", "a@0 b@0 c@0", "t0 x:b d d", "a c -");
        row("preview is no reminder", "a@0 b@0", "t0 p s d s d", "a - a a b");
        row("nothing to dismiss", "a@0", "d s", "- -");
        row("from elsewhere, unknown skipped", "a@0 b@0 c@0", "t0 n:z,c,c d d d", "a c a b -");
        row("held: in due order, once each", "a@0/1 b@5 c@10", "h+:dnd t0 t5 t10 t86400 n:b c h-:dnd d d d",
            "- - - - - - 3 a b c -");
        row("held: the one on screen stays", "a@0 b@5 c@5", "t0 h+:fs t5 s d s c h-:fs d d",
            "a - - a - - 2 b c -");
        row("held: the last reason ends it", "a@0", "h+:dnd h+:fs t0 h-:dnd h+:dnd h-:dnd c h-:fs",
            "- - - - - - 1 a");
        row("held: dismissed, the next waits", "a@0 b@0", "t0 h+:dnd d h-:dnd d", "a - - b -");
        row("held: deleted while held", "a@0 b@0", "h+:dnd t0 x:a h-:dnd d", "- - b -");
        row("held: nothing waited", "a@0", "t0 h+:dnd h-:dnd s c", "a - - a 0");
    }

    void queue()
    {
        QFETCH(QString, events);
        QFETCH(QString, script);
        QFETCH(QString, answers);
        AffairList list;
        for (const QString& e : events.split(' ')) {
            const QStringList part = e.split(QRegularExpression(QStringLiteral("[@/]")));
            list.AppendAffair(
                Event(part.at(0), Base.addSecs(part.at(1).toInt()), Days(part.value(2).toInt())));
        }
        list.RearmAll(Base.addSecs(-3600));
        DueDispatcher dispatcher(list);
        QStringList got;
        for (const QString& step : script.split(' ')) {
            if (step == "s") {
                got << Name(list.FindAffair(dispatcher.Showing()));
            } else if (step.startsWith('t')) {
                got << Name(dispatcher.Tick(Base.toSecsSinceEpoch() + step.mid(1).toInt()));
            } else if (step == "d") {
                got << Name(dispatcher.Dismissed());
            } else if (step == "p") {
                dispatcher.PreviewShown();
            } else if (step.startsWith('h')) {
                got << Name(dispatcher.SetHeld(step.mid(3), step.at(1) == '+'));
            } else if (step == "c") {
                got << QString::number(dispatcher.HeldCount());
            } else if (step.startsWith("n:")) {
                got << Name(dispatcher.ShowNow(step.mid(2).split(',')));
            } else {
                list.RemoveAffair(step.mid(2));
            }
        }
        QCOMPARE(got.join(' '), answers);
    }

    // A year of reminders, clicked away as they come: every occurrence of every event is shown
    // exactly once, on time, or when a tick comes late (the machine busy or asleep), late but once.
    void simulatedYear()
    {
        constexpr int maxLate = 50;
        // First moment and year, month, day, hour, minute counts: once-only events, calendar ones far
        // back (found by the search) and near (stepped), and elapsed ones.
        const char* plans[] = {
            "2027-03-05T10:15 0,0,0,0,0", "2027-10-31T09:00 0,0,0,0,0", "2026-06-01T08:00 0,0,0,0,0",
            "2026-12-25T08:00 0,0,1,0,0", "2005-07-07T17:30 0,0,3,0,0", "2010-01-05T09:00 0,0,14,0,0",
            "2019-01-15T10:00 0,1,0,0,0", "2018-08-20T06:45 0,2,0,0,0", "2021-03-01T12:00 1,0,0,0,0",
            "2026-06-01T00:30 0,0,0,5,0", "2026-11-30T00:00 0,0,0,1,0", "2027-02-01T12:00 0,0,0,0,97",
            "2025-01-01T00:00 0,0,0,0,53"};
        AffairList list;
        for (const QString plan : plans) {
            const QStringList c = plan.section(' ', 1).split(',');
            const AffairPeriod period{c[0].toInt(), c[1].toInt(), c[2].toInt(), c[3].toInt(), c[4].toInt()};
            list.AppendAffair(Event(QString::number(list.Count()),
                                    QDateTime::fromString(plan.left(16), Qt::ISODate), period));
        }
        list.RearmAll(YearStart);
        DueDispatcher dispatcher(list);
        QRandomGenerator random(2027);
        QMap<QString, QList<qint64>> shown;
        for (qint64 last = 0;;) {
            qint64 next = YearEnd.toSecsSinceEpoch();
            for (int i = 0; i < list.Count(); ++i) {
                next = list.At(i).IsArmed() ? qMin(next, list.At(i).NextSecs()) : next;
            }
            if (next >= YearEnd.toSecsSinceEpoch()) {
                break;
            }
            // A tick that moves nothing on would leave this loop going round for ever.
            QVERIFY(next > last);
            last = next;
            const qint64 t = next + (random.bounded(3) == 0 ? random.bounded(1, maxLate) : 0);
            for (AffairInfo r = dispatcher.Tick(t); !r.GetAffairID().isEmpty(); r = dispatcher.Dismissed()) {
                shown[r.GetAffairID()] << t;
            }
        }
        for (int i = 0; i < list.Count(); ++i) {
            const QList<qint64> expected = Occurrences(list.At(i));
            const QList<qint64> got = shown.value(QString::number(i));
            QVERIFY(!got.isEmpty() || i == 2);
            QVERIFY2(std::equal(got.begin(), got.end(), expected.begin(), expected.end(),
                                [](qint64 g, qint64 e) { return g >= e && g < e + maxLate; }),
                     qPrintable(QString::number(i)));
        }
    }

    // A daily 09:00 event armed in Berlin falls due at 09:00 in London once the zone changes.
    void zoneChangeReArms()
    {
        AffairList list;
        list.AppendAffair(Event("d", At(2026, 3, 2, 9, 0), Days(1)));
        list.RearmAll(At(2026, 3, 3, 6, 0));
        DueDispatcher dispatcher(list);
        TestEnv::setTimeZone("Europe/London");
        MockClock::set(At(2026, 3, 3, 8, 59).addSecs(59));
        QCOMPARE(Name(dispatcher.Tick()), "-");
        MockClock::advance(1);
        QCOMPARE(Name(dispatcher.Tick()), "d");
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "testdispatch.moc"
