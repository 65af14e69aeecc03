// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>

// The backup file "./backup/SEvent<yyyy-MM-dd>.bef": no header; a signed 32-bit little-endian
// length and the qCompress'd event file; then, for each event of that event file in its
// order, a length and the event's picture file as it lies on disk (length 0: no picture).
//
// A restore reads and checks the whole file first and touches nothing unless all of it is
// sound; only then are the event file and the pictures replaced. The main window supplies
// the dialogs and messages (backupmessages.h).
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
        QByteArray store;           // the event file's bytes, uncompressed
        AffairList events;          // the events that file holds, in its order
        QList<QByteArray> pictures; // block k belongs to event k; empty = no picture
    };

    static QString Folder();
    static QString FileNameFor(const QDate& date);
    // Today's name, by the program's clock.
    static QString TodaysFileName();

    // The file layout, from the uncompressed event file and one block per event. False
    // (and `error` set) only when a part is too large for a 32-bit length.
    static bool Pack(const QByteArray& store, const QList<QByteArray>& pictures, QByteArray* out,
                     QString* error = nullptr);

    // Writes today's backup of "./data/eventinfor.eda" and the pictures of its events,
    // replacing an earlier one of the same day whole or not at all. Pictures are read only
    // from paths the program makes; any other path counts as no picture.
    static Outcome Backup();
    static Outcome Backup(const QString& fileName);

    // Phase one of a restore, on bytes in memory (also the entry point for fuzzing): nothing
    // is written but one temporary file, removed again, through which the event file is
    // loaded. False, `reason` set, when a length is negative or runs beyond the data, the
    // event file does not decompress or does not load as one, there are more picture blocks
    // than events, or a picture would go to a path the program does not make. Fewer blocks
    // than events is sound: the later events have no picture.
    static bool Parse(const QByteArray& bytes, Contents* out, QString* reason = nullptr);

    // Writes checked contents: the pictures and the event file, each replaced whole, then
    // removes the pictures of `current` (and of the event file on disk) that the restore did
    // not write, so no event keeps a picture it did not have at backup time.
    static Outcome Apply(const Contents& contents, const AffairList& current);

    // Parse, then Apply. On failure nothing has changed (unless the reason says otherwise);
    // on success `restored` holds the restored events, not yet re-armed.
    static Outcome Restore(const QString& fileName, const AffairList& current, AffairList* restored);

    // Keeps a damaged file from making the program allocate without end (the event count is
    // held to AffairStore::MaxEvents).
    static constexpr qsizetype MaxStoreBytes = 256 * 1024 * 1024;
};
