// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/davclient.h"
#include "core/sync/syncsession.h"
#include "core/sync/syncstate.h"

#include <QObject>
#include <QPointer>

class QTimer;

// Keeps one computer in sync: at start, every five minutes, a few seconds after a local change,
// and, while the server cannot be reached, again after growing pauses of up to half an hour.
// Everything runs on the event loop; nothing here waits for the network.
class SyncService : public QObject
{
    Q_OBJECT

public:
    static constexpr int PeriodMs = 5 * 60 * 1000;
    static constexpr int AfterChangeMs = 5000;
    static constexpr int FirstRetryMs = 30 * 1000;
    static constexpr int LongestRetryMs = 30 * 60 * 1000;

    // The book and codec outlive the service.
    SyncService(SyncBook* book, const ResourceCodec* codec,
                const QString& statePath = SyncState::DefaultPath(), QObject* parent = nullptr);

    bool Load(QString* error = nullptr);
    // A collection and a user name are set (the password may still be missing).
    bool Configured() const { return !State.collection.isEmpty() && !State.user.isEmpty(); }
    // Another calendar or account forgets what was synced with the old one.
    bool Configure(const QUrl& collection, const QString& user, QString* error = nullptr);
    // Stops syncing and forgets the account.
    bool Unconfigure(QString* error = nullptr);
    void SetPassword(const QString& password);
    bool HasPassword() const { return PasswordSet; }

    // Syncs at once and then on the schedule.
    void Start();
    void SyncNow(bool allowManyRemovals = false);
    // The events changed here: a sync follows shortly when something waits to be sent.
    void LocalChanged();
    bool Running() const { return Session != nullptr; }

    const SyncState& CurrentState() const { return State; }
    SyncResult LastResult() const { return Last; }
    // "Synced 10:42", "Offline since 10:42: 3 changes wait", for the Sync page and the tray.
    QString StatusText() const;
    static QString StatusText(const SyncState& state, int waiting);
    DavClient* Client() { return &Connection; }
    // The current pause before the next retry (for tests and the status).
    int RetryMs() const { return Retry; }

signals:
    void statusChanged();
    void finished(const SyncResult& result);
    // More than half of the local events would be removed: nothing was done; SyncNow(true) goes on.
    void removalsNeedConsent(int count);

private:
    void Finished(const SyncResult& result);
    void Schedule(int msecs);

    SyncBook* Book;
    const ResourceCodec* Codec;
    QString StatePath;
    SyncState State;
    DavClient Connection;
    QPointer<SyncSession> Session;
    QTimer* Timer;
    SyncResult Last;
    QString Password;
    bool PasswordSet = false;
    bool Again = false;
    int Retry = FirstRetryMs;
    int Waiting = 0;
};
