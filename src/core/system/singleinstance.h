// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/datafolderlock.h"

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One program per data folder: two copies on the same data would both show every reminder and
// overwrite each other's saves. The first copy holds a lock named after the folder and listens
// on a local socket of the same name, both in the user's own runtime folder; a later copy finds
// the lock, knocks on the socket so that the first one comes forward, and leaves. The first copy
// also holds the data folder's own lock, which keeps out a copy of another login.
//
// The same socket carries requests from the command line: one line of JSON there, one line of
// JSON back. It needs no session bus, so a cron job can use it.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // Exit code of a copy that found another one running on its data folder.
    static constexpr int AlreadyRunningExitCode = 3;

    explicit SingleInstance(const QString& dataDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this copy is the first for its data folder and now listens for later ones; false
    // when another copy runs there (it has been asked to come forward), or when this copy
    // cannot know, and failure() then says why. Called once, at start.
    bool claim();
    // Why the program cannot start; empty when another copy simply came forward.
    QString failure() const;

    // Name of the lock and socket for a data folder: the same for every spelling of one folder.
    static QString keyFor(const QString& dataDir);

    // In the first copy: answers each request that comes over the socket. Requests that come
    // before a handler is set wait for it.
    using Handler = std::function<QVariantMap(const QVariantMap& request)>;
    void setRequestHandler(const Handler& handler);
    // The same for answers that come later (a sync): the handler calls `reply` once, when it is
    // done, and the event loop runs meanwhile. A reply after the asker went is dropped.
    using Reply = std::function<void(const QVariantMap& answer)>;
    using LaterHandler = std::function<void(const QVariantMap& request, const Reply& reply)>;
    void setRequestHandler(const LaterHandler& handler);

    enum class Exchange
    {
        NotRunning, // nobody listens: the request was not delivered
        Answered,
        NoAnswer // delivered, or maybe delivered, but no whole answer came in time
    };
    // From a command: hands the request to the copy running on the data folder, if there is one.
    Exchange send(const QVariantMap& request, QVariantMap* reply, int msecs);

signals:
    // In the first copy: another copy was started on the same data folder.
    void secondStarted();

private:
    bool knock(const QString& folder);
    void onNewConnection();
    void serve(QLocalSocket* socket);
    // Where the lock and the socket live: a folder only this user can enter.
    QString privateFolder() const;
    // Nothing there, or a regular file of this user's own (not a link).
    static bool ownRegularOrAbsent(const QString& path);

    QString Key;
    QString DataDir;
    QString Failure;
    std::unique_ptr<QLockFile> Lock;
    DataFolderLock DataLock;
    LaterHandler OnRequest;
    QLocalServer* Server = nullptr;
};
