// SPDX-License-Identifier: GPL-3.0-or-later
// Event core figures: the due-time search, the once-a-second due pass, and loading a store.
#include "core/events/affairlist.h"
#include "core/events/affairstore.h"
#include "mock/MockClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

namespace {

// Today's way, kept for comparison: every conversion goes through Qt's local time, which asks
// the C library (and that re-reads the zone file on each call when TZ is unset).
namespace Today {

bool isSet(const QDateTime& dt)
{
    return dt.date().isValid() && dt.time().isValid();
}

qint64 seconds(const QDateTime& dt)
{
    return isSet(dt) ? dt.toSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

QDateTime normalized(const QDateTime& dt)
{
    return dt.isValid() || !isSet(dt) ? dt : QDateTime::fromSecsSinceEpoch(dt.toSecsSinceEpoch());
}

QDateTime stripMSecs(const QDateTime& dt)
{
    const QTime t = dt.time();
    if (!isSet(dt) || t.msec() == 0) {
        return dt;
    }
    return dt.isValid() ? dt.addMSecs(-t.msec())
                        : QDateTime(dt.date(), QTime(t.hour(), t.minute(), t.second()), dt.timeSpec());
}

QDateTime make(const QDate& date, const QTime& time)
{
    const QDateTime dt(date, time);
    if (!dt.isValid()) {
        return dt;
    }
    const QDateTime earlier = QDateTime::fromMSecsSinceEpoch(dt.toMSecsSinceEpoch() - 3600 * 1000);
    return earlier.date() == date && earlier.time() == time ? earlier : dt;
}

QDateTime fromIso(const QString& text)
{
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    if (parsed.isValid()) {
        const QDateTime local = parsed.timeSpec() == Qt::LocalTime ? parsed : parsed.toLocalTime();
        return make(local.date(), local.time());
    }
    const int t = text.indexOf(QLatin1Char('T'));
    const QDate date = QDate::fromString(text.left(t), Qt::ISODate);
    const QTime time = QTime::fromString(text.mid(t + 1), Qt::ISODate);
    return t < 0 || !date.isValid() || !time.isValid() ? parsed : make(date, time);
}

QDateTime addPeriod(const QDateTime& base, const AffairPeriod& p, qint64 count)
{
    if (!isSet(base)) {
        return QDateTime();
    }
    QDate date = base.date();
    if (p.year > 0) {
        date = date.addYears(int(p.year * count));
    }
    if (p.month > 0) {
        date = date.addMonths(int(p.month * count));
    }
    if (p.day > 0) {
        date = date.addDays(p.day * count);
    }
    const qint64 total = count * (qint64(p.hour) * 3600 + qint64(p.minute) * 60);
    date = date.addDays(total / 86400);
    const QDateTime wall = date == base.date() ? base : make(date, base.time());
    return total % 86400 == 0 ? wall : QDateTime::fromSecsSinceEpoch(seconds(wall) + total % 86400);
}

// The search as it stands, with today's conversions; returns whether the event is active.
bool computeNextTime(QDateTime* user, const AffairPeriod& P, const QDateTime& nowIn, QDateTime* nextOut,
                     qint64* nextSecs)
{
    const qint64 now = seconds(stripMSecs(nowIn));
    *user = stripMSecs(*user);
    const QDateTime U = *user;
    const qint64 span = qint64(P.hour) * 3600 + qint64(P.minute) * 60;
    const bool elapsed = P.year == 0 && P.month == 0 && P.day == 0 && span < 86400;
    const qint64 base = seconds(U);
    auto multiple = [&](qint64 k) {
        return elapsed ? QDateTime::fromSecsSinceEpoch(base + k * span) : addPeriod(U, P, k);
    };
    auto before = [&](const QDateTime& n) {
        return elapsed ? seconds(n) - span : seconds(addPeriod(n, P, -1));
    };
    auto settle = [&](const QDateTime& n) {
        *nextOut = normalized(n);
        *nextSecs = seconds(n);
        return true;
    };
    const QDateTime T = P.IsOnce() ? QDateTime() : multiple(20);
    if (now < seconds(U)) {
        return settle(U);
    }
    if (P.IsOnce()) {
        *nextOut = normalized(U);
        return false;
    }
    QDateTime next = U;
    if (now < seconds(T)) {
        while (seconds(next) <= now) {
            next = addPeriod(next, P, 1);
        }
        return settle(next);
    }
    qint64 k = 1;
    do {
        k *= 2;
        next = multiple(k);
    } while (seconds(next) <= now);
    if (before(next) <= now) {
        return settle(next);
    }
    qint64 lo = k / 2;
    qint64 hi = k;
    while (hi - lo > 1) {
        const qint64 mid = (lo + hi) / 2;
        next = multiple(mid);
        if (seconds(next) <= now) {
            lo = mid;
        } else if (before(next) <= now) {
            return settle(next);
        } else {
            hi = mid;
        }
    }
    return settle(multiple(hi));
}

struct Record
{
    QDateTime user;
    AffairPeriod period;
    QDateTime next;
    qint64 nextSecs = 0;
};

// Load then RearmAll as they stand: a clock read per record while loading.
int loadAndRearm(const QString& file)
{
    QSettings settings(file, QSettings::IniFormat);
    const int n = settings.value(QStringLiteral("num")).toInt();
    auto key = [](int i, const char* name) {
        return QStringLiteral("/Event_%1/%2").arg(i).arg(QLatin1String(name));
    };
    QList<Record> records;
    for (int i = 1; i <= n; ++i) {
        Record r;
        for (const char* name : {"AffairID", "AffairTitle", "PicPath", "EffectType", "EffectDirection"}) {
            settings.value(key(i, name));
        }
        r.user = fromIso(settings.value(key(i, "UserDateTime")).toString());
        r.period = AffairPeriod{
            settings.value(key(i, "Period.year")).toInt(), settings.value(key(i, "Period.month")).toInt(),
            settings.value(key(i, "Period.day")).toInt(), settings.value(key(i, "Period.hour")).toInt(),
            settings.value(key(i, "Period.minute")).toInt()};
        computeNextTime(&r.user, r.period, QDateTime::currentDateTime(), &r.next, &r.nextSecs);
        records.append(r);
    }
    const QDateTime now = QDateTime::currentDateTime();
    int armed = 0;
    for (Record& r : records) {
        armed += computeNextTime(&r.user, r.period, now, &r.next, &r.nextSecs) ? 1 : 0;
    }
    return armed;
}

} // namespace Today

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
    MockClock::set(now);
    AffairInfo a = everyMinute(user);

    const int rounds = 200;
    AffairInfo::ResetAddPeriodCalls();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        a.ComputeNextTime(now);
    }
    const double searchMs = msSince(t) / rounds;
    const quint64 calls = AffairInfo::AddPeriodCalls() / rounds;
    const QDateTime found = a.GetNextTime();

    const int todayRounds = 20;
    QDateTime todayUser = user;
    QDateTime todayNext;
    qint64 todaySecs = 0;
    t.restart();
    for (int i = 0; i < todayRounds; ++i) {
        Today::computeNextTime(&todayUser, AffairPeriod{0, 0, 0, 0, 1}, now, &todayNext, &todaySecs);
    }
    const double todayMs = msSince(t) / todayRounds;

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
    const bool same = AffairInfo::AddPeriod(user, p, qint64(steps)) == found && todayNext == found;
    const double stepMs = sampleMs * double(steps) / double(sample);
    std::printf("1. every-minute event 20 years back\n");
    std::printf("   search:   %10.2f us, %llu period additions (target 50 us)%s\n", searchMs * 1000,
                static_cast<unsigned long long>(calls), searchMs * 1000 <= 50 ? "" : "  OVER TARGET");
    std::printf("   today's way: %7.2f us   ratio today/now: %.0fx\n", todayMs * 1000, todayMs / searchMs);
    std::printf("   stepping: %10.1f ms for %llu additions (%.1f ms measured for the first %llu)%s\n", stepMs,
                static_cast<unsigned long long>(steps), sampleMs, static_cast<unsigned long long>(sample),
                same ? "" : "  ANSWERS DIFFER");
    std::printf("   ratio stepping/search: %.0fx\n", stepMs / searchMs);
    std::fflush(stdout);
    MockClock::reset();
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
    std::printf("   DueMask: %10.4f ms   literal: %10.3f ms   ratio: %.0fx (target 1000x with TZ unset)\n",
                fastMs, literalMs, literalMs / fastMs);
}

void loadAndRearm()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("eventinfor.eda");
    AffairList list;
    const QDateTime base(QDate(2020, 1, 1), QTime(8, 0));
    for (int i = 0; i < 1000; ++i) {
        AffairInfo a;
        a.SetInfo(QString::number(i), QStringLiteral("Event number %1, with a comma").arg(i),
                  base.addSecs(i * 3607), 0, i % 3 == 0, i % 3 == 1 ? 7 : 0, i % 3 == 2 ? 5 : 0, 0);
        a.SetPicPath(QStringLiteral("./data/dap2020010108%1").arg(i, 4, 10, QLatin1Char('0')));
        a.SetEffect(EffectChoice::FromCodesOrDefault(i % 4, i % 8));
        list.AppendAffair(a);
    }
    AffairStore(file).SaveAffairs(list);
    const int rounds = 10;
    QElapsedTimer t;
    t.start();
    int armed = 0;
    for (int r = 0; r < rounds; ++r) {
        AffairList loaded;
        AffairStore(file).Load(&loaded);
        armed += loaded.RearmAll().count(QLatin1Char('1'));
    }
    const double nowMs = msSince(t) / rounds;
    t.restart();
    int todayArmed = 0;
    for (int r = 0; r < rounds; ++r) {
        todayArmed += Today::loadAndRearm(file);
    }
    const double todayMs = msSince(t) / rounds;
    std::printf("3. Load + RearmAll of a 1,000-event file: %.2f ms (%d armed; target 30 ms)%s\n", nowMs,
                armed / rounds, nowMs <= 30 ? "" : "  OVER TARGET");
    std::printf("   today's way: %.2f ms (%d armed)   ratio today/now: %.1fx\n", todayMs, todayArmed / rounds,
                todayMs / nowMs);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains("--events")) {
        std::printf("== TZ %s\n",
                    qEnvironmentVariableIsSet("TZ") ? qPrintable(qEnvironmentVariable("TZ")) : "unset");
        searchAgainstStepping();
        duePass(qEnvironmentVariableIsSet("TZ") ? "set" : "unset");
        loadAndRearm();
        return 0;
    }
    // The time-zone cost depends on TZ at process start, so each case runs in its own process.
    for (bool tzSet : {false, true}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (tzSet) {
            env.insert("TZ", "Europe/Berlin");
        } else {
            env.remove("TZ");
        }
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {"--events"});
        child.waitForFinished(-1);
    }
    return 0;
}
