// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// What this computer remembers between syncs: the account (never its password), the collection's
// sync token, and for each synced event where it lives on the server and what both sides held
// after the last sync. Kept in one small file in the data folder, written whole.
class SyncState
{
    Q_DECLARE_TR_FUNCTIONS(SyncState)

public:
    struct Entry
    {
        QString localId;
        QString uid;
        QString href; // path on the server
        QString etag;
        QString hash; // content fingerprint of both sides at the last sync
    };
    // A server resource the program cannot represent exactly: left alone and listed.
    struct Foreign
    {
        QString href;
        QString reason;
    };

    static QString DefaultPath();
    // The file holds a few hundred bytes per event; anything larger is not ours.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    // A missing file is an empty state; a damaged one is refused.
    bool Load(const QString& path, QString* error = nullptr);
    bool Save(const QString& path, QString* error = nullptr) const;

    std::optional<Entry> ByLocal(const QString& localId) const;
    void Put(const Entry& entry); // by local identifier
    void DropLocal(const QString& localId);
    // Forgets everything synced (a new account or calendar).
    void Reset();

    QUrl collection; // the calendar collection's URL
    QString user;
    // Marks the UIDs of events first sent from this computer.
    QString computer;
    QString token; // sync token of the last complete listing
    QList<Entry> entries;
    QList<Foreign> foreign;
    // Fingerprints of the local picture files ("path|size|modified" to digest): reading every
    // picture again to see that nothing changed would cost seconds at each start.
    mutable QHash<QString, QString> pictureDigests;
    qint64 lastSuccess = 0;  // seconds since the epoch; 0 never
    qint64 offlineSince = 0; // first failure since the last success; 0 online
    QString lastError;
};
