// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/duedispatcher.h"
#include "support/eventbuilder.h"

#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

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
        const QDate date =
            first.date().addYears(p.year * k).addMonths(p.month * k).addDays(qint64(p.day) * k);
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
    void queue_data();
    void queue();
    void simulatedYear_data();
    void simulatedYear();
};

void TestDispatch::queue_data()
{
    // events: "id@s" falls due s seconds after Base once, "id@s/n" then every n days.
    // script, answered step by step: "tS" a tick at Base + S (what goes on screen, "-" nothing),
    // "d" the reminder clicked away (what follows), "s" what is showing, "p" a preview takes the
    // screen, "x:id" the event deleted, "n:a,b" events put on screen from elsewhere.
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answers");
    QTest::newRow("in its own second") << "a@0"
                                       << "t-1 t0 t1 s d"
                                       << "- a - a -";
    QTest::newRow("late tick still shows once") << "a@0"
                                                << "t7 t8"
                                                << "a -";
    QTest::newRow("same second: in list order") << "a@0 b@0 c@60"
                                                << "t0 d s d t60"
                                                << "a b b - c";
    QTest::newRow("newly due go first") << "a@0 b@0 c@5 d@5"
                                        << "t0 t5 d d d"
                                        << "a c d b -";
    QTest::newRow("waits only once") << "a@0/1 b@0/1 c@0"
                                     << "t0 t86400 t172800 d d d"
                                     << "a a a b c -";
    QTest::newRow("deleted while waiting") << "a@0 b@0 c@0"
                                           << "t0 x:b d d"
                                           << "a c -";
    QTest::newRow("all deleted") << "a@0 b@0 c@0"
                                 << "t0 x:b x:c d s"
                                 << "a - -";
    QTest::newRow("preview is no reminder") << "a@0 b@0"
                                            << "t0 p s d s"
                                            << "a - b b";
    QTest::newRow("nothing to dismiss") << "a@0"
                                        << "d s"
                                        << "- -";
    QTest::newRow("from elsewhere, unknown skipped") << "a@0 b@0 c@0"
                                                     << "t0 n:z,c,c d d"
                                                     << "a c b -";
    QTest::newRow("from elsewhere, none known") << "a@0"
                                                << "t0 n:z s"
                                                << "a - a";
}

void TestDispatch::queue()
{
    QFETCH(QString, events);
    QFETCH(QString, script);
    QFETCH(QString, answers);
    AffairList list;
    for (const QString& e : events.split(' ')) {
        const QStringList part = e.split(QRegularExpression(QStringLiteral("[@/]")));
        list.AppendAffair(Event(part.at(0), Base.addSecs(part.at(1).toInt()), Days(part.value(2).toInt())));
    }
    list.RearmAll(Base.addSecs(-3600));
    DueDispatcher dispatcher(list);
    QStringList got;
    for (const QString& step : script.split(' ')) {
        if (step.startsWith('t')) {
            got << Name(dispatcher.Tick(Base.toSecsSinceEpoch() + step.mid(1).toInt()));
        } else if (step == "d") {
            got << Name(dispatcher.Dismissed());
        } else if (step == "s") {
            got << (dispatcher.Showing().isEmpty() ? QStringLiteral("-") : dispatcher.Showing());
        } else if (step == "p") {
            dispatcher.PreviewShown();
        } else if (step.startsWith("n:")) {
            got << Name(dispatcher.ShowNow(step.mid(2).split(',')));
        } else {
            list.RemoveAffair(step.mid(2));
        }
    }
    QCOMPARE(got.join(' '), answers);
}

void TestDispatch::simulatedYear_data()
{
    QTest::addColumn<double>("skipShare"); // ticks that come late: the machine busy or asleep
    QTest::addColumn<int>("maxLate");
    QTest::newRow("every tick on time") << 0.0 << 1;
    QTest::newRow("a third late") << 0.3 << 50;
}

// A year of reminders, clicked away as they come: every occurrence of every event is shown
// exactly once, on time, or when ticks come late, late but still once.
void TestDispatch::simulatedYear()
{
    QFETCH(double, skipShare);
    QFETCH(int, maxLate);
    const QList<QPair<QDateTime, AffairPeriod>> plans = {
        {At(2027, 3, 5, 10, 15), {}},
        {At(2027, 10, 31, 9, 0), {}},
        {At(2026, 6, 1, 8, 0), {}},
        {At(2026, 12, 25, 8, 0), Days(1)},
        {At(2005, 7, 7, 17, 30), Days(3)},
        {At(2010, 1, 5, 9, 0), Days(14)},
        {At(2019, 1, 15, 10, 0), {0, 1, 0, 0, 0}},
        {At(2018, 8, 20, 6, 45), {0, 2, 0, 0, 0}},
        {At(2021, 3, 1, 12, 0), {1, 0, 0, 0, 0}},
        {At(2026, 6, 1, 0, 30), {0, 0, 0, 5, 0}},
        {At(2026, 11, 30, 0, 0), {0, 0, 0, 1, 0}},
        {At(2027, 2, 1, 12, 0), {0, 0, 0, 0, 97}},
        {At(2025, 1, 1, 0, 0), {0, 0, 0, 0, 53}},
    };
    AffairList list;
    for (const auto& [first, period] : plans) {
        list.AppendAffair(Event(QString::number(list.Count()), first, period));
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
        const qint64 t = next + (random.generateDouble() < skipShare ? random.bounded(1, maxLate) : 0);
        for (AffairInfo r = dispatcher.Tick(t); !r.GetAffairID().isEmpty(); r = dispatcher.Dismissed()) {
            shown[r.GetAffairID()] << t;
        }
    }
    for (int i = 0; i < list.Count(); ++i) {
        const QList<qint64> expected = Occurrences(list.At(i));
        const QList<qint64> got = shown.value(QString::number(i));
        QCOMPARE(got.size(), expected.size());
        QVERIFY(!got.isEmpty() || i == 2);
        for (int k = 0; k < got.size(); ++k) {
            QVERIFY2(got.at(k) >= expected.at(k) && got.at(k) < expected.at(k) + maxLate,
                     qPrintable(QStringLiteral("event %1, occurrence %2").arg(i).arg(k)));
        }
    }
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "testdispatch.moc"
