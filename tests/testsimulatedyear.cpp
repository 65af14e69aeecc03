// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "gui/effects/effectshow.h"
#include "core/events/localtime.h"
#include "gui/main/mainwindow.h"
#include "core/picture/picturefile.h"
#include "core/effects/screensize.h"
#include "support/testenv.h"

#include <QDir>
#include <QMap>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {

const QDateTime YearStart(QDate(2027, 1, 1), QTime(0, 0));
const QDateTime YearEnd(QDate(2028, 1, 1), QTime(0, 0));
const char* const Picture = "./data/dap20270101000000";

struct Plan
{
    QString id;
    QDateTime user;
    AffairPeriod period;
};

AffairPeriod P(int y, int mo, int d, int h, int mi)
{
    return AffairPeriod{y, mo, d, h, mi};
}

QDateTime At(int y, int mo, int d, int h, int mi)
{
    return LocalTime::FromIso(
        QDateTime(QDate(y, mo, d), QTime(0, 0)).date().toString(Qt::ISODate) +
        QStringLiteral("T%1:%2:00").arg(h, 2, 10, QLatin1Char('0')).arg(mi, 2, 10, QLatin1Char('0')));
}

// About fifty events of every kind: month-ends, the spring-forward gap, leap days, short and
// long time periods, some begun long ago (placed by the search), some begun this year.
QList<Plan> Events()
{
    QList<Plan> out;
    auto add = [&out](const QDateTime& user, const AffairPeriod& p) {
        out.append({QStringLiteral("e%1").arg(out.size()), user, p});
    };
    const AffairPeriod once = P(0, 0, 0, 0, 0);
    for (int m = 1; m <= 12; m += 2) {
        add(At(2027, m, 3 + m, 9 + m % 5, 15), once);
    }
    add(At(2027, 3, 28, 2, 30), once); // inside the spring-forward gap: 03:30
    add(At(2027, 10, 31, 2, 30), once); // the first of the two 02:30s
    add(At(2024, 2, 29, 7, 0), P(1, 0, 0, 0, 0));
    add(At(2020, 6, 15, 12, 0), P(1, 0, 0, 0, 0));
    add(At(2027, 12, 31, 23, 59), P(1, 0, 0, 0, 0));
    add(At(2026, 2, 28, 8, 0), P(3, 0, 0, 0, 0));
    // Month-ends: far back (multiplied from the 31st) and this year (stepped, drifting).
    add(At(2019, 1, 31, 10, 0), P(0, 1, 0, 0, 0));
    add(At(2019, 3, 30, 18, 0), P(0, 1, 0, 0, 0));
    add(At(2018, 8, 29, 6, 45), P(0, 2, 0, 0, 0));
    add(At(2027, 1, 31, 10, 0), P(0, 1, 0, 0, 0));
    add(At(2027, 1, 30, 20, 0), P(0, 1, 0, 0, 0));
    add(At(2027, 2, 15, 2, 30), P(0, 1, 0, 0, 0));
    add(At(2015, 5, 31, 23, 0), P(0, 3, 0, 0, 0));
    add(At(2027, 1, 4, 9, 0), P(0, 0, 7, 0, 0));
    add(At(2010, 1, 5, 9, 0), P(0, 0, 14, 0, 0));
    add(At(2026, 12, 25, 2, 30), P(0, 0, 1, 0, 0)); // daily through the gap
    add(At(2001, 1, 1, 0, 0), P(0, 0, 1, 0, 0));
    add(At(2027, 3, 20, 2, 30), P(0, 0, 1, 0, 0));
    add(At(2027, 10, 25, 2, 30), P(0, 0, 1, 0, 0)); // daily through the repeated hour
    add(At(2005, 7, 7, 17, 30), P(0, 0, 3, 0, 0));
    add(At(2027, 1, 5, 8, 0), P(0, 0, 0, 36, 0));
    add(At(2012, 4, 1, 20, 0), P(0, 0, 0, 36, 0));
    add(At(2027, 1, 2, 1, 0), P(0, 0, 0, 25, 0));
    add(At(2026, 11, 30, 0, 0), P(0, 0, 0, 1, 0));
    add(At(2026, 6, 1, 0, 30), P(0, 0, 0, 5, 0));
    add(At(2027, 3, 27, 22, 0), P(0, 0, 0, 2, 0)); // begins the evening before spring forward
    add(At(2027, 10, 30, 23, 0), P(0, 0, 0, 3, 0));
    add(At(2025, 1, 1, 0, 0), P(0, 0, 0, 0, 53));
    add(At(2027, 2, 1, 12, 0), P(0, 0, 0, 0, 97));
    add(At(2020, 3, 29, 1, 59), P(0, 0, 0, 7, 0));
    add(At(2026, 10, 1, 9, 0), P(0, 0, 0, 0, 600));
    while (out.size() < 50) {
        const int i = out.size();
        add(At(2026 - i % 7, 1 + i % 12, 1 + i % 28, i % 24, (i * 7) % 60), P(0, 0, 0, 0, 0));
        out.last().period = i % 3 == 0 ? P(0, 0, 0, 11 + i, 0) : i % 3 == 1 ? P(0, 0, 2 + i % 5, 0, 0) : P(0, 1, 0, 0, 0);
    }
    return out;
}

qint64 Secs(const QDateTime& dt)
{
    return LocalTime::Seconds(dt);
}

// The occurrences of one event in the year, stepped period by period with the calendar's own
// arithmetic: calendar counts on the wall clock, time counts shorter than a day as elapsed
// seconds, longer ones as whole calendar days and the rest elapsed. An event begun fewer than
// twenty periods back steps from the previous occurrence (so month-ends drift to the 28th); one
// begun longer ago counts each occurrence from its first moment.
QList<qint64> Occurrences(const Plan& e)
{
    QList<qint64> out;
    const AffairPeriod& p = e.period;
    if (p.IsOnce()) {
        if (Secs(e.user) >= Secs(YearStart) && Secs(e.user) < Secs(YearEnd)) {
            out.append(Secs(e.user));
        }
        return out;
    }
    const qint64 span = qint64(p.hour) * 3600 + p.minute * 60;
    auto step = [&](const QDate& d0, const QTime& t0, qint64 k, QDate* d, QTime* t) -> qint64 {
        QDate date = d0.addYears(int(p.year * k)).addMonths(int(p.month * k)).addDays(p.day * k);
        *t = t0;
        if (p.year == 0 && p.month == 0 && p.day == 0 && span < 86400) {
            *d = date;
            return Secs(LocalTime::Make(d0, t0)) + k * span;
        }
        date = date.addDays(k * span / 86400);
        *d = date;
        return Secs(LocalTime::Make(date, t0)) + (k * span) % 86400;
    };
    QDate d;
    QTime t;
    const bool stepping = step(e.user.date(), e.user.time(), 20, &d, &t) > Secs(YearEnd);
    if (Secs(e.user) > Secs(YearStart) && Secs(e.user) < Secs(YearEnd)) {
        out.append(Secs(e.user));
    }
    QDate prevDate = e.user.date();
    QTime prevTime = e.user.time();
    qint64 prevSecs = Secs(e.user);
    for (qint64 k = 1; prevSecs < Secs(YearEnd); ++k) {
        qint64 s;
        if (stepping) {
            s = step(prevDate, prevTime, 1, &d, &t);
            if (span % 86400 != 0 && p.year == 0 && p.month == 0 && p.day == 0 && span < 86400) {
                const QDateTime moved = QDateTime::fromSecsSinceEpoch(s);
                d = moved.date();
                t = moved.time();
            }
            prevDate = d;
            prevTime = t;
        } else {
            s = step(e.user.date(), e.user.time(), k, &d, &t);
        }
        prevSecs = s;
        if (s > Secs(YearStart) && s < Secs(YearEnd)) {
            out.append(s);
        }
    }
    return out;
}

} // namespace

// A year of reminders through the clock seam: every occurrence of every event is shown exactly
// once, on time, and when ticks are skipped, late but still once.
class TestSimulatedYear : public QObject
{
    Q_OBJECT

    void runYear(double skipShare, int maxLate)
    {
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        QImage image(ScreenSize::get(), QImage::Format_RGB16);
        image.fill(Qt::blue);
        QCOMPARE(PictureFile::Write(Picture, image), 0);
        AffairList list;
        const QList<Plan> plans = Events();
        for (const Plan& e : plans) {
            AffairInfo a;
            a.SetInfo(e.id, e.id, e.user, e.period.year, e.period.month, e.period.day, e.period.hour,
                      e.period.minute);
            a.SetPicPath(Picture);
            a.SetEffect({int(e.id.size() % 4), 1});
            list.AppendAffair(a);
        }
        Clock::setMock(YearStart);
        QVERIFY(AffairStore().SaveAffairs(list));

        MainWindow window;
        window.InitWindow();
        QRandomGenerator random(2027);
        QMap<QString, QList<qint64>> shown;
        int ticks = 0;
        for (;;) {
            qint64 next = std::numeric_limits<qint64>::max();
            for (int i = 0; i < window.Affairs().Count(); ++i) {
                const AffairInfo a = window.Affairs().At(i);
                if (a.IsArmed()) {
                    next = qMin(next, a.NextSecs());
                }
            }
            if (next >= Secs(YearEnd)) {
                break;
            }
            // A skipped tick: the machine was busy or asleep for a while.
            const qint64 t = next + (random.generateDouble() < skipShare ? random.bounded(1, maxLate) : 0);
            Clock::setMock(QDateTime::fromSecsSinceEpoch(t));
            window.eventdispose();
            ++ticks;
            while (window.EffectWindow()) {
                shown[window.ShowingEvent()].append(t);
                window.EffectOver();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        int total = 0;
        for (const Plan& e : plans) {
            const QList<qint64> expected = Occurrences(e);
            const QList<qint64> got = shown.value(e.id);
            QVERIFY2(got.size() == expected.size(), qPrintable(QStringLiteral("%1 shown %2 times, %3 expected")
                                                                    .arg(e.id)
                                                                    .arg(got.size())
                                                                    .arg(expected.size())));
            for (int i = 0; i < got.size(); ++i) {
                const qint64 late = got.at(i) - expected.at(i);
                QVERIFY2(late >= 0 && late < maxLate,
                         qPrintable(QStringLiteral("%1 occurrence at %2 shown at %3")
                                        .arg(e.id, QDateTime::fromSecsSinceEpoch(expected.at(i)).toString(),
                                             QDateTime::fromSecsSinceEpoch(got.at(i)).toString())));
            }
            total += got.size();
        }
        qInfo() << total << "reminders shown in" << ticks << "ticks";
    }

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        ScreenSize::setOverride(QSize(64, 48));
    }
    void cleanup() { Clock::reset(); }

    void everyOccurrenceShownOnce() { runYear(0.0, 1); }
    void skippedTicksShowLateButOnce() { runYear(0.3, 50); }

    void manyPreviews()
    {
        // Run under the sanitizers, this shows the windows of thousands of previews are freed.
        TestEnv::ScratchDir dir;
        QDir().mkpath("data");
        AffairList list;
        AffairInfo a;
        a.SetInfo("p", "p", YearEnd, 0, 0, 1, 0, 0);
        a.SetPicPath(Picture);
        a.SetEffect({2, 0});
        list.AppendAffair(a);
        Clock::setMock(YearStart);
        QVERIFY(AffairStore().SaveAffairs(list));
        MainWindow window;
        window.InitWindow();
        window.findChild<QTableWidget*>("tableWidget")->setCurrentCell(0, 0);
        for (int i = 0; i < 2000; ++i) {
            window.on_PreView_clicked();
            if (i % 2) {
                window.EffectOver();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.EffectWindow());
        QCOMPARE(window.Affairs().At(0).NextSecs(), Secs(YearEnd));
    }
};

QTEST_MAIN(TestSimulatedYear)
#include "testsimulatedyear.moc"
