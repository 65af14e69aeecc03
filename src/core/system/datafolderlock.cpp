// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/datafolderlock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#ifdef Q_OS_WIN
#include <QLockFile>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

DataFolderLock::DataFolderLock(const QString& dataDir) : Path(QDir(dataDir).filePath(fileName())) {}

DataFolderLock::~DataFolderLock()
{
    unlock();
}

QString DataFolderLock::fileName()
{
    return QStringLiteral(".pennibell.lock");
}

bool DataFolderLock::isLocked() const
{
    return Fd >= 0 || Handle;
}

bool DataFolderLock::tryLock()
{
    if (isLocked()) {
        return true;
    }
    Error.clear();
#ifdef Q_OS_WIN
    auto* file = new QLockFile(Path);
    file->setStaleLockTime(0);
    if (!file->tryLock(0)) {
        if (file->error() != QLockFile::LockFailedError) {
            Error = tr("The lock file %1 cannot be made.").arg(QDir::toNativeSeparators(Path));
        }
        delete file;
        return false;
    }
    Handle = file;
    return true;
#else
    // Not through a link, and not inherited by a program started from here (the help viewer).
    const int fd =
        ::open(QFile::encodeName(Path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        Error = tr("The lock file %1 cannot be made: %2")
                    .arg(QDir::toNativeSeparators(Path), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        ::close(fd);
        Error = tr("The lock file %1 is not Pennibell's own file. Remove it, then try again.")
                    .arg(QDir::toNativeSeparators(Path));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    Fd = fd;
    return true;
#endif
}

bool DataFolderLock::lock(int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (!tryLock()) {
        if (!Error.isEmpty() || deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

void DataFolderLock::unlock()
{
#ifdef Q_OS_WIN
    delete static_cast<QLockFile*>(Handle);
    Handle = nullptr;
#else
    if (Fd >= 0) {
        // The file stays: removing it would let a waiter lock a name that a newcomer recreates.
        ::close(Fd);
        Fd = -1;
    }
#endif
}
