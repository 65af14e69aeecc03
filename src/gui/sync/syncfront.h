// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/calendarcodec.h"
#include "core/sync/booksync.h"
#include "core/sync/passwordkeeper.h"

#include <QList>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <memory>

class ReminderBook;
class SyncService;
struct SyncResult;
class QWidget;
class SettingDialog;

// The running program's side of the sync: the book's events synced through the calendar mapping,
// the password from the desktop's keyring (asked for at start when there is none), the "Sync"
// page, and the last result for the tray.
class SyncFront : public QObject
{
    Q_OBJECT

public:
    SyncFront(ReminderBook& book, QWidget* window);
    ~SyncFront() override;

    // Reads the account and its password and starts syncing, when an account is set.
    void Start();
    // "Synced 10:42", "Offline since 10:42: 3 changes wait"; empty while nothing is set up.
    QString Status() const;
    // Adds the "Sync" page to the options dialog.
    void AddPage(SettingDialog* dialog);
    SyncService* Service() const { return Sync.get(); }
    // The command line's --sync and --sync-to in the running program: `reply` is called once
    // with "status", "out" and "err" when the sync has ended; the window and the tick go on.
    using Reply = std::function<void(const QVariantMap& answer)>;
    void Serve(const QVariantMap& request, const Reply& reply);

signals:
    void statusChanged();

private:
    void SetUpFor(const QUrl& url, const QString& user, const QString& password, const Reply& reply);
    void SyncFor(const Reply& reply, const QString& before = QString());
    void Answer(const SyncResult& result);

    QWidget* Window;
    BookSync Adapter;
    CalendarCodec Codec;
    KeychainKeeper Keeper;
    std::unique_ptr<SyncService> Sync;
    // Waiting for the sync that runs now, and for the one that starts after it.
    QList<QPair<Reply, QString>> ThisRound;
    QList<QPair<Reply, QString>> NextRound;
};
