// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>

// The backup file "./backup/SEvent<yyyy-MM-dd>.bef" ("-2.bef", "-3.bef", ... for the later ones
// of a day): no header; a signed 32-bit little-endian
// length and the qCompress'd event file; then, for each event of that event file in its
// order, a length and the event's picture file as it lies on disk (length 0: no picture).
//
// A restore reads and checks the whole file first and touches nothing unless all of it is
// sound. Then it is one step: the restored pictures are written under new names, the event
// file naming them replaces the old one (the one moment that counts), and only then do the old
// pictures go. Stopped at any point, the old list keeps its old pictures or the new list has
// its new ones. The main window supplies the dialogs and messages (backupmessages.h).
class BackupArchive
{
    Q_DECLARE_TR_FUNCTIONS(BackupArchive)

public:
    enum class Status
    {
        Ok,
        NothingToBackup,   // the event file lists no event
        StoreUnreadable,   // the event file cannot be read
        FolderNotWritable, // "./backup" or "./data" cannot be created
        FileNotWritable,   // the target file cannot be created
        WriteFailed,       // writing or committing failed (disk full, ...)
        FileUnreadable,    // the chosen backup file cannot be read
        Damaged            // the chosen backup file is not a sound backup
    };

    struct Outcome
    {
        Status status = Status::Ok;
        QString reason;   // why it failed, ready for a message box; empty on success
        QString fileName; // the backup file written or read
        bool ok() const { return status == Status::Ok; }
    };

    // A backup file taken apart and checked.
    struct Contents
    {
        QByteArray source;          // the backup file's bytes, which the pictures point into
        QByteArray store;           // the event file's bytes, uncompressed
        AffairList events;          // the events that file holds, in its order
        QList<QByteArray> pictures; // block k belongs to event k; empty = no picture
    };

    static QString Folder();
    // The day's first backup, or with number 2, 3, ... the later ones.
    static QString FileNameFor(const QDate& date, int number = 1);
    // The first name of today (by the program's clock) that no file has yet.
    static QString TodaysFileName();

    // Writes a backup of "./data/eventinfor.eda" and the pictures of its events under today's
    // next free name, so an earlier backup of the same day stays. Pictures are read only
    // from paths the program makes; any other path counts as no picture.
    static Outcome Backup();
    static Outcome Backup(const QString& fileName);

    // Phase one of a restore, on bytes in memory (also the entry point for fuzzing): nothing
    // is written. False, `reason` set (a sentence for a person), when a length is negative or runs beyond the
    // data, the event file does not decompress or holds no event, there are more picture blocks than events,
    // a block is larger than any picture, or an event names a picture path the program does not make. Fewer
    // blocks than events is sound: the later events have no picture.
    static bool Parse(const QByteArray& bytes, Contents* out, QString* reason = nullptr);

    // Writes checked contents: each picture under a new name, then the event file naming them,
    // then removes the pictures of `current` and of the event file on disk, so no event keeps
    // a picture it did not have at backup time. `restored` gets the events as written (their
    // new picture paths; an event whose picture was not in the backup names none).
    static Outcome Apply(const Contents& contents, const AffairList& current, AffairList* restored = nullptr);

    // Parse, then Apply. On failure nothing has changed (unless the reason says otherwise);
    // on success `restored` holds the restored events, not yet re-armed.
    static Outcome Restore(const QString& fileName, const AffairList& current, AffairList* restored);

    // A larger file is not read: it would cost more memory than the program may take.
    static constexpr qint64 MaxBackupBytes = 128 * 1024 * 1024;
};
