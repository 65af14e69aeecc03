// SPDX-License-Identifier: GPL-3.0-or-later
// Event core figures: the due-time search, the once-a-second due pass, and loading a store.
#include "core/events/affairlist.h"
#include "core/events/affairstore.h"
#include "core/events/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

AffairInfo everyMinute(const QDateTime& user)
{
    AffairInfo a;
    a.SetInfo("bench", "bench", user, 0, 0, 0, 0, 1);
    return a;
}

double msSince(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

void searchAgainstStepping()
{
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 34, 56));
    const QDateTime user = now.addYears(-20);
    Clock::setMock(now);
    AffairInfo a = everyMinute(user);

    const int rounds = 50;
    AffairInfo::ResetAddPeriodCalls();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        a.ComputeNextTime(now);
    }
    const double searchMs = msSince(t) / rounds;
    const quint64 calls = AffairInfo::AddPeriodCalls() / rounds;
    const QDateTime found = a.GetNextTime();

    // Stepping one period at a time with the same date arithmetic. All ten million steps
    // take minutes, so the first 200,000 are timed and the whole walk is counted by the
    // same arithmetic the search uses.
    AffairPeriod p;
    p.minute = 1;
    const quint64 sample = 200000;
    t.restart();
    QDateTime next = user;
    for (quint64 i = 0; i < sample; ++i) {
        next = AffairInfo::AddPeriod(next, p, 1);
    }
    const double sampleMs = msSince(t);
    const quint64 steps = quint64((found.toSecsSinceEpoch() - user.toSecsSinceEpoch()) / 60);
    const bool same = AffairInfo::AddPeriod(user, p, qint64(steps)) == found;
    const double stepMs = sampleMs * double(steps) / double(sample);
    std::printf("1. every-minute event 20 years back\n");
    std::printf("   search:   %10.4f ms, %llu period additions\n", searchMs, static_cast<unsigned long long>(calls));
    std::printf("   stepping: %10.1f ms for %llu additions (%.1f ms measured for the first %llu)%s\n", stepMs,
                static_cast<unsigned long long>(steps), sampleMs, static_cast<unsigned long long>(sample),
                same ? "" : "  ANSWERS DIFFER");
    std::printf("   ratio stepping/search: %.0fx\n", stepMs / searchMs);
    std::fflush(stdout);
    Clock::reset();
}

void duePass(const char* label)
{
    const int n = 10000;
    AffairList list;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < n; ++i) {
        list.AppendAffair(everyMinute(now.addDays(1 + i % 300)));
    }
    list.RearmAll();
    QList<QDateTime> nextTimes;
    for (int i = 0; i < n; ++i) {
        nextTimes.append(list.At(i).GetNextTime());
    }

    const int rounds = 200;
    QElapsedTimer t;
    t.start();
    int due = 0;
    for (int r = 0; r < rounds; ++r) {
        due += list.DueMask().count(QLatin1Char('1'));
    }
    const double fastMs = msSince(t) / rounds;

    // The literal pass: a clock read and a date-time comparison per record.
    const int literalRounds = 5;
    t.restart();
    for (int r = 0; r < literalRounds; ++r) {
        for (int i = 0; i < n; ++i) {
            QDateTime current = QDateTime::currentDateTime();
            current = current.addMSecs(-current.time().msec());
            due += current == nextTimes.at(i) ? 1 : 0;
        }
    }
    const double literalMs = msSince(t) / literalRounds;
    std::printf("2. one due pass over %d armed events, none due, TZ %s (%d due)\n", n, label, due);
    std::printf("   DueMask: %10.4f ms   literal: %10.3f ms   ratio: %.0fx (target 1000x with TZ unset)\n", fastMs,
                literalMs, literalMs / fastMs);
}

void loadAndRearm()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("eventinfor.eda");
    AffairList list;
    const QDateTime base(QDate(2020, 1, 1), QTime(8, 0));
    for (int i = 0; i < 1000; ++i) {
        AffairInfo a;
        a.SetInfo(QString::number(i), QStringLiteral("Event number %1, with a comma").arg(i), base.addSecs(i * 3607),
                  0, i % 3 == 0, i % 3 == 1 ? 7 : 0, i % 3 == 2 ? 5 : 0, 0);
        a.SetPicPath(QStringLiteral("./data/dap2020010108%1").arg(i, 4, 10, QLatin1Char('0')));
        a.SetEffect({i % 4, i % 8});
        list.AppendAffair(a);
    }
    AffairStore(file).SaveAffairs(list);
    const int rounds = 10;
    QElapsedTimer t;
    t.start();
    int armed = 0;
    for (int r = 0; r < rounds; ++r) {
        AffairList loaded = AffairStore(file).LoadAffairs();
        armed += loaded.RearmAll().count(QLatin1Char('1'));
    }
    std::printf("3. LoadAffairs + RearmAll of a 1,000-event file: %.2f ms (%d armed)\n", msSince(t) / rounds,
                armed / rounds);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains("--due-pass")) {
        duePass(qEnvironmentVariableIsSet("TZ") ? "set" : "unset");
        return 0;
    }
    searchAgainstStepping();
    // The time-zone cost depends on TZ at process start, so each case runs in its own process.
    for (bool tzSet : {true, false}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (tzSet) {
            env.insert("TZ", "Europe/Berlin");
        } else {
            env.remove("TZ");
        }
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {"--due-pass"});
        child.waitForFinished(-1);
    }
    loadAndRearm();
    return 0;
}
