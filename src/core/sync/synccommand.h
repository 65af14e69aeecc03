// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/davdiscovery.h"
#include "core/sync/passwordkeeper.h"
#include "core/sync/resourcecodec.h"
#include "core/sync/syncbook.h"
#include "core/sync/syncsession.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QUrl>

// The command line's sync: each call runs its own event loop until it is done (at most a few
// minutes), for a program started only to do this. The exit status: 0 done, 1 failed.
class SyncCommand
{
    Q_DECLARE_TR_FUNCTIONS(SyncCommand)

public:
    // `--sync-to URL --user NAME`, the password read from standard input. Finds the calendar at
    // URL (a calendar, or a server whose calendar "Pennibell" is used or made), keeps the account
    // in the sync state and the password in the keyring, then syncs once.
    static int SetUp(SyncBook& book, const ResourceCodec& codec, PasswordKeeper& keeper, const QUrl& url,
                     const QString& user, const QString& password, QTextStream& out, QTextStream& err,
                     const QString& statePath = SyncState::DefaultPath());
    // Which of the calendars found from `url` to use: the address itself when it is one, else
    // the calendar "Pennibell", else the only one; empty when "Pennibell" is to be made.
    static QUrl Choose(const QList<DavDiscovery::Calendar>& calendars, const QUrl& url);
    // `--sync` with no program running: one sync of the store, the password from the keyring.
    static int SyncOnce(SyncBook& book, const ResourceCodec& codec, PasswordKeeper& keeper, QTextStream& out,
                        QTextStream& err, const QString& statePath = SyncState::DefaultPath());
    // One line about a finished sync, for the command line and a running program's answer.
    static QString Describe(const SyncResult& result, const SyncState& state);
    // The keyring entry of an account.
    static QString AccountKey(const QString& user, const QUrl& collection);
};
