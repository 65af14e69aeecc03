// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/syncservice.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>

SyncService::SyncService(SyncBook* book, const ResourceCodec* codec, const QString& statePath,
                         QObject* parent)
    : QObject(parent), Book(book), Codec(codec), StatePath(statePath), Timer(new QTimer(this))
{
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, [this] { SyncNow(); });
}

bool SyncService::Load(QString* error)
{
    const bool ok = State.Load(StatePath, error);
    Waiting = Configured() ? SyncSession::Waiting(Book, State) : 0;
    return ok;
}

bool SyncService::Configure(const QUrl& collection, const QString& user, QString* error)
{
    if (!DavClient::Allowed(collection, error)) {
        return false;
    }
    SyncState next = State;
    if (next.collection != collection || next.user != user) {
        if (Session) {
            // The running sync would carry on in the new account's state with the old one's events.
            if (error) {
                *error = tr("A sync is running; try again when it has ended.");
            }
            return false;
        }
        next.Reset();
    }
    next.collection = collection;
    next.user = user;
    if (!next.Save(StatePath, error)) {
        return false;
    }
    State = next;
    emit statusChanged();
    return true;
}

bool SyncService::Unconfigure(QString* error)
{
    SyncState empty;
    if (!empty.Save(StatePath, error)) {
        return false;
    }
    Timer->stop();
    Connection.AbortAll();
    State = empty;
    emit statusChanged();
    return true;
}

void SyncService::SetPassword(const QString& password)
{
    Password = password;
    PasswordSet = true;
}

void SyncService::Start()
{
    SyncNow();
}

void SyncService::SyncNow(bool allowManyRemovals)
{
    if (!Configured() || !PasswordSet) {
        return;
    }
    if (Session) {
        // One at a time; what changed meanwhile is seen by another round right after.
        Again = true;
        return;
    }
    Timer->stop();
    Connection.SetCredentials(State.user, Password);
    Session = new SyncSession(&Connection, Book, Codec, &State, StatePath, this);
    connect(Session, &SyncSession::finished, this, &SyncService::Finished);
    Session->Start(allowManyRemovals);
}

void SyncService::Finished(const SyncResult& result)
{
    Session->deleteLater();
    Session = nullptr;
    Last = result;
    Waiting = result.waiting;
    if (result.outcome == SyncResult::Outcome::Synced) {
        Retry = FirstRetryMs;
        Schedule(Again ? 0 : PeriodMs);
    } else if (result.outcome == SyncResult::Outcome::AskFirst) {
        Schedule(PeriodMs);
        emit removalsNeedConsent(result.removals);
    } else {
        Schedule(Retry);
        Retry = qMin(Retry * 2, LongestRetryMs);
    }
    Again = false;
    emit statusChanged();
    emit finished(result);
}

void SyncService::Schedule(int msecs)
{
    Timer->start(msecs);
}

void SyncService::LocalChanged()
{
    if (!Configured() || Session) {
        return;
    }
    const int waiting = SyncSession::Waiting(Book, State);
    if (waiting != Waiting) {
        Waiting = waiting;
        emit statusChanged();
    }
    // Offline, the growing pause stands; the change waits for it.
    if (waiting > 0 && State.offlineSince == 0 &&
        (!Timer->isActive() || Timer->remainingTime() > AfterChangeMs)) {
        Schedule(AfterChangeMs);
    }
}

QString SyncService::StatusText() const
{
    return Configured() ? StatusText(State, Waiting) : QString();
}

QString SyncService::StatusText(const SyncState& state, int waiting)
{
    const QLocale locale;
    auto at = [&locale](qint64 secs) {
        return locale.toString(QDateTime::fromSecsSinceEpoch(secs).time(), QLocale::ShortFormat);
    };
    if (state.offlineSince != 0) {
        return tr("Offline since %1: %n changes wait", nullptr, waiting).arg(at(state.offlineSince));
    }
    if (state.lastSuccess != 0) {
        return waiting > 0 ? tr("Synced %1: %n changes wait", nullptr, waiting).arg(at(state.lastSuccess))
                           : tr("Synced %1").arg(at(state.lastSuccess));
    }
    return tr("Not synced yet");
}
