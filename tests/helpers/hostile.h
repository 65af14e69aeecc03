// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/testenv.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

// What a careless user, a damaged disk or another local user leaves where the program expects
// one of its own files, and a real small disk to fill up.
namespace Hostile {

// "link" (to `target`), "zero" (a link to /dev/zero), "fifo", or else these very bytes.
inline void place(const QString& path, const QByteArray& what, const QString& target = QString())
{
    QFile::remove(path);
    if (what == "link") {
        QFile::link(target, path);
    } else if (what == "zero") {
        QFile::link(QStringLiteral("/dev/zero"), path);
    } else if (what == "fifo") {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else {
        TestEnv::writeAll(path, what);
    }
}

// Every file under the current folder, hidden ones included, so stray temporaries show too;
// links and special files by what they are, without opening them.
inline QMap<QString, QByteArray> snapshot()
{
    QMap<QString, QByteArray> files;
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files.insert(info.filePath(), info.isSymLink() ? "link to " + info.symLinkTarget().toUtf8()
                                      : info.isFile()  ? TestEnv::readAll(info.filePath())
                                                       : QByteArray("special"));
    }
    return files;
}

// A real 64 KiB tmpfs made the current folder (needs root, as in CI).
struct SmallDisk
{
    QString Previous = QDir::currentPath();
    QTemporaryDir Dir;
    const bool Mounted =
        ::mount("tmpfs", QFile::encodeName(Dir.path()).constData(), "tmpfs", 0, "size=64k") == 0 &&
        QDir::setCurrent(Dir.path());
    ~SmallDisk()
    {
        QDir::setCurrent(Previous);
        ::umount2(QFile::encodeName(Dir.path()).constData(), MNT_DETACH);
    }
    // Fills the disk until `kib` KiB are left, with the file "./filler".
    void leave(int kib) const
    {
        struct statvfs s = {};
        ::statvfs(".", &s);
        const qint64 free = qint64(s.f_bavail) * qint64(s.f_frsize);
        TestEnv::writeAll(QStringLiteral("filler"), QByteArray(qMax<qint64>(0, free - kib * 1024), 'f'));
    }
};

} // namespace Hostile
