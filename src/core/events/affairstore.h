// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Loads and saves the event file "./data/eventinfor.eda" (INI text). Made for one operation.
//
// The file is never lost to a fault of ours: the writer refuses a list the reader would refuse,
// and a file that is there but cannot be read is moved aside rather than saved over. An event
// file behind a symbolic link is read through it, and a save replaces the file the link points
// to, so the link stays.
class AffairStore
{
    Q_DECLARE_TR_FUNCTIONS(AffairStore)

public:
    static QString DefaultPath();
    // No one keeps more events than this; a larger count or group number is damage.
    static constexpr int MaxEvents = 10000;
    // Far above what MaxEvents records of the longest title make; a larger file is not read.
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    explicit AffairStore(const QString& fileName = DefaultPath());

    // A missing file is an empty list. A file that is there but cannot be read (too large, not
    // a regular file, damaged) is renamed to "<name>.unreadable-<yyyyMMdd-hhmmss>", so that no
    // save can write over it: false, `out` empty, `error` naming that file.
    bool Load(AffairList* out, QString* error = nullptr);
    // True only when the file on disk now holds exactly the list; else `error` says why, ready
    // for the user. Refused, with the file as it was, for a list Load would not read back (more
    // than MaxEvents, larger than MaxFileBytes).
    bool SaveAffairs(const AffairList& list, QString* error = nullptr);

    // The file's bytes and events, read without moving anything: false when missing too.
    bool Read(QByteArray* bytes, AffairList* events, QString* error = nullptr) const;

    // The events of an event file's bytes: every Event_N group there, in the order of N.
    static bool Parse(const QByteArray& bytes, AffairList* out, QString* error = nullptr);
    // The bytes SaveAffairs writes.
    static bool Text(const AffairList& list, QByteArray* out, QString* error = nullptr);

    QString FileName() const;

private:
    // The file the name stands for: the target of a link.
    QString Target() const;

    QString Name;
};
