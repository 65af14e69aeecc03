// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/syncstate.h"

#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

QString SyncState::DefaultPath()
{
    return DataLocation::DataFolder() + QStringLiteral("/sync.json");
}

bool SyncState::Load(const QString& path, QString* error)
{
    *this = SyncState();
    if (!QFileInfo::exists(path)) {
        return true;
    }
    QByteArray bytes;
    if (!SafeFile::Read(path, MaxFileBytes, &bytes, error)) {
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (!doc.isObject()) {
        if (error) {
            *error = tr("The sync state file %1 is damaged.").arg(QDir::toNativeSeparators(path));
        }
        return false;
    }
    const QJsonObject root = doc.object();
    collection = QUrl(root.value(QLatin1String("collection")).toString());
    user = root.value(QLatin1String("user")).toString();
    computer = root.value(QLatin1String("computer")).toString();
    token = root.value(QLatin1String("token")).toString();
    lastSuccess = root.value(QLatin1String("lastSuccess")).toInteger();
    offlineSince = root.value(QLatin1String("offlineSince")).toInteger();
    lastError = root.value(QLatin1String("lastError")).toString();
    QSet<QString> seen;
    for (const QJsonValue& value : root.value(QLatin1String("entries")).toArray()) {
        const QJsonObject o = value.toObject();
        Entry e{o.value(QLatin1String("id")).toString(), o.value(QLatin1String("uid")).toString(),
                o.value(QLatin1String("href")).toString(), o.value(QLatin1String("etag")).toString(),
                o.value(QLatin1String("hash")).toString()};
        if (!e.localId.isEmpty() && !e.href.isEmpty() && !seen.contains(e.localId)) {
            seen.insert(e.localId);
            entries.append(e);
        }
    }
    const QJsonObject digests = root.value(QLatin1String("pictures")).toObject();
    for (auto it = digests.begin(); it != digests.end(); ++it) {
        pictureDigests.insert(it.key(), it.value().toString());
    }
    for (const QJsonValue& value : root.value(QLatin1String("foreign")).toArray()) {
        const QJsonObject o = value.toObject();
        foreign.append(
            {o.value(QLatin1String("href")).toString(), o.value(QLatin1String("reason")).toString()});
    }
    return true;
}

bool SyncState::Save(const QString& path, QString* error) const
{
    QJsonArray list;
    for (const Entry& e : entries) {
        list.append(QJsonObject{{QLatin1String("id"), e.localId},
                                {QLatin1String("uid"), e.uid},
                                {QLatin1String("href"), e.href},
                                {QLatin1String("etag"), e.etag},
                                {QLatin1String("hash"), e.hash}});
    }
    QJsonArray others;
    for (const Foreign& f : foreign) {
        others.append(QJsonObject{{QLatin1String("href"), f.href}, {QLatin1String("reason"), f.reason}});
    }
    QJsonObject digests;
    for (auto it = pictureDigests.cbegin(); it != pictureDigests.cend(); ++it) {
        digests.insert(it.key(), it.value());
    }
    const QJsonObject root{{QLatin1String("collection"), collection.toString()},
                           {QLatin1String("user"), user},
                           {QLatin1String("computer"), computer},
                           {QLatin1String("token"), token},
                           {QLatin1String("lastSuccess"), lastSuccess},
                           {QLatin1String("offlineSince"), offlineSince},
                           {QLatin1String("lastError"), lastError},
                           {QLatin1String("entries"), list},
                           {QLatin1String("foreign"), others},
                           {QLatin1String("pictures"), digests}};
    return SafeFile::Write(path, QJsonDocument(root).toJson(QJsonDocument::Compact), error);
}

std::optional<SyncState::Entry> SyncState::ByLocal(const QString& localId) const
{
    for (const Entry& e : entries) {
        if (e.localId == localId) {
            return e;
        }
    }
    return std::nullopt;
}

void SyncState::Put(const Entry& entry)
{
    for (Entry& e : entries) {
        if (e.localId == entry.localId) {
            e = entry;
            return;
        }
    }
    entries.append(entry);
}

void SyncState::DropLocal(const QString& localId)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).localId == localId) {
            entries.removeAt(i);
            return;
        }
    }
}

void SyncState::Reset()
{
    token.clear();
    entries.clear();
    foreign.clear();
    lastSuccess = 0;
    offlineSince = 0;
    lastError.clear();
}
