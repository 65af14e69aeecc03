// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/safefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QLatin1String StagingPrefix(".pennibell-staging-");

bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

QString folderOf(const QString& path)
{
    const QString folder = QFileInfo(path).path();
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

#ifndef Q_OS_WIN
QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Every byte handed to the kernel and on the disk; a short count is a failure.
bool writeAll(int fd, const QByteArray& bytes, QString* error)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return fail(error, n < 0 ? lastError() : QString::fromLatin1(std::strerror(ENOSPC)));
        }
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0) {
        return fail(error, lastError());
    }
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

QString SafeFile::Stage(const QString& path, const QByteArray& bytes, QString* error)
{
    QTemporaryFile file(folderOf(path) + QLatin1Char('/') + StagingPrefix + QStringLiteral("XXXXXX"));
    if (!file.open()) {
        fail(error, file.errorString());
        return QString();
    }
#ifdef Q_OS_WIN
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        !FlushFileBuffers(HANDLE(_get_osfhandle(file.handle())))) {
        fail(error, file.errorString());
        return QString();
    }
#else
    if (!writeAll(file.handle(), bytes, error)) {
        return QString();
    }
#endif
    file.setAutoRemove(false);
    return file.fileName();
}

bool SafeFile::Commit(const QString& staged, const QString& path, QString* error)
{
#ifdef Q_OS_WIN
    const bool moved = MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(staged).utf16()),
                                   reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
        QFile::remove(staged);
        return fail(error, qt_error_string());
    }
#else
    // rename() replaces a link of that name, never the file it points to.
    if (::rename(QFile::encodeName(staged).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString why = lastError();
        QFile::remove(staged);
        return fail(error, why);
    }
    syncFolder(folderOf(path));
#endif
    return true;
}

bool SafeFile::Write(const QString& path, const QByteArray& bytes, QString* error)
{
    const QString staged = Stage(path, bytes, error);
    return !staged.isEmpty() && Commit(staged, path, error);
}

bool SafeFile::Rename(const QString& from, const QString& to, QString* error)
{
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_WRITE_THROUGH) == 0) {
        return fail(error, qt_error_string());
    }
#else
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        return fail(error, lastError());
    }
    syncFolder(folderOf(to));
#endif
    return true;
}

bool SafeFile::IsRegular(const QString& path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && !info.isJunction();
#else
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

bool SafeFile::Read(const QString& path, qint64 maxBytes, QByteArray* out, QString* error)
{
#ifdef Q_OS_WIN
    if (!IsRegular(path)) {
        return fail(error, tr("This is not a regular file."));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(error, file.errorString());
    }
    if (file.size() > maxBytes) {
        return fail(error, tr("The file is larger than any the program writes."));
    }
    *out = file.read(maxBytes + 1);
    return out->size() == file.size() || fail(error, file.errorString());
#else
    // No link is followed, and opening a FIFO does not wait for a writer.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(error, errno == ELOOP ? tr("This is not a regular file.") : lastError());
    }
    struct stat st
    {
    };
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok) {
        ::close(fd);
        return fail(error, tr("This is not a regular file."));
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return fail(error, tr("The file is larger than any the program writes."));
    }
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += n;
    }
    ::close(fd);
    if (got != bytes.size()) {
        return fail(error, QString::fromLocal8Bit(std::strerror(EIO)));
    }
    *out = bytes;
    return true;
#endif
}

void SafeFile::RemoveStale(const QString& folder)
{
    QDirIterator it(folder, {StagingPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        QFile::remove(it.next());
    }
}
