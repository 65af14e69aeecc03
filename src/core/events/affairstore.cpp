// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"

#include "core/events/localtime.h"
#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace {
QString key(int n, const char* name)
{
    return QStringLiteral("/Event_%1/%2").arg(n).arg(QLatin1String(name));
}
} // namespace

QString AffairStore::DefaultPath()
{
    return DataLocation::DataFolder() + QStringLiteral("/eventinfor.eda");
}

AffairStore::AffairStore() : AffairStore(DefaultPath()) {}

AffairStore::AffairStore(const QString& fileName) : Name(fileName) {}

AffairStore::~AffairStore() = default;

QString AffairStore::FileName() const
{
    return Name;
}

AffairList AffairStore::LoadAffairs()
{
    AffairList list;
    // The settings reader follows links and would wait on a FIFO or read a device for ever.
    if (!SafeFile::SafeToParse(Name, MaxFileBytes)) {
        return list;
    }
    QSettings settings(Name, QSettings::IniFormat);
    int highest = 0;
    QSet<int> present;
    for (const QString& group : settings.childGroups()) {
        bool number = false;
        const int n = group.startsWith(QLatin1String("Event_")) ? group.mid(6).toInt(&number) : 0;
        if (number && n >= 1 && n <= MaxEvents && group.mid(6) == QString::number(n)) {
            present.insert(n);
            highest = qMax(highest, n);
        }
    }
    // A damaged count must neither hide the groups that are there (the next save would write
    // them away) nor invent records beyond them.
    bool usable = false;
    const int num = settings.value(QStringLiteral("num")).toString().trimmed().toInt(&usable);
    const int count = usable && num >= 0 && num <= MaxEvents ? qMin(num, highest) : highest;

    AffairInfo missing;
    missing.SetInfo(QString(), QString(), QDateTime(), 0, 0, 0, 0, 0);
    missing.SetEffect({QString(), QString()});
    const QString empty;
    for (int i = 1; i <= count; ++i) {
        if (!present.contains(i)) {
            list.AppendAffair(missing);
            continue;
        }
        auto value = [&](const char* name) { return settings.value(key(i, name), empty); };
        AffairInfo record;
        record.SetInfo(value("AffairID").toString(), value("AffairTitle").toString(),
                       LocalTime::FromIso(value("UserDateTime").toString()), value("Period.year").toInt(),
                       value("Period.month").toInt(), value("Period.day").toInt(),
                       value("Period.hour").toInt(), value("Period.minute").toInt());
        record.SetPicPath(value("PicPath").toString());
        record.SetEffect({value("EffectType"), value("EffectDirection")});
        const QDateTime snooze = QDateTime::fromString(value("Snooze").toString(), Qt::ISODate);
        if (snooze.isValid()) {
            record.SetSnooze(snooze.toSecsSinceEpoch());
        }
        list.AppendAffair(record);
    }
    return list;
}

bool AffairStore::SaveAffairs(const AffairList& list)
{
    QList<QPair<QString, QVariant>> values;
    values.append({QStringLiteral("num"), list.Count()});
    for (int i = 0; i < list.Count(); ++i) {
        const int n = i + 1;
        const AffairInfo r = list.At(i);
        const AffairPeriod p = r.GetPeriod();
        const QVariantList effect = r.GetEffect();
        values.append({key(n, "AffairID"), r.GetAffairID()});
        values.append({key(n, "AffairTitle"), r.GetAffairTitle()});
        values.append({key(n, "UserDateTime"), LocalTime::ToIso(r.GetUserDateTime())});
        values.append({key(n, "Period.year"), p.year});
        values.append({key(n, "Period.month"), p.month});
        values.append({key(n, "Period.day"), p.day});
        values.append({key(n, "Period.hour"), p.hour});
        values.append({key(n, "Period.minute"), p.minute});
        values.append({key(n, "PicPath"), r.GetPicPath()});
        // A record that never passed through the dialog may lack its effect codes.
        values.append({key(n, "EffectType"), effect.value(0, QStringLiteral("0"))});
        values.append({key(n, "EffectDirection"), effect.value(1, QStringLiteral("0"))});
        // Only while set, and in UTC: a snooze is a moment, not a wall-clock time, and readers
        // that do not know the key see the file they always saw.
        if (r.SnoozeSecs() != 0) {
            values.append({key(n, "Snooze"),
                           QDateTime::fromSecsSinceEpoch(r.SnoozeSecs(), Qt::UTC).toString(Qt::ISODate)});
        }
    }
    return SafeFile::WriteIni(Name, values);
}

bool AffairStore::Load(AffairList* out, QString* error)
{
    Q_UNUSED(error);
    *out = LoadAffairs();
    return true;
}

bool AffairStore::Save(const AffairList& list, QString* error)
{
    if (SaveAffairs(list)) {
        return true;
    }
    if (error) {
        *error = QCoreApplication::translate("AffairStore", "The events could not be saved to %1.")
                     .arg(QDir::toNativeSeparators(QFileInfo(Name).absoluteFilePath()));
    }
    return false;
}
