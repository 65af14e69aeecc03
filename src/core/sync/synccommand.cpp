// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/synccommand.h"

#include "core/sync/davdiscovery.h"
#include "core/sync/syncservice.h"

#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int LongestWaitMs = 10 * 60 * 1000;

// Runs the loop until `finish` is called or the wait is over; false when it timed out.
bool Wait(QEventLoop& loop)
{
    bool timedOut = false;
    QTimer::singleShot(LongestWaitMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();
    return !timedOut;
}

int RunSync(SyncBook& book, const ResourceCodec& codec, const QString& password, const QString& statePath,
            QTextStream& out, QTextStream& err)
{
    SyncService service(&book, &codec, statePath);
    QString error;
    if (!service.Load(&error)) {
        err << error << Qt::endl;
        return 1;
    }
    service.SetPassword(password);
    SyncResult result;
    QEventLoop loop;
    QObject::connect(&service, &SyncService::finished, &loop, [&](const SyncResult& r) {
        result = r;
        loop.quit();
    });
    service.SyncNow();
    if (!Wait(loop)) {
        err << SyncCommand::tr("The server did not answer in time.") << Qt::endl;
        return 1;
    }
    const QString line = SyncCommand::Describe(result, service.CurrentState());
    (result.outcome == SyncResult::Outcome::Synced ? out : err) << line << Qt::endl;
    return result.outcome == SyncResult::Outcome::Synced ? 0 : 1;
}

} // namespace

QString SyncCommand::AccountKey(const QString& user, const QUrl& collection)
{
    return user + QLatin1Char('@') + collection.host();
}

QString SyncCommand::Describe(const SyncResult& result, const SyncState& state)
{
    const int waiting = result.waiting;
    QString line = SyncService::StatusText(state, waiting);
    switch (result.outcome) {
    case SyncResult::Outcome::Synced:
        line += QLatin1String(": ") + tr("%1 added, %2 changed, %3 removed here, %4 sent")
                                          .arg(result.added)
                                          .arg(result.changed)
                                          .arg(result.removed)
                                          .arg(result.sent);
        if (result.kept > 0) {
            line += QLatin1String("; ") + tr("%n changed on both sides, both kept", nullptr, result.kept);
        }
        if (!state.foreign.isEmpty()) {
            line += QLatin1String("; ") + tr("%n left on the server that the program cannot show", nullptr,
                                             int(state.foreign.size()));
        }
        break;
    case SyncResult::Outcome::AskFirst:
        line = result.message + QLatin1Char(' ') + tr("Sync from the Sync page to confirm.");
        break;
    default:
        line += QLatin1String(": ") + result.message;
        break;
    }
    return line;
}

QUrl SyncCommand::Choose(const QList<DavDiscovery::Calendar>& calendars, const QUrl& url)
{
    QUrl calendar;
    for (const DavDiscovery::Calendar& c : calendars) {
        if (c.url == url || (calendar.isEmpty() && c.name == QLatin1String("Pennibell"))) {
            calendar = c.url;
        }
    }
    if (calendar.isEmpty() && calendars.size() == 1) {
        calendar = calendars.first().url;
    }
    return calendar;
}

int SyncCommand::SetUp(SyncBook& book, const ResourceCodec& codec, PasswordKeeper& keeper, const QUrl& url,
                       const QString& user, const QString& password, QTextStream& out, QTextStream& err,
                       const QString& statePath)
{
    QString error;
    if (!DavClient::Allowed(url, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    DavClient client;
    client.SetCredentials(user, password);
    DavDiscovery discovery(&client);
    QEventLoop loop;
    bool found = false;
    QObject::connect(&discovery, &DavDiscovery::found, &loop, [&](bool ok, const QString& why) {
        found = ok;
        error = why;
        loop.quit();
    });
    discovery.Find(url);
    if (!Wait(loop) || !found) {
        err << (error.isEmpty() ? tr("The server did not answer in time.") : error) << Qt::endl;
        return 1;
    }
    QUrl calendar = Choose(discovery.Calendars(), url);
    if (calendar.isEmpty()) {
        bool made = false;
        QObject::connect(&discovery, &DavDiscovery::created, &loop,
                         [&](bool ok, const QUrl& where, const QString& why) {
                             made = ok;
                             calendar = where;
                             error = why;
                             loop.quit();
                         });
        discovery.Create();
        if (!Wait(loop) || !made) {
            err << error << Qt::endl;
            return 1;
        }
        out << tr("Created the calendar \"Pennibell\" at %1.").arg(calendar.toDisplayString()) << Qt::endl;
    }
    SyncService service(&book, &codec, statePath);
    if (!service.Load(&error) || !service.Configure(calendar, user, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    bool kept = false;
    keeper.Write(AccountKey(user, calendar), password, [&](bool ok, const QString&, const QString& why) {
        kept = ok;
        error = why;
        loop.quit();
    });
    if (!Wait(loop) || !kept) {
        err << tr("The password could not be kept in the keyring (%1); it is asked for at each start.")
                   .arg(error)
            << Qt::endl;
    }
    return RunSync(book, codec, password, statePath, out, err);
}

int SyncCommand::SyncOnce(SyncBook& book, const ResourceCodec& codec, PasswordKeeper& keeper,
                          QTextStream& out, QTextStream& err, const QString& statePath)
{
    SyncState state;
    QString error;
    if (!state.Load(statePath, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    if (state.collection.isEmpty()) {
        err << tr("No calendar is set up; use --sync-to first.") << Qt::endl;
        return 1;
    }
    QEventLoop loop;
    QString password;
    bool read = false;
    keeper.Read(AccountKey(state.user, state.collection),
                [&](bool ok, const QString& secret, const QString& why) {
                    read = ok && !secret.isEmpty();
                    password = secret;
                    error = why;
                    loop.quit();
                });
    if (!Wait(loop) || !read) {
        err << tr("The keyring holds no sync password (%1); use --sync-to again.").arg(error) << Qt::endl;
        return 1;
    }
    return RunSync(book, codec, password, statePath, out, err);
}
