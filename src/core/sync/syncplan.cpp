// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/syncplan.h"

namespace SyncPlan {

Pull Decide(const SyncState& state, const QList<Local>& locals, const QList<Remote>& changed,
            const QSet<QString>& gone, const QHash<QString, QString>& uidOfNew)
{
    Pull pull;
    QHash<QString, QString> localHash;
    for (const Local& l : locals) {
        localHash.insert(l.id, l.hash);
    }
    QHash<QString, int> changedByHref;
    for (int i = 0; i < changed.size(); ++i) {
        changedByHref.insert(changed.at(i).href, i);
    }
    auto add = [&pull](Kind kind, const QString& id, int remote = -1) {
        pull.actions.append({kind, id, remote});
    };

    QSet<QString> knownHrefs;
    for (const SyncState::Entry& e : state.entries) {
        knownHrefs.insert(e.href);
        const bool here = localHash.contains(e.localId);
        const bool localChanged = here && localHash.value(e.localId) != e.hash;
        const int r = changedByHref.value(e.href, -1);
        const bool remoteChanged = r >= 0 && changed.at(r).etag != e.etag;
        if (remoteChanged) {
            const Remote& remote = changed.at(r);
            if (!remote.representable) {
                add(Kind::Foreign, e.localId, r);
                pull.held.insert(e.localId);
            } else if (remote.hash == e.hash || (here && remote.hash == localHash.value(e.localId))) {
                // Our own write coming back, or a write whose answer was lost.
                // Deleted here meanwhile: the deletion still travels, under the new tag.
                add(Kind::Record, e.localId, r);
            } else if (!here) {
                // Changed there, deleted here: the change is kept, nothing is lost.
                add(Kind::PullAdd, e.localId, r);
            } else if (localChanged) {
                add(Kind::KeepCopy, e.localId, r);
                add(Kind::PullReplace, e.localId, r);
            } else {
                add(Kind::PullReplace, e.localId, r);
            }
        } else if (gone.contains(e.href)) {
            if (here && !localChanged) {
                add(Kind::PullRemove, e.localId);
                ++pull.removals;
            }
            // Changed here, or deleted on both: the pairing ends; a changed event is sent anew.
            add(Kind::Forget, e.localId);
        }
    }

    QHash<QString, QString> newByUid;
    for (auto it = uidOfNew.begin(); it != uidOfNew.end(); ++it) {
        newByUid.insert(it.value(), it.key());
    }
    for (int i = 0; i < changed.size(); ++i) {
        const Remote& remote = changed.at(i);
        if (knownHrefs.contains(remote.href)) {
            continue;
        }
        if (!remote.representable) {
            add(Kind::Foreign, QString(), i);
            continue;
        }
        const QString mine = newByUid.value(remote.uid);
        if (mine.isEmpty()) {
            add(Kind::PullAdd, QString(), i);
        } else if (remote.hash == localHash.value(mine)) {
            add(Kind::Record, mine, i);
        } else {
            add(Kind::KeepCopy, mine, i);
            add(Kind::PullReplace, mine, i);
        }
    }
    return pull;
}

bool TooManyRemovals(const Pull& pull, int localCount)
{
    return pull.removals >= 2 && pull.removals * 2 > localCount;
}

QList<Push> Pushes(const SyncState& state, const QList<Local>& locals, const QSet<QString>& held)
{
    QList<Push> pushes;
    QHash<QString, SyncState::Entry> byLocal;
    for (const SyncState::Entry& e : state.entries) {
        byLocal.insert(e.localId, e);
    }
    QSet<QString> here;
    for (const Local& l : locals) {
        here.insert(l.id);
        if (held.contains(l.id)) {
            continue;
        }
        const auto e = byLocal.constFind(l.id);
        if (e == byLocal.constEnd()) {
            pushes.append({PushKind::Create, l.id, {}});
        } else if (e->hash != l.hash) {
            pushes.append({PushKind::Update, l.id, *e});
        }
    }
    for (const SyncState::Entry& e : state.entries) {
        if (!here.contains(e.localId) && !held.contains(e.localId)) {
            pushes.append({PushKind::Delete, e.localId, e});
        }
    }
    return pushes;
}

} // namespace SyncPlan
