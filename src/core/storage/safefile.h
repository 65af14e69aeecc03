// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Every file the program writes goes through here. A nearly full disk makes write() return
// short counts that Qt passes on without an error, and QSaveFile then commits the truncated
// file; so each write is checked byte by byte, flushed to the disk, and only then renamed over
// the old file. A failure leaves the old file exactly as it was.
class SafeFile
{
    Q_DECLARE_TR_FUNCTIONS(SafeFile)

public:
    // Replaces `path` (a link of that name is replaced itself, never its target).
    static bool Write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // Writes `bytes` to a new hidden file beside `path` and returns its name (empty on
    // failure): the first half of Write, for callers that replace several files together.
    static QString Stage(const QString& path, const QByteArray& bytes, QString* error = nullptr);
    // Renames a staged file over `path`; the staged file is removed on failure.
    static bool Commit(const QString& staged, const QString& path, QString* error = nullptr);

    // Renames `from` (a link itself, not its target) to `to`, which must not exist yet on
    // Windows; on failure both stay as they were.
    static bool Rename(const QString& from, const QString& to, QString* error = nullptr);

    // The path names a regular file itself: not a link (even to one), FIFO or device.
    static bool IsRegular(const QString& path);
    // A regular file of at most maxBytes, read whole without following a link.
    static bool Read(const QString& path, qint64 maxBytes, QByteArray* out, QString* error = nullptr);

    // Removes what an interrupted write left in `folder`.
    static void RemoveStale(const QString& folder);
};
