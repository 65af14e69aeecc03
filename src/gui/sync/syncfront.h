// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/calendarcodec.h"
#include "core/sync/booksync.h"
#include "core/sync/passwordkeeper.h"

#include <QObject>
#include <memory>

class ReminderBook;
class SyncService;
class QWidget;

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
    // The options' "Sync" page in a dialog of its own.
    void OpenPage();
    SyncService* Service() const { return Sync.get(); }

signals:
    void statusChanged();

private:
    QWidget* Window;
    BookSync Adapter;
    CalendarCodec Codec;
    KeychainKeeper Keeper;
    std::unique_ptr<SyncService> Sync;
};
