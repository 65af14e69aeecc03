// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace {
// How long a later copy keeps trying to reach the first one, which may have taken the lock but
// not yet started listening.
constexpr int KnockMSecs = 3000;
constexpr int ConnectMSecs = 250;
} // namespace

SingleInstance::SingleInstance(const QString& dataDir, QObject* parent)
    : QObject(parent), Key(keyFor(dataDir))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::keyFor(const QString& dataDir)
{
    QString path = QFileInfo(dataDir).canonicalFilePath();
    if (path.isEmpty()) {
        path = QDir::cleanPath(QDir(dataDir).absolutePath());
    }
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("pennibell-") + QString::fromLatin1(hash.left(24));
}

bool SingleInstance::isPrimary() const
{
    return Primary;
}

bool SingleInstance::claim()
{
    if (Primary) {
        return true;
    }
    Lock = std::make_unique<QLockFile>(QDir::temp().filePath(Key + QLatin1String(".lock")));
    // The lock lives as long as the program, so only a dead owner makes it stale, never its age.
    Lock->setStaleLockTime(0);
    if (!Lock->tryLock(0)) {
        if (Lock->error() == QLockFile::LockFailedError) {
            Lock.reset();
            // Leave even if the first copy does not answer: running twice would damage the data.
            knock();
            return false;
        }
        // No lock can be made at all (temporary folder unusable): run unguarded rather than not at all.
        Lock.reset();
    }
    // Holding the lock, any socket of this name was left behind by a copy that died.
    QLocalServer::removeServer(Key);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(Key)) {
        delete server;
        // Still the only copy on this folder; later copies find the lock and leave without an answer.
        Primary = true;
        return true;
    }
    Server = server;
    Primary = true;
    connect(Server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

bool SingleInstance::knock()
{
    QDeadlineTimer deadline(KnockMSecs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(Key);
        if (socket.waitForConnected(ConnectMSecs)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(ConnectMSecs);
            socket.disconnectFromServer();
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->state() != QLocalSocket::ConnectedState) {
            socket->deleteLater();
        }
        emit secondStarted();
    }
}
