// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/syncsession.h"

#include "core/sync/multistatus.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QUuid>

namespace {

const QByteArray XmlHead = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");

QByteArray SyncCollectionBody(const QString& token)
{
    return XmlHead + "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" + token.toHtmlEscaped().toUtf8() +
           "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
}

QByteArray EtagListingBody()
{
    return XmlHead +
           "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/><d:resourcetype/></d:prop></d:propfind>";
}

DavClient::Headers XmlHeaders(const QByteArray& depth)
{
    return {{"Content-Type", "application/xml; charset=utf-8"}, {"Depth", depth}};
}

// Part of the name a UID gives its resource: anything but plain letters, digits, '-', '_' and '.'
// would need quoting in a path, and a UID may hold anything.
QString ResourceName(const QString& uid)
{
    QString name;
    for (const QChar c : uid) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
                           c == QLatin1Char('_') || c == QLatin1Char('.');
        name += plain ? QString(c) : QStringLiteral("_");
    }
    return name.left(200) + QStringLiteral(".ics");
}

QByteArray PictureDigest(const QImage& picture)
{
    if (picture.isNull()) {
        return QByteArrayLiteral("none");
    }
    // Transparent and white are the same on a reminder; a calendar may hand back either.
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(flat.width()) + 'x' + QByteArray::number(flat.height()));
    // 32-bit lines need no padding: the pixels are one block, the same bytes as line by line.
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(flat.constBits()), flat.sizeInBytes()));
    return hash.result().toHex();
}

QString Fingerprint(const AffairInfo& record, const QByteArray& pictureDigest)
{
    const AffairPeriod p = record.GetPeriod();
    const EffectChoice effect = record.GetEffect();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(record.GetAffairTitle().toUtf8());
    hash.addData(QByteArrayLiteral("\n"));
    // The wall-clock moment, however the zone was spelled where it came from.
    hash.addData(record.GetUserDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toUtf8());
    hash.addData(QStringLiteral("\n%1 %2 %3 %4 %5\n%6 %7\n")
                     .arg(p.year)
                     .arg(p.month)
                     .arg(p.day)
                     .arg(p.hour)
                     .arg(p.minute)
                     .arg(int(effect.kind))
                     .arg(effect.direction)
                     .toUtf8());
    hash.addData(pictureDigest);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

SyncSession::SyncSession(DavClient* client, SyncBook* book, const ResourceCodec* codec, SyncState* state,
                         const QString& statePath, QObject* parent)
    : QObject(parent), Client(client), Book(book), Codec(codec), State(state), StatePath(statePath)
{
}

QString SyncSession::Fingerprint(const AffairInfo& record, const QImage& picture)
{
    return ::Fingerprint(record, PictureDigest(picture));
}

QString SyncSession::LocalFingerprint(const AffairInfo& record)
{
    const QFileInfo file(record.GetPicPath());
    QString key;
    if (!record.GetPicPath().isEmpty() && file.exists()) {
        // A changed picture is written under a new name, so name, size and time tell it apart.
        key = record.GetPicPath() + QLatin1Char('|') + QString::number(file.size()) + QLatin1Char('|') +
              QString::number(file.lastModified().toMSecsSinceEpoch());
    }
    QString digest = key.isEmpty() || !State ? QString() : State->pictureDigests.value(key);
    if (digest.isEmpty()) {
        digest = QString::fromLatin1(PictureDigest(Book->Picture(record)));
    }
    if (!key.isEmpty()) {
        Seen.insert(key, digest);
        if (State) {
            State->pictureDigests.insert(key, digest);
        }
    }
    return ::Fingerprint(record, digest.toLatin1());
}

QList<SyncPlan::Local> SyncSession::Locals()
{
    QList<SyncPlan::Local> locals;
    Seen.clear();
    for (const AffairInfo& record : Book->Events()) {
        locals.append({record.GetAffairID(), LocalFingerprint(record)});
    }
    if (State) {
        // Only the pictures the events still have.
        State->pictureDigests = Seen;
    }
    return locals;
}

int SyncSession::Waiting(SyncBook* book, const SyncState& state)
{
    // The state's remembered picture digests are its only part that changes here.
    SyncSession probe(nullptr, book, nullptr, const_cast<SyncState*>(&state), QString());
    return int(SyncPlan::Pushes(state, probe.Locals(), {}).size());
}

QUrl SyncSession::Resolve(const QString& href) const
{
    return State->collection.resolved(QUrl(href));
}

void SyncSession::Start(bool allowManyRemovals)
{
    AllowManyRemovals = allowManyRemovals;
    FirstRequest = Client->Sent();
    QString why;
    if (!DavClient::Allowed(State->collection, &why)) {
        Done(SyncResult::Outcome::Refused, why);
        return;
    }
    if (State->computer.isEmpty()) {
        State->computer = QUuid::createUuid().toString(QUuid::Id128).left(12);
        SaveState();
    }
    List(State->token.isEmpty());
}

void SyncSession::List(bool full)
{
    if (full) {
        State->token.clear();
    }
    Client->Send("REPORT", State->collection, XmlHeaders("0"), SyncCollectionBody(State->token),
                 MaxListingBytes, [this, full](const DavReply& reply) { Listed(reply, full, false); });
}

void SyncSession::Listed(const DavReply& reply, bool full, bool propfind)
{
    if (!reply.reached) {
        Done(SyncResult::Outcome::Offline, reply.error);
        return;
    }
    if (reply.status == 401) {
        Done(SyncResult::Outcome::Refused, reply.error);
        return;
    }
    if (reply.status != 207) {
        if (!propfind && !full && reply.status >= 400 && reply.status < 500) {
            // The token is no longer valid: list everything again.
            List(true);
        } else if (!propfind && reply.status >= 400 && reply.status < 600 && reply.status != 404) {
            // No sync-collection: the tags of a plain listing tell what changed.
            Client->Send("PROPFIND", State->collection, XmlHeaders("1"), EtagListingBody(), MaxListingBytes,
                         [this](const DavReply& again) { Listed(again, true, true); });
        } else if (reply.status >= 500) {
            Done(SyncResult::Outcome::Offline, tr("The server failed (%1).").arg(reply.status));
        } else {
            Done(SyncResult::Outcome::Refused,
                 tr("The server refused the calendar listing (%1).").arg(reply.status));
        }
        return;
    }
    MultiStatus listing;
    QString error;
    if (!MultiStatus::Parse(reply.body, State->collection, State->collection, &listing, &error)) {
        Done(SyncResult::Outcome::Refused, error);
        return;
    }
    NewToken = propfind ? QString() : listing.syncToken;
    QHash<QString, QString> knownTags;
    for (const SyncState::Entry& e : State->entries) {
        knownTags.insert(e.href, e.etag);
    }
    QSet<QString> listed;
    const QString own = State->collection.path(QUrl::FullyEncoded);
    for (const MultiStatus::Response& r : listing.responses) {
        const QString href = r.url.path(QUrl::FullyEncoded);
        if (href == own || href + QLatin1Char('/') == own || r.collection) {
            continue;
        }
        if (r.status == 404) {
            Gone.insert(href);
            continue;
        }
        listed.insert(href);
        if (!knownTags.contains(href) || knownTags.value(href) != r.etag || r.etag.isEmpty()) {
            ToFetch.enqueue({href, r.etag});
        }
    }
    if (full) {
        for (const SyncState::Entry& e : State->entries) {
            if (!listed.contains(e.href)) {
                Gone.insert(e.href);
            }
        }
        State->foreign.clear();
    }
    FetchNext();
}

void SyncSession::FetchNext()
{
    while (Running < InFlight && !ToFetch.isEmpty()) {
        const auto [href, tag] = ToFetch.dequeue();
        ++Running;
        Client->Send("GET", Resolve(href), {}, {}, MaxResourceBytes,
                     [this, href = href, tag = tag](const DavReply& reply) { Fetched(href, tag, reply); });
    }
    if (Running == 0 && ToFetch.isEmpty() && !Finished) {
        Decide();
    }
}

void SyncSession::Fetched(const QString& href, const QString& listedTag, const DavReply& reply)
{
    --Running;
    if (Finished) {
        return;
    }
    if (!reply.reached || reply.status >= 500) {
        Client->AbortAll();
        Done(SyncResult::Outcome::Offline,
             reply.reached ? tr("The server failed (%1).").arg(reply.status) : reply.error);
        return;
    }
    if (reply.status == 404) {
        Gone.insert(href);
    } else if (reply.status != 200) {
        Client->AbortAll();
        Done(SyncResult::Outcome::Refused, tr("The server refused an event (%1).").arg(reply.status));
        return;
    } else {
        SyncPlan::Remote remote;
        remote.href = href;
        remote.etag = reply.etag.isEmpty() ? listedTag : reply.etag;
        ResourceCodec::Decoded decoded;
        remote.representable = Codec->Decode(reply.body, &decoded, &remote.reason);
        if (remote.representable) {
            remote.uid = decoded.uid;
            remote.hash = Fingerprint(decoded.record, decoded.picture);
        }
        Changed.append(remote);
        Decoded.append(decoded);
    }
    FetchNext();
}

void SyncSession::Decide()
{
    const QList<SyncPlan::Local> locals = Locals();
    QHash<QString, QString> uidOfNew;
    for (const SyncPlan::Local& l : locals) {
        if (!State->ByLocal(l.id)) {
            if (const std::optional<AffairInfo> record = Book->Find(l.id)) {
                uidOfNew.insert(l.id, Codec->UidFor(*record, State->computer));
            }
        }
    }
    const SyncPlan::Pull pull = SyncPlan::Decide(*State, locals, Changed, Gone, uidOfNew);
    if (SyncPlan::TooManyRemovals(pull, int(locals.size())) && !AllowManyRemovals) {
        Result.removals = pull.removals;
        Done(SyncResult::Outcome::AskFirst,
             tr("The server no longer has %n of the events here; nothing was removed.", nullptr,
                pull.removals));
        return;
    }
    QString error;
    const bool applied = Apply(pull, &error);
    if (applied) {
        State->token = NewToken;
    }
    SaveState();
    if (!applied) {
        Done(SyncResult::Outcome::LocalFailure, error);
        return;
    }
    Pushes = SyncPlan::Pushes(*State, Locals(), pull.held);
    PushIndex = 0;
    PushNext();
}

bool SyncSession::Apply(const SyncPlan::Pull& pull, QString* error)
{
    // New events are added together and saved once; each other change is saved as it is made.
    QList<SyncPlan::Action> adds;
    for (const SyncPlan::Action& action : pull.actions) {
        if (action.kind == SyncPlan::Kind::PullAdd) {
            adds.append(action);
            continue;
        }
        const SyncPlan::Remote* remote = action.remote >= 0 ? &Changed.at(action.remote) : nullptr;
        const ResourceCodec::Decoded* decoded = action.remote >= 0 ? &Decoded.at(action.remote) : nullptr;
        switch (action.kind) {
        case SyncPlan::Kind::Foreign:
            State->foreign.append({remote->href, remote->reason});
            break;
        case SyncPlan::Kind::Forget:
            State->DropLocal(action.localId);
            break;
        case SyncPlan::Kind::Record: {
            SyncState::Entry e = State->ByLocal(action.localId).value_or(SyncState::Entry{});
            e.localId = action.localId;
            e.uid = remote->uid;
            e.href = remote->href;
            e.etag = remote->etag;
            e.hash = remote->hash;
            State->Put(e);
            break;
        }
        case SyncPlan::Kind::KeepCopy: {
            const std::optional<AffairInfo> mine = Book->Find(action.localId);
            if (!mine) {
                break;
            }
            AffairInfo copy = *mine;
            const AffairPeriod p = copy.GetPeriod();
            copy.SetInfo(QString(), tr("%1 (changed on this computer)").arg(copy.GetAffairTitle()),
                         copy.GetUserDateTime(), p.year, p.month, p.day, p.hour, p.minute);
            // A new event of its own: under the original's UID it would only meet the original again.
            copy.SetCalendarUid(QString());
            QString id;
            if (!Book->Add(copy, Book->Picture(*mine), &id, error)) {
                return false;
            }
            ++Result.kept;
            break;
        }
        case SyncPlan::Kind::PullReplace: {
            if (!Book->Replace(action.localId, decoded->record, decoded->picture, error)) {
                return false;
            }
            const std::optional<AffairInfo> now = Book->Find(action.localId);
            State->Put({action.localId, remote->uid, remote->href, remote->etag,
                        now ? LocalFingerprint(*now) : remote->hash});
            ++Result.changed;
            break;
        }
        case SyncPlan::Kind::PullAdd:
            break;
        case SyncPlan::Kind::PullRemove:
            if (!Book->Remove(action.localId, error)) {
                return false;
            }
            State->DropLocal(action.localId);
            ++Result.removed;
            break;
        }
    }
    if (adds.isEmpty()) {
        return true;
    }
    // Until the batch is saved the state must not name events that may yet not be kept.
    const QList<SyncState::Entry> before = State->entries;
    Book->BeginBatch();
    for (const SyncPlan::Action& action : adds) {
        const SyncPlan::Remote& remote = Changed.at(action.remote);
        const ResourceCodec::Decoded& decoded = Decoded.at(action.remote);
        QString id;
        if (!Book->Add(decoded.record, decoded.picture, &id, error)) {
            Book->AbortBatch();
            State->entries = before;
            Result.added = 0;
            return false;
        }
        if (!action.localId.isEmpty()) {
            State->DropLocal(action.localId);
        }
        const std::optional<AffairInfo> now = Book->Find(id);
        State->Put({id, remote.uid, remote.href, remote.etag, now ? LocalFingerprint(*now) : remote.hash});
        ++Result.added;
    }
    if (!Book->EndBatch(error)) {
        State->entries = before;
        Result.added = 0;
        return false;
    }
    return true;
}

void SyncSession::PushNext()
{
    // A few writes at once: the next event is made ready while the server stores the last.
    while (Pushing < InFlight && PushIndex < Pushes.size() && !Finished) {
        const SyncPlan::Push push = Pushes.at(PushIndex++);
        SyncState::Entry entry = push.entry;
        if (push.kind == SyncPlan::PushKind::Delete) {
            ++Pushing;
            Client->Send("DELETE", Resolve(entry.href), {{"If-Match", entry.etag.toLatin1()}}, {},
                         MaxListingBytes,
                         [this, push, entry](const DavReply& reply) { Pushed(push, entry, reply); });
            continue;
        }
        const std::optional<AffairInfo> record = Book->Find(push.localId);
        if (!record) {
            continue;
        }
        DavClient::Headers headers{{"Content-Type", "text/calendar; charset=utf-8"}};
        if (push.kind == SyncPlan::PushKind::Create) {
            entry.localId = push.localId;
            entry.uid = Codec->UidFor(*record, State->computer);
            entry.href = State->collection.resolved(QUrl(ResourceName(entry.uid))).path(QUrl::FullyEncoded);
            headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
        } else {
            headers.append(qMakePair(QByteArray("If-Match"), entry.etag.toLatin1()));
        }
        entry.hash = LocalFingerprint(*record);
        ++Pushing;
        Client->Send("PUT", Resolve(entry.href), headers, Codec->Encode(*record, entry.uid), MaxListingBytes,
                     [this, push, entry](const DavReply& reply) { Pushed(push, entry, reply); });
    }
    if (Pushing == 0 && PushIndex >= Pushes.size() && !Finished) {
        State->lastSuccess = QDateTime::currentSecsSinceEpoch();
        State->offlineSince = 0;
        State->lastError.clear();
        Done(SyncResult::Outcome::Synced);
    }
}

void SyncSession::Pushed(const SyncPlan::Push& push, const SyncState::Entry& entry, const DavReply& reply)
{
    --Pushing;
    if (Finished) {
        return;
    }
    if (!reply.reached || reply.status >= 500 || reply.status == 401) {
        // What was not answered waits; Done counts it from the state.
        Client->AbortAll();
        Done(reply.status == 401 ? SyncResult::Outcome::Refused : SyncResult::Outcome::Offline,
             reply.reached && reply.status != 401 ? tr("The server failed (%1).").arg(reply.status)
                                                  : reply.error);
        return;
    }
    const bool ok = reply.status >= 200 && reply.status < 300;
    if (push.kind == SyncPlan::PushKind::Delete) {
        if (ok || reply.status == 404) {
            State->DropLocal(push.localId);
            ++Result.sent;
        }
    } else if (ok) {
        SyncState::Entry sent = entry;
        // Without a tag in the answer, the next listing's tag is taken once the content is seen equal.
        sent.etag = reply.etag;
        State->Put(sent);
        ++Result.sent;
    }
    // 412 and other refusals: changed on the server meanwhile; the next sync sees both sides.
    if (Result.sent % 50 == 0) {
        SaveState();
    }
    PushNext();
}

void SyncSession::SaveState()
{
    if (State && !StatePath.isEmpty()) {
        State->Save(StatePath);
    }
}

void SyncSession::Done(SyncResult::Outcome outcome, const QString& message)
{
    if (Finished) {
        return;
    }
    Finished = true;
    Result.outcome = outcome;
    Result.message = message;
    Result.requests = Client->Sent() - FirstRequest;
    if (outcome != SyncResult::Outcome::Synced && outcome != SyncResult::Outcome::AskFirst) {
        if (State->offlineSince == 0) {
            State->offlineSince = QDateTime::currentSecsSinceEpoch();
        }
        State->lastError = message;
        if (Result.waiting == 0) {
            Result.waiting = Waiting(Book, *State);
        }
    }
    SaveState();
    emit finished(Result);
}
