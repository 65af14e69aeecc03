// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"

#include "core/events/localtime.h"
#include "core/storage/datalocation.h"

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

AffairStore::AffairStore(const QString& fileName)
    : Settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    // QSettings writes through a temporary file renamed over the old one; insist on that
    // rather than falling back to rewriting the file in place.
    Settings->setAtomicSyncRequired(true);
}

AffairStore::~AffairStore() = default;

QString AffairStore::FileName() const
{
    return Settings->fileName();
}

AffairList AffairStore::LoadAffairs()
{
    AffairList list;
    // A count beyond the groups present gives empty, expired records; a damaged count of
    // millions must not, so it is capped far above any real list.
    const int n = qMin(Settings->value(QStringLiteral("num"), QStringLiteral("0")).toInt(), MaxEvents);
    const QStringList groups = Settings->childGroups();
    const QSet<QString> present(groups.cbegin(), groups.cend());
    AffairInfo missing;
    missing.SetInfo(QString(), QString(), QDateTime(), 0, 0, 0, 0, 0);
    missing.SetEffect({QString(), QString()});
    for (int i = 1; i <= n; ++i) {
        if (!present.contains(QLatin1String("Event_") + QString::number(i))) {
            list.AppendAffair(missing);
            continue;
        }
        const QString empty;
        const QString id = Settings->value(key(i, "AffairID"), empty).toString();
        const QString title = Settings->value(key(i, "AffairTitle"), empty).toString();
        const QDateTime user = LocalTime::FromIso(Settings->value(key(i, "UserDateTime"), empty).toString());
        const int year = Settings->value(key(i, "Period.year"), empty).toInt();
        const int month = Settings->value(key(i, "Period.month"), empty).toInt();
        const int day = Settings->value(key(i, "Period.day"), empty).toInt();
        const int hour = Settings->value(key(i, "Period.hour"), empty).toInt();
        const int minute = Settings->value(key(i, "Period.minute"), empty).toInt();
        const QString path = Settings->value(key(i, "PicPath"), empty).toString();
        const QVariantList effect{Settings->value(key(i, "EffectType"), empty),
                                  Settings->value(key(i, "EffectDirection"), empty)};
        AffairInfo record;
        record.SetInfo(id, title, user, year, month, day, hour, minute);
        record.SetPicPath(path);
        record.SetEffect(effect);
        const QDateTime snooze =
            QDateTime::fromString(Settings->value(key(i, "Snooze")).toString(), Qt::ISODate);
        if (snooze.isValid()) {
            record.SetSnooze(snooze.toSecsSinceEpoch());
        }
        list.AppendAffair(record);
    }
    return list;
}

bool AffairStore::SaveAffairs(const AffairList& list)
{
    Settings->clear();
    Settings->setValue(QStringLiteral("num"), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const int n = i + 1;
        const AffairInfo r = list.At(i);
        const AffairPeriod p = r.GetPeriod();
        const QVariantList effect = r.GetEffect();
        Settings->setValue(key(n, "AffairID"), r.GetAffairID());
        Settings->setValue(key(n, "AffairTitle"), r.GetAffairTitle());
        Settings->setValue(key(n, "UserDateTime"), LocalTime::ToIso(r.GetUserDateTime()));
        Settings->setValue(key(n, "Period.year"), p.year);
        Settings->setValue(key(n, "Period.month"), p.month);
        Settings->setValue(key(n, "Period.day"), p.day);
        Settings->setValue(key(n, "Period.hour"), p.hour);
        Settings->setValue(key(n, "Period.minute"), p.minute);
        Settings->setValue(key(n, "PicPath"), r.GetPicPath());
        // A record that never passed through the dialog may lack its effect codes.
        Settings->setValue(key(n, "EffectType"), effect.value(0, QStringLiteral("0")));
        Settings->setValue(key(n, "EffectDirection"), effect.value(1, QStringLiteral("0")));
        // Only while set, and in UTC: a snooze is a moment, not a wall-clock time, and readers
        // that do not know the key see the file they always saw.
        if (r.SnoozeSecs() != 0) {
            Settings->setValue(key(n, "Snooze"),
                               QDateTime::fromSecsSinceEpoch(r.SnoozeSecs(), Qt::UTC).toString(Qt::ISODate));
        }
    }
    Settings->sync();
    return Settings->status() == QSettings::NoError;
}
