// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/singleinstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// How long a later copy keeps trying to reach the first one, which may have taken the lock but
// not yet started listening.
constexpr int KnockMSecs = 3000;
constexpr int ConnectMSecs = 250;
// How long a starting copy waits for a command that is editing the events to finish.
constexpr int DataLockMSecs = 5000;
// Far more than any request or answer; a longer line is no client of ours.
constexpr qint64 MaxLineBytes = 1024 * 1024;
const char RaiseLine[] = "raise\n";

QVariantMap fromLine(const QByteArray& line)
{
    const QJsonDocument doc = QJsonDocument::fromJson(line);
    return doc.isObject() ? doc.object().toVariantMap() : QVariantMap();
}

QByteArray toLine(const QVariantMap& map)
{
    return QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Compact) + '\n';
}
} // namespace

SingleInstance::SingleInstance(const QString& dataDir, QObject* parent)
    : QObject(parent), Key(keyFor(dataDir)), DataDir(dataDir), DataLock(dataDir)
{
}

QString SingleInstance::privateFolder() const
{
    // The user's own runtime folder, which nobody else may enter. Without one, a folder of
    // the user's own inside the data folder, never the shared temporary folder, where anyone
    // could place a file of the expected name first.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir().mkpath(runtime)) {
        return runtime;
    }
    const QString fallback = QDir(DataDir).filePath(QStringLiteral(".pennibell-run"));
    QDir().mkpath(fallback);
    QFile::setPermissions(fallback, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return fallback;
}

bool SingleInstance::ownRegularOrAbsent(const QString& path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return (!info.exists() && !info.isSymLink()) || (info.isFile() && !info.isSymLink());
#else
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return true;
    }
    return S_ISREG(st.st_mode) && st.st_uid == ::getuid();
#endif
}

QString SingleInstance::failure() const
{
    return Failure;
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

bool SingleInstance::claim()
{
    const QString folder = privateFolder();
    const QString lockPath = QDir(folder).filePath(Key + QLatin1String(".lock"));
    if (!ownRegularOrAbsent(lockPath)) {
        Failure = tr("The lock file %1 is not Pennibell's own file. Remove it, then start Pennibell again.")
                      .arg(QDir::toNativeSeparators(lockPath));
        return false;
    }
    Lock = std::make_unique<QLockFile>(lockPath);
    // The lock lives as long as the program, so only a dead owner makes it stale, never its age.
    Lock->setStaleLockTime(0);
    if (!Lock->tryLock(0)) {
        const bool held = Lock->error() == QLockFile::LockFailedError;
        Lock.reset();
        // Leave even if the first copy does not answer: running twice would damage the data.
        if (held && knock(folder)) {
            return false;
        }
        Failure = held ? tr("Pennibell is already running on %1, but does not answer.")
                             .arg(QDir::toNativeSeparators(DataDir))
                       : tr("The lock file %1 cannot be made.").arg(QDir::toNativeSeparators(lockPath));
        return false;
    }
    // A command editing the events holds the data folder's lock for a moment; another login's
    // copy holds it for good.
    if (!DataLock.lock(DataLockMSecs)) {
        Lock.reset();
        Failure = DataLock.error().isEmpty()
                      ? tr("Pennibell is already running on %1 in another session, or a Pennibell command "
                           "such as a sync is still working on it. Try again when it has ended.")
                            .arg(QDir::toNativeSeparators(DataDir))
                      : DataLock.error();
        return false;
    }
    // Holding the lock, any socket of this name was left behind by a copy that died.
    const QString socketPath = QDir(folder).filePath(Key);
    QLocalServer::removeServer(socketPath);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath)) {
        delete server;
        // Still the only copy on this folder; later copies find the lock and leave without an answer.
        return true;
    }
    Server = server;
    connect(Server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

bool SingleInstance::knock(const QString& folder)
{
    QDeadlineTimer deadline(KnockMSecs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(QDir(folder).filePath(Key));
        if (socket.waitForConnected(ConnectMSecs)) {
            socket.write(RaiseLine);
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        serve(socket);
    }
}

void SingleInstance::serve(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        // An old copy that knocks and goes before saying anything still asks to come forward.
        if (socket->bytesAvailable() > MaxLineBytes) {
            socket->abort();
        } else if (socket->state() != QLocalSocket::ConnectedState) {
            socket->deleteLater();
            emit secondStarted();
        }
        return;
    }
    if (!socket->bytesAvailable() || !socket->peek(1).startsWith('{')) {
        socket->readAll();
        socket->disconnectFromServer();
        emit secondStarted();
        return;
    }
    if (!OnRequest) {
        // Still starting: the handler takes it up once it is set.
        return;
    }
    const QVariantMap request = fromLine(socket->readLine(MaxLineBytes));
    const Reply reply = [socket = QPointer<QLocalSocket>(socket)](const QVariantMap& answer) {
        if (socket && socket->state() == QLocalSocket::ConnectedState) {
            socket->write(toLine(answer));
            socket->disconnectFromServer();
        }
    };
    if (request.isEmpty()) {
        reply({{QStringLiteral("status"), 2}, {QStringLiteral("err"), tr("The request could not be read.")}});
    } else {
        OnRequest(request, reply);
    }
}

void SingleInstance::setRequestHandler(const Handler& handler)
{
    setRequestHandler([handler](const QVariantMap& request, const Reply& reply) { reply(handler(request)); });
}

void SingleInstance::setRequestHandler(const LaterHandler& handler)
{
    OnRequest = handler;
    if (!Server) {
        return;
    }
    // Requests that came while the program was starting.
    for (QLocalSocket* socket : Server->findChildren<QLocalSocket*>()) {
        QMetaObject::invokeMethod(
            this,
            [this, socket = QPointer<QLocalSocket>(socket)] {
                if (socket) {
                    serve(socket);
                }
            },
            Qt::QueuedConnection);
    }
}

SingleInstance::Exchange SingleInstance::send(const QVariantMap& request, QVariantMap* reply, int msecs)
{
    QLocalSocket socket;
    socket.connectToServer(QDir(privateFolder()).filePath(Key));
    if (!socket.waitForConnected(ConnectMSecs)) {
        return Exchange::NotRunning;
    }
    const QDeadlineTimer deadline(msecs);
    socket.write(toLine(request));
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || socket.bytesAvailable() > MaxLineBytes ||
            (!socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000))) &&
             socket.state() != QLocalSocket::ConnectedState && !socket.canReadLine())) {
            return Exchange::NoAnswer;
        }
    }
    *reply = fromLine(socket.readLine(MaxLineBytes));
    return reply->contains(QStringLiteral("status")) ? Exchange::Answered : Exchange::NoAnswer;
}
