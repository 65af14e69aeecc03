// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/localtime.h"

#include "core/events/clock.h"

#include <QTimeZone>
#include <algorithm>
#include <limits>
#include <vector>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr qint64 Day = 86400;
constexpr qint64 EpochJulianDay = 2440588;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

// The wall time as milliseconds since the epoch, as if it were UTC; false far from the
// years the zone's table covers (a damaged record's dates may lie millions of years away).
bool wallMSecs(const QDate& date, const QTime& time, qint64* msecs)
{
    const qint64 days = date.toJulianDay() - EpochJulianDay;
    if (qAbs(days) > 200 * 366) {
        return false;
    }
    *msecs = days * Day * 1000 + time.msecsSinceStartOfDay();
    return true;
}

// The system zone's offsets from UTC, as the moments at which they begin.
class ZoneRules
{
public:
    enum Kind
    {
        Outside,
        Once,
        Twice,
        Gap
    };

    void Load(qint64 nowSecs)
    {
        Starts.clear();
        Offsets.clear();
        const QTimeZone zone = QTimeZone::systemTimeZone();
        if (!zone.isValid()) {
            return;
        }
        const QDateTime from(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
        const QDateTime to(QDate(2100, 1, 1), QTime(0, 0), Qt::UTC);
        std::vector<qint64> starts{from.toSecsSinceEpoch()};
        std::vector<int> offsets{zone.offsetFromUtc(from)};
        for (const QTimeZone::OffsetData& t : zone.transitions(from, to)) {
            starts.push_back(t.atUtc.toSecsSinceEpoch());
            offsets.push_back(t.offsetFromUtc);
        }
        Starts.swap(starts);
        Offsets.swap(offsets);
        End = to.toSecsSinceEpoch();
        // Qt lists a zone's changes only as far as its file spells them out (2037 for most);
        // past the last one the table holds only if Qt's local time sees no change either.
        const qint64 last = Starts.back();
        for (qint64 probe : {last + 91 * Day, last + 182 * Day, last + 273 * Day}) {
            if (probe < End && QDateTime::fromSecsSinceEpoch(probe).offsetFromUtc() != Offsets.back()) {
                End = last;
                break;
            }
        }
        // The C library's zone is the one that counts: where the two disagree, use Qt's local
        // time as before.
        for (qint64 probe : {nowSecs, nowSecs + 182 * Day}) {
            int offset = 0;
            if (OffsetAt(probe, &offset) && QDateTime::fromSecsSinceEpoch(probe).offsetFromUtc() != offset) {
                Starts.clear();
                Offsets.clear();
                return;
            }
        }
    }

    bool OffsetAt(qint64 utc, int* offset) const
    {
        if (Starts.empty() || utc < Starts.front() || utc >= End) {
            return false;
        }
        const auto next = std::upper_bound(Starts.begin(), Starts.end(), utc);
        *offset = Offsets[std::size_t(next - Starts.begin()) - 1];
        return true;
    }

    // How a wall time (seconds, as if UTC) maps to moments; `offset` is that of the first.
    Kind FromWall(qint64 wall, int* offset) const
    {
        // No zone is more than a day away from UTC, and none changes twice within two days.
        int before = 0;
        int after = 0;
        int check = 0;
        if (!OffsetAt(wall - Day, &before) || !OffsetAt(wall + Day, &after) ||
            !OffsetAt(wall - before, &check)) {
            return Outside;
        }
        const bool first = check == before;
        const bool second = before != after && OffsetAt(wall - after, &check) && check == after;
        if (first && second) {
            *offset = qMax(before, after);
            return Twice;
        }
        *offset = first ? before : after;
        return first || second ? Once : Gap;
    }

private:
    std::vector<qint64> Starts;
    std::vector<int> Offsets;
    qint64 End = 0;
};

// What the system zone was read from: TZ, else the system's own setting.
struct Zone
{
    ZoneRules Rules;
    bool Loaded = false;
    QByteArray Tz; // null when unset
    QByteArray Source;
    qint64 CheckedMSecs = 0;
    quint64 Changes = 0;
};

// The program keeps all its work on the user-interface thread.
Zone& zone()
{
    static Zone z;
    return z;
}

// What the system zone is read from when TZ is not set. Checked once a minute, so cheap.
QByteArray systemSource(bool tzSet)
{
#ifdef Q_OS_UNIX
    // The C library reads this file (replaced, or its link moved, when the zone changes).
    struct stat st;
    if (tzSet || ::stat("/etc/localtime", &st) != 0) {
        return QByteArray();
    }
    const qint64 identity[] = {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_mtime), qint64(st.st_size)};
    return QByteArray(reinterpret_cast<const char*>(identity), sizeof identity);
#else
    return tzSet ? QByteArray() : QTimeZone::systemTimeZoneId();
#endif
}

void load(Zone& z, qint64 nowMSecs)
{
    if (z.Loaded) {
        ++z.Changes;
    }
    z.Tz = qgetenv("TZ");
    z.Source = systemSource(!z.Tz.isNull());
    z.CheckedMSecs = nowMSecs;
    z.Rules.Load(floorDiv(nowMSecs, 1000));
    z.Loaded = true;
}

const ZoneRules& rules()
{
    Zone& z = zone();
    if (!z.Loaded) {
        load(z, Clock::nowSecs() * 1000);
    }
    return z.Rules;
}

QDateTime fromMSecs(qint64 msecs)
{
    int offset = 0;
    if (rules().OffsetAt(floorDiv(msecs, 1000), &offset)) {
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset);
    }
    return QDateTime::fromMSecsSinceEpoch(msecs);
}

} // namespace

bool LocalTime::IsSet(const QDateTime& dt)
{
    return dt.date().isValid() && dt.time().isValid();
}

qint64 LocalTime::Seconds(const QDateTime& dt)
{
    if (!IsSet(dt)) {
        return std::numeric_limits<qint64>::min();
    }
    const ZoneRules& zoneRules = rules();
    const Qt::TimeSpec timeKind = dt.timeSpec();
    qint64 wall = 0;
    int offset = 0;
    if (wallMSecs(dt.date(), dt.time(), &wall)) {
        const qint64 wallSecs = floorDiv(wall, 1000);
        if (timeKind == Qt::UTC || timeKind == Qt::OffsetFromUTC) {
            const int own = dt.offsetFromUtc();
            if (zoneRules.OffsetAt(wallSecs - own, &offset) && offset == own) {
                return dt.toSecsSinceEpoch();
            }
            const ZoneRules::Kind kind = zoneRules.FromWall(wallSecs, &offset);
            if (kind == ZoneRules::Once || kind == ZoneRules::Twice) {
                return (wall - qint64(offset) * 1000) / 1000;
            }
            return QDateTime(dt.date(), dt.time()).toSecsSinceEpoch();
        }
        if (timeKind == Qt::LocalTime && dt.isValid() &&
            zoneRules.FromWall(wallSecs, &offset) == ZoneRules::Once) {
            return (wall - qint64(offset) * 1000) / 1000;
        }
    }
    // Qt maps a gap time to the moment after the gap here, as mktime() does.
    return dt.toSecsSinceEpoch();
}

QDateTime LocalTime::FromSecs(qint64 secs)
{
    int offset = 0;
    if (rules().OffsetAt(secs, &offset)) {
        return QDateTime::fromSecsSinceEpoch(secs, Qt::OffsetFromUTC, offset);
    }
    return QDateTime::fromSecsSinceEpoch(secs);
}

quint64 LocalTime::ZoneChanges()
{
    return zone().Changes;
}

QDateTime LocalTime::FromClock(qint64 msecs)
{
    Zone& z = zone();
    const QByteArray tz = qgetenv("TZ");
    if (!z.Loaded || tz.isNull() != z.Tz.isNull() || tz != z.Tz) {
        load(z, msecs);
    } else if (qAbs(msecs - z.CheckedMSecs) >= 60 * 1000) {
        z.CheckedMSecs = msecs;
        if (systemSource(!z.Tz.isNull()) != z.Source) {
            load(z, msecs);
        }
    }
    return fromMSecs(msecs);
}

QDateTime LocalTime::Normalized(const QDateTime& dt)
{
    if (dt.isValid() || !IsSet(dt)) {
        return dt;
    }
    return FromSecs(dt.toSecsSinceEpoch());
}

QDateTime LocalTime::Make(const QDate& date, const QTime& time)
{
    qint64 wall = 0;
    if (date.isValid() && time.isValid() && wallMSecs(date, time, &wall)) {
        int offset = 0;
        const ZoneRules::Kind kind = rules().FromWall(floorDiv(wall, 1000), &offset);
        if (kind == ZoneRules::Once || kind == ZoneRules::Twice) {
            return QDateTime(date, time, Qt::OffsetFromUTC, offset);
        }
    }
    const QDateTime dt(date, time);
    if (!dt.isValid()) {
        return dt; // inside a gap: kept as chosen
    }
    // When the clocks go back a wall time happens twice, and which one the C library picks
    // depends on its previous call. Always take the first.
    const QDateTime earlier = QDateTime::fromMSecsSinceEpoch(dt.toMSecsSinceEpoch() - 3600 * 1000);
    if (earlier.date() == date && earlier.time() == time) {
        return earlier;
    }
    return dt;
}

QDateTime LocalTime::StripMSecs(const QDateTime& dt)
{
    if (!IsSet(dt) || dt.time().msec() == 0) {
        return dt;
    }
    const QTime t = dt.time();
    if (dt.isValid()) {
        return dt.addMSecs(-t.msec());
    }
    return QDateTime(dt.date(), QTime(t.hour(), t.minute(), t.second()), dt.timeSpec());
}

QString LocalTime::ToIso(const QDateTime& dt)
{
    if (!IsSet(dt)) {
        return QString();
    }
    return dt.date().toString(Qt::ISODate) + QLatin1Char('T') +
           dt.time().toString(QStringLiteral("HH:mm:ss"));
}

QDateTime LocalTime::FromIso(const QString& text)
{
    // The form this program writes, read without Qt's local-time conversion.
    if (text.size() == 19 && text.at(10) == QLatin1Char('T')) {
        const QDate date = QDate::fromString(QStringView(text).left(10), Qt::ISODate);
        const QTime time = QTime::fromString(QStringView(text).mid(11), Qt::ISODate);
        if (date.isValid() && time.isValid()) {
            return Make(date, time);
        }
    }
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    if (parsed.isValid()) {
        // A moment written with a zone (by another program) is taken as that moment in local
        // time, so saving it back, without a zone, does not move it.
        const QDateTime local = parsed.timeSpec() == Qt::LocalTime ? parsed : parsed.toLocalTime();
        return Make(local.date(), local.time());
    }
    // A wall time inside a daylight-saving gap: Qt refuses it, the user chose it.
    const int t = text.indexOf(QLatin1Char('T'));
    if (t < 0) {
        return parsed;
    }
    const QDate date = QDate::fromString(text.left(t), Qt::ISODate);
    const QTime time = QTime::fromString(text.mid(t + 1), Qt::ISODate);
    if (!date.isValid() || !time.isValid()) {
        return parsed;
    }
    return Make(date, time);
}
