// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/davclient.h"
#include "core/sync/resourcecodec.h"
#include "core/sync/syncbook.h"
#include "core/sync/syncplan.h"
#include "core/sync/syncstate.h"

#include <QHash>
#include <QObject>
#include <QQueue>

// What one sync did.
struct SyncResult
{
    enum class Outcome
    {
        Synced,
        Offline,      // the server could not be reached or failed; local changes wait
        Refused,      // the server's answer was refused, or the server refused us
        AskFirst,     // it would remove more than half of the local events: nothing was done
        LocalFailure, // the local store could not be changed
    };
    Outcome outcome = Outcome::Synced;
    QString message;
    int added = 0;    // here, from the server
    int changed = 0;  // here, from the server
    int removed = 0;  // here, because they went on the server
    int kept = 0;     // changed on both sides: this computer's version kept as a new event
    int sent = 0;     // creations, changes and removals sent to the server
    int waiting = 0;  // local changes not yet on the server
    int removals = 0; // with AskFirst: how many would go
    int requests = 0;
};

// One sync of the local events with one calendar collection, run on the event loop. The state is
// changed only as each step is known to have happened on both sides, so an interrupted sync
// leaves nothing lost or doubled for the next one.
class SyncSession : public QObject
{
    Q_OBJECT

public:
    // A calendar holding pictures: one resource may be large, a listing of etags much less so.
    static constexpr qint64 MaxResourceBytes = 64LL * 1024 * 1024;
    static constexpr qint64 MaxListingBytes = 16LL * 1024 * 1024;
    static constexpr int InFlight = 4;

    // `statePath` is rewritten whenever the state changes; all pointers outlive the session.
    SyncSession(DavClient* client, SyncBook* book, const ResourceCodec* codec, SyncState* state,
                const QString& statePath, QObject* parent = nullptr);

    void Start(bool allowManyRemovals = false);

    // The fingerprint of what a sync carries of an event: not its snooze, not when it is next due.
    static QString Fingerprint(const AffairInfo& record, const QImage& picture);
    // The local events with their fingerprints (pictures read once per file and remembered).
    QList<SyncPlan::Local> Locals();
    // Local changes not yet on the server, worked out without the network.
    static int Waiting(SyncBook* book, const SyncState& state);

signals:
    void finished(const SyncResult& result);

private:
    void List(bool full);
    void Listed(const DavReply& reply, bool full, bool propfind);
    void FetchNext();
    void Fetched(const QString& href, const QString& listedTag, const DavReply& reply);
    void Decide();
    bool Apply(const SyncPlan::Pull& pull, QString* error);
    void PushNext();
    void Pushed(const SyncPlan::Push& push, const SyncState::Entry& entry, const DavReply& reply);
    void Done(SyncResult::Outcome outcome, const QString& message = QString());
    void SaveState();
    QString LocalFingerprint(const AffairInfo& record);
    QUrl Resolve(const QString& href) const;

    DavClient* Client;
    SyncBook* Book;
    const ResourceCodec* Codec;
    SyncState* State;
    QString StatePath;
    bool AllowManyRemovals = false;
    bool Finished = false;
    int FirstRequest = 0;
    SyncResult Result;

    QString NewToken;
    QSet<QString> Gone;
    QQueue<QPair<QString, QString>> ToFetch; // href, etag from the listing
    int Running = 0;
    QList<SyncPlan::Remote> Changed;
    QList<ResourceCodec::Decoded> Decoded;
    QList<SyncPlan::Push> Pushes;
    int PushIndex = 0;
    int Pushing = 0;
    QHash<QString, QString> Seen; // picture digests met by Locals()
};
