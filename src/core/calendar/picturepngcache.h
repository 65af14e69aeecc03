// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The calendar's PNG of each picture file, made once per version of the file rather than at every
// export: inflating, scanning and deflating two million pixels a picture is nearly all an
// export's time. Derived data only, in the user's cache folder where no backup, restore or sync
// looks; deleting it loses nothing.
//
// One entry a picture path, named by a hash of the absolute path. Its head holds what identifies
// one version of the picture file without reading it: size, modification time to the nanosecond,
// inode and device (the store replaces picture files whole, so a new picture has a new inode),
// then the PNG's length and checksum. An entry that does not match in every point is rebuilt.
class PicturePngCache
{
public:
    // The default folder: the user's cache location, "pictures-png" inside it.
    PicturePngCache();
    explicit PicturePngCache(const QString& folder);

    static QString DefaultFolder();

    // The PNG (white transparent) of the picture file at `path`: the entry when it is current,
    // else made from the file and stored, best effort. Empty when the picture cannot be read.
    // Safe to call from several threads at once.
    QByteArray Png(const QString& path) const;

    // Makes the entries of these pictures in the background, one at a time on one thread;
    // returns at once. At exit the pictures not yet begun are left for next time. Relative
    // paths are taken against the current folder now.
    static void Prime(const QStringList& paths);

    // An entry is never larger: a PNG whose calendar attachment an import would refuse anyway.
    static constexpr qint64 MaxPngBytes = 48LL * 1024 * 1024;

private:
    QString EntryPath(const QString& absolutePath) const;
    QString Folder;
};
