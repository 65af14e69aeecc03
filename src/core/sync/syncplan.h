// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/syncstate.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// The three-way decisions of one sync, without any network or file: what the server changed since
// the last sync, what this computer changed, and what the last sync left on both.
namespace SyncPlan {

struct Local
{
    QString id;
    QString hash;
};

// A resource the server reports new or changed, after it was fetched.
struct Remote
{
    QString href;
    QString etag;
    bool representable = true;
    QString reason; // why not, when not
    QString uid;
    QString hash;
};

enum class Kind
{
    PullAdd,     // make a new local event from `remote`
    PullReplace, // the server's version replaces the local event `localId`
    PullRemove,  // the event went on the server: it goes here too
    KeepCopy,    // before the server's version replaces `localId`, keep this computer's as a new event
    Record,      // both sides already agree: only remember `remote`'s tag for `localId`
    Forget,      // the pairing of `localId` ends; nothing changes on either side
    Foreign,     // `remote` cannot be represented: leave it on the server and list it
};

struct Action
{
    Kind kind;
    QString localId;
    int remote = -1; // index into the changed resources
};

struct Pull
{
    QList<Action> actions;
    int removals = 0;
    // Local events whose server side changed into something the program cannot represent: this
    // computer's changes to them wait rather than overwrite it.
    QSet<QString> held;
};

// `uidFor` gives the UID a local event that was never synced would be sent under, so that a
// resource this computer sent without hearing the answer is recognised, not doubled.
Pull Decide(const SyncState& state, const QList<Local>& locals, const QList<Remote>& changed,
            const QSet<QString>& gone, const QHash<QString, QString>& uidOfNew);

// More than half of the local events would go at once (a wiped or wrong calendar).
bool TooManyRemovals(const Pull& pull, int localCount);

enum class PushKind
{
    Create, // PUT with If-None-Match: *
    Update, // PUT with If-Match
    Delete, // DELETE with If-Match
};
struct Push
{
    PushKind kind;
    QString localId;
    SyncState::Entry entry; // for Update and Delete
};

// After the pull was applied: what this computer changed since the last sync.
QList<Push> Pushes(const SyncState& state, const QList<Local>& locals, const QSet<QString>& held);

} // namespace SyncPlan
