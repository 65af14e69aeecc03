// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"

#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "core/storage/datalocation.h"
#include "core/storage/inifile.h"
#include "core/storage/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace {

const QString General;

QString group(int n)
{
    return QStringLiteral("Event_%1").arg(n);
}

// Each event writes at most a dozen keys; a file with many more is none of ours.
constexpr int MaxEntries = AffairStore::MaxEvents * 16 + 64;

bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

// The number of a group "Event_N" as the store writes it (no sign, no leading zero); 0 for
// any other name, -1 for a number beyond every list.
int eventNumber(const QString& section)
{
    if (!section.startsWith(QLatin1String("Event_"))) {
        return 0;
    }
    const QStringView digits = QStringView(section).mid(6);
    if (digits.isEmpty() || digits.startsWith(QLatin1Char('0'))) {
        return 0;
    }
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return 0;
        }
    }
    const int n = digits.size() <= 5 ? digits.toInt() : -1;
    return n <= AffairStore::MaxEvents ? n : -1;
}

} // namespace

QString AffairStore::DefaultPath()
{
    return DataLocation::DataFolder() + QStringLiteral("/eventinfor.eda");
}

AffairStore::AffairStore(const QString& fileName) : Name(fileName) {}

QString AffairStore::FileName() const
{
    return Name;
}

QString AffairStore::Target() const
{
    const QFileInfo info(Name);
    if (!info.isSymLink()) {
        return Name;
    }
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

bool AffairStore::Parse(const QByteArray& bytes, AffairList* out, QString* error)
{
    *out = AffairList();
    IniFile ini;
    if (!ini.Parse(bytes, MaxEntries, error)) {
        return false;
    }
    // Every group there, whatever num says: a count too small must not hide the groups after
    // it (the next save would write them away), nor one too large invent empty records.
    QMap<int, QString> groups;
    for (const QString& section : ini.Sections()) {
        const int n = eventNumber(section);
        if (n < 0) {
            return fail(
                error, tr("It holds an event numbered beyond %1, more than Pennibell keeps.").arg(MaxEvents));
        }
        if (n > 0) {
            groups.insert(n, section);
        }
    }
    if (groups.isEmpty() && !ini.Contains(General, QStringLiteral("num")) && ini.EntryCount() > 0) {
        return fail(error, tr("It is not a Pennibell event list."));
    }

    for (const QString& section : std::as_const(groups)) {
        auto value = [&](const char* key) { return ini.Value(section, QLatin1String(key)); };
        AffairInfo record;
        record.SetInfo(value("AffairID"), value("AffairTitle"), LocalTime::FromIso(value("UserDateTime")),
                       value("Period.year").toInt(), value("Period.month").toInt(),
                       value("Period.day").toInt(), value("Period.hour").toInt(),
                       value("Period.minute").toInt());
        record.SetPicPath(value("PicPath"));
        bool typeOk = false;
        bool directionOk = false;
        const int type = value("EffectType").toInt(&typeOk);
        const int direction = value("EffectDirection").toInt(&directionOk);
        record.SetEffect(EffectChoice::FromCodesOrDefault(typeOk && directionOk ? type : -1, direction));
        record.SetCalendarUid(value("CalendarUid"));
        const QDateTime snooze = QDateTime::fromString(value("Snooze"), Qt::ISODate);
        if (snooze.isValid()) {
            record.SetSnooze(snooze.toSecsSinceEpoch());
        }
        out->AppendAffair(record);
    }
    return true;
}

bool AffairStore::Text(const AffairList& list, QByteArray* out, QString* error)
{
    if (list.Count() > MaxEvents) {
        return fail(error, tr("A list holds at most %1 events.").arg(MaxEvents));
    }
    IniFile ini;
    ini.Set(General, QStringLiteral("num"), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const QString section = group(i + 1);
        const AffairInfo r = list.At(i);
        const AffairPeriod p = r.GetPeriod();
        const EffectChoice effect = r.GetEffect();
        ini.Set(section, QStringLiteral("AffairID"), r.GetAffairID());
        ini.Set(section, QStringLiteral("AffairTitle"), r.GetAffairTitle());
        ini.Set(section, QStringLiteral("UserDateTime"), LocalTime::ToIso(r.GetUserDateTime()));
        ini.Set(section, QStringLiteral("Period.year"), p.year);
        ini.Set(section, QStringLiteral("Period.month"), p.month);
        ini.Set(section, QStringLiteral("Period.day"), p.day);
        ini.Set(section, QStringLiteral("Period.hour"), p.hour);
        ini.Set(section, QStringLiteral("Period.minute"), p.minute);
        ini.Set(section, QStringLiteral("PicPath"), r.GetPicPath());
        ini.Set(section, QStringLiteral("EffectType"), QString::number(effect.kind));
        ini.Set(section, QStringLiteral("EffectDirection"), QString::number(effect.direction));
        if (!r.GetCalendarUid().isEmpty()) {
            ini.Set(section, QStringLiteral("CalendarUid"), r.GetCalendarUid());
        }
        // Only while set, and in UTC: a snooze is a moment, not a wall-clock time, and readers
        // that do not know the key see the file they always saw.
        if (r.SnoozeSecs() != 0) {
            ini.Set(section, QStringLiteral("Snooze"),
                    QDateTime::fromSecsSinceEpoch(r.SnoozeSecs(), Qt::UTC).toString(Qt::ISODate));
        }
    }
    *out = ini.Text();
    if (out->size() > MaxFileBytes) {
        out->clear();
        return fail(error, tr("The list would be larger than the %1 MB Pennibell reads back. "
                              "Shorten some titles or remove events you no longer need.")
                               .arg(MaxFileBytes / (1024 * 1024)));
    }
    return true;
}

bool AffairStore::Read(QByteArray* bytes, AffairList* events, QString* error) const
{
    const QFileInfo info(Name);
    if (info.isSymLink() && info.canonicalFilePath().isEmpty()) {
        return fail(error, tr("It is a link to %1, which does not exist.")
                               .arg(QDir::toNativeSeparators(info.symLinkTarget())));
    }
    // The target of a link, read as a file itself: a FIFO or device never is.
    return SafeFile::Read(Target(), MaxFileBytes, bytes, error) && Parse(*bytes, events, error);
}

bool AffairStore::Load(AffairList* out, QString* error)
{
    *out = AffairList();
    const QFileInfo info(Name);
    if (!info.exists() && !info.isSymLink()) {
        return true;
    }
    QByteArray bytes;
    AffairList events;
    QString why;
    if (Read(&bytes, &events, &why)) {
        *out = events;
        return true;
    }
    // Kept under a name that says what happened; the link itself when it is one.
    const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = Name + QStringLiteral(".unreadable-") + stamp;
    for (int k = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++k) {
        aside = Name + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(k);
    }
    const QString shown = QDir::toNativeSeparators(QFileInfo(Name).absoluteFilePath());
    QString moveError;
    if (!SafeFile::Rename(Name, aside, &moveError)) {
        return fail(error, tr("The event list %1 cannot be read: %2\nIt could not be moved aside either "
                              "(%3), so Pennibell saves no change over it.")
                               .arg(shown, why, moveError));
    }
    return fail(error, tr("The event list %1 cannot be read: %2\nIt was kept as %3. Pennibell starts "
                          "with an empty list.")
                           .arg(shown, why, QDir::toNativeSeparators(QFileInfo(aside).absoluteFilePath())));
}

bool AffairStore::SaveAffairs(const AffairList& list, QString* error)
{
    QByteArray bytes;
    QString why;
    if (!Text(list, &bytes, error)) {
        return false;
    }
    if (!SafeFile::Write(Target(), bytes, &why)) {
        return fail(error, tr("The events could not be saved to %1: %2")
                               .arg(QDir::toNativeSeparators(QFileInfo(Name).absoluteFilePath()), why));
    }
    return true;
}
