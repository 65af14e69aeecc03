// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// An advisory lock on a file in the data folder itself, held by whoever writes there: the running
// program for its whole life, a command that edits the events for the length of its edit. The
// lock in the runtime folder only keeps out copies of the same login; this one also keeps out a
// copy started with another runtime folder (another login, another XDG_RUNTIME_DIR). The system
// drops it when its holder dies, so it is never stale.
class DataFolderLock
{
    Q_DECLARE_TR_FUNCTIONS(DataFolderLock)

public:
    explicit DataFolderLock(const QString& dataDir);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock at once or not at all.
    bool tryLock();
    // Keeps trying until the lock is taken or msecs have passed.
    bool lock(int msecs);
    void unlock();
    bool isLocked() const;
    // Why the lock file could not be used (empty when another holder simply has it).
    QString error() const { return Error; }

    static QString fileName();

private:
    QString Path;
    QString Error;
    int Fd = -1;
    void* Handle = nullptr;
};
