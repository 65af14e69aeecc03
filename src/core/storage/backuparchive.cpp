// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/backuparchive.h"

#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/picture/picturefile.h"
#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QtEndian>
#include <limits>
#include <utility>

namespace {

QByteArray le32(qint32 n)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(n, bytes.data());
    return bytes;
}

// Takes a length field at `pos`; false when fewer than 4 bytes are left.
bool takeLength(const QByteArray& bytes, qsizetype* pos, qint32* n)
{
    if (bytes.size() - *pos < 4) {
        return false;
    }
    *n = qFromLittleEndian<qint32>(bytes.constData() + *pos);
    *pos += 4;
    return true;
}

bool fail(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

BackupArchive::Outcome outcome(BackupArchive::Status status, const QString& fileName,
                               const QString& reason = QString())
{
    BackupArchive::Outcome o;
    o.status = status;
    o.fileName = fileName;
    o.reason = reason;
    return o;
}

// Loads the event file through the store itself, so that what is checked is what the
// program will load. The settings reader reads files only: the bytes are staged in the
// program's own data folder (never the shared temporary folder) and removed at once.
bool loadStore(const QByteArray& store, AffairList* events, QString* reason)
{
    const QString folder =
        QDir(DataLocation::DataFolder()).exists() ? DataLocation::DataFolder() : QStringLiteral(".");
    QString why;
    const QString staged = SafeFile::Stage(folder + QStringLiteral("/eventinfor.eda"), store, &why);
    if (staged.isEmpty()) {
        return fail(reason, BackupArchive::tr("A temporary file cannot be written: %1").arg(why));
    }
    *events = AffairStore(staged).LoadAffairs();
    QFile::remove(staged);
    return true;
}

} // namespace

QString BackupArchive::Folder()
{
    return DataLocation::BackupFolder();
}

QString BackupArchive::FileNameFor(const QDate& date)
{
    return Folder() + QStringLiteral("/SEvent") + date.toString(Qt::ISODate) + QStringLiteral(".bef");
}

QString BackupArchive::TodaysFileName()
{
    return FileNameFor(Clock::now().date());
}

BackupArchive::Outcome BackupArchive::Backup()
{
    return Backup(TodaysFileName());
}

BackupArchive::Outcome BackupArchive::Backup(const QString& fileName)
{
    const QString storePath = AffairStore::DefaultPath();
    QByteArray store;
    QString why;
    if (!SafeFile::Read(storePath, AffairStore::MaxFileBytes, &store, &why)) {
        return outcome(Status::StoreUnreadable, fileName,
                       tr("The event list %1 cannot be read: %2").arg(storePath, why));
    }

    // The pictures follow the events of the very bytes packed, so a restore pairs each block
    // with its event even if the list in memory and the file on disk have drifted apart.
    AffairList events;
    QString reason;
    if (!loadStore(store, &events, &reason)) {
        return outcome(Status::StoreUnreadable, fileName, reason);
    }
    if (events.Count() == 0) {
        return outcome(Status::NothingToBackup, fileName, tr("You have nothing to backup."));
    }

    const QString folder = QFileInfo(fileName).path();
    if (!QDir().mkpath(folder)) {
        return outcome(Status::FolderNotWritable, fileName,
                       tr("The folder %1 cannot be created.").arg(folder));
    }

    const QByteArray compressed = qCompress(store, -1);
    QByteArray bytes = le32(qint32(compressed.size())) + compressed;
    for (int i = 0; i < events.Count(); ++i) {
        const QString path = events.At(i).GetPicPath();
        QByteArray picture;
        // Only a regular file under a name the program makes is carried; a link, a device,
        // a FIFO or a missing file is backed up as no picture.
        if (PictureFile::IsProgramPath(path) && SafeFile::IsRegular(path) &&
            !SafeFile::Read(path, PictureFile::MaxFileBytes, &picture, &why)) {
            return outcome(Status::WriteFailed, fileName,
                           tr("The picture %1 cannot be read: %2").arg(path, why));
        }
        bytes += le32(qint32(picture.size()));
        bytes += picture;
    }
    // Written beside the target and renamed over it at the end: a backup that fails on the
    // way leaves an earlier one of the same day whole.
    if (!SafeFile::Write(fileName, bytes, &why)) {
        return outcome(Status::WriteFailed, fileName,
                       tr("The backup file %1 cannot be written: %2").arg(fileName, why));
    }
    return outcome(Status::Ok, fileName);
}

bool BackupArchive::Parse(const QByteArray& bytes, Contents* out, QString* reason)
{
    qsizetype pos = 0;
    qint32 storeLength = 0;
    if (!takeLength(bytes, &pos, &storeLength)) {
        return fail(reason, tr("The file ends before the length of the event list."));
    }
    if (storeLength < 0) {
        return fail(reason, tr("The event list has a negative length (%1).").arg(storeLength));
    }
    if (storeLength > bytes.size() - pos) {
        return fail(reason, tr("The event list is longer (%1 bytes) than the data left (%2 bytes).")
                                .arg(storeLength)
                                .arg(bytes.size() - pos));
    }
    const QByteArray compressed = bytes.mid(pos, storeLength);
    pos += storeLength;

    // zlib cannot expand beyond about 1032 to 1: a larger claimed size is damage, and
    // qUncompress would try to allocate it.
    if (compressed.size() < 4) {
        return fail(reason, tr("The event list does not decompress."));
    }
    const quint32 claimed = qFromBigEndian<quint32>(compressed.constData());
    if (claimed > quint64(AffairStore::MaxFileBytes) ||
        claimed > quint64(compressed.size() - 4) * 1032 + 64) {
        return fail(reason, tr("The event list does not decompress."));
    }
    const QByteArray store = qUncompress(compressed);
    if (store.size() != qsizetype(claimed) || (claimed > 0 && store.isEmpty())) {
        return fail(reason, tr("The event list does not decompress."));
    }
    if (store.isEmpty()) {
        return fail(reason, tr("The event list is not an event file."));
    }

    AffairList events;
    if (!loadStore(store, &events, reason)) {
        return false;
    }
    // The program never writes a backup of no events; restoring one would only erase the list.
    if (events.Count() == 0) {
        return fail(reason, tr("The event list holds no events."));
    }
    // Every path a restored event names is one the program makes, or none: the restored list
    // is what Edit, Delete and the next backup will act on.
    for (int i = 0; i < events.Count(); ++i) {
        const QString path = events.At(i).GetPicPath();
        if (!path.isEmpty() && !PictureFile::IsProgramPath(path)) {
            return fail(reason,
                        tr("Event %1 names the picture path \"%2\", which is not one the program makes.")
                            .arg(i + 1)
                            .arg(path));
        }
    }

    QList<QByteArray> pictures;
    while (pos < bytes.size()) {
        const int k = pictures.size();
        qint32 n = 0;
        if (!takeLength(bytes, &pos, &n)) {
            return fail(reason, tr("The file ends inside the length of picture %1.").arg(k + 1));
        }
        if (n < 0) {
            return fail(reason, tr("Picture %1 has a negative length (%2).").arg(k + 1).arg(n));
        }
        if (n > bytes.size() - pos) {
            return fail(reason, tr("Picture %1 is longer (%2 bytes) than the data left (%3 bytes).")
                                    .arg(k + 1)
                                    .arg(n)
                                    .arg(bytes.size() - pos));
        }
        if (k >= events.Count()) {
            return fail(reason, tr("The file holds more pictures than its %1 events.").arg(events.Count()));
        }
        if (n > PictureFile::MaxFileBytes) {
            return fail(reason, tr("Picture %1 is larger than any the program writes.").arg(k + 1));
        }
        // Views into the file's bytes, which the contents keep: no picture is copied.
        pictures.append(QByteArray::fromRawData(bytes.constData() + pos, n));
        pos += n;
    }

    for (int i = 0; i < pictures.size(); ++i) {
        if (!pictures.at(i).isEmpty() && events.At(i).GetPicPath().isEmpty()) {
            return fail(reason, tr("Picture %1 belongs to an event without a picture path.").arg(i + 1));
        }
    }

    if (out) {
        out->source = bytes;
        out->store = store;
        out->events = events;
        out->pictures = pictures;
    }
    return true;
}

BackupArchive::Outcome BackupArchive::Apply(const Contents& contents, const AffairList& current)
{
    const QString storePath = AffairStore::DefaultPath();
    const QString dataFolder = QFileInfo(storePath).path();
    if (!QDir().mkpath(dataFolder)) {
        return outcome(Status::FolderNotWritable, QString(),
                       tr("The folder %1 cannot be created.").arg(dataFolder));
    }

    // The pictures in use now: those of the list in memory and of the event file on disk,
    // which normally are the same. Read before the event file is replaced.
    QSet<QString> old;
    const AffairList onDisk = AffairStore(storePath).LoadAffairs();
    for (const AffairList* list : {&current, &onDisk}) {
        for (int i = 0; i < list->Count(); ++i) {
            old.insert(list->At(i).GetPicPath());
        }
    }

    // One file per path; should two events share one, the later block wins.
    QMap<QString, int> targets;
    for (int i = 0; i < contents.pictures.size() && i < contents.events.Count(); ++i) {
        if (contents.pictures.at(i).isEmpty()) {
            continue;
        }
        const QString path = contents.events.At(i).GetPicPath();
        if (!PictureFile::IsProgramPath(path)) {
            return outcome(Status::Damaged, QString(),
                           tr("Event %1 names the picture path \"%2\", which is not one the program makes.")
                               .arg(i + 1)
                               .arg(path));
        }
        targets.insert(path, i);
    }

    // Everything is written beside its target first, into closed files (a backup may hold more
    // pictures than a process may keep open); any failure up to here leaves every file as it was.
    QList<QPair<QString, QString>> staged; // staged file, target
    auto discard = [&staged] {
        for (const auto& entry : std::as_const(staged)) {
            QFile::remove(entry.first);
        }
    };
    auto stage = [&](const QString& path, const QByteArray& bytes, QString* why) {
        QString error;
        const QString name = SafeFile::Stage(path, bytes, &error);
        if (name.isEmpty()) {
            *why = tr("%1 cannot be written: %2").arg(path, error);
            return false;
        }
        staged.append({name, path});
        return true;
    };
    QString why;
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        if (!stage(it.key(), contents.pictures.at(it.value()), &why)) {
            discard();
            return outcome(Status::WriteFailed, QString(),
                           why + QLatin1Char('\n') + tr("Nothing was changed."));
        }
    }
    if (!stage(storePath, contents.store, &why)) {
        discard();
        return outcome(Status::WriteFailed, QString(), why + QLatin1Char('\n') + tr("Nothing was changed."));
    }

    // The pictures go in before the event file that names them. Each is a rename over its
    // target, which hardly fails once the data is written.
    for (int i = 0; i < staged.size(); ++i) {
        QString error;
        if (!SafeFile::Commit(staged.at(i).first, staged.at(i).second, &error)) {
            const QString failed = tr("%1 cannot be written: %2").arg(staged.at(i).second, error);
            staged = staged.mid(i + 1);
            discard();
            return outcome(
                Status::WriteFailed, QString(),
                failed + QLatin1Char('\n') +
                    tr("The event list was not changed; %1 pictures were already replaced.").arg(i));
        }
    }

    for (const QString& path : std::as_const(old)) {
        if (!targets.contains(path)) {
            PictureFile::Remove(path);
        }
    }
    return outcome(Status::Ok, QString());
}

BackupArchive::Outcome BackupArchive::Restore(const QString& fileName, const AffairList& current,
                                              AffairList* restored)
{
    QByteArray bytes;
    QString why;
    if (!SafeFile::Read(fileName, MaxBackupBytes, &bytes, &why)) {
        return outcome(Status::FileUnreadable, fileName,
                       tr("The file %1 cannot be read: %2").arg(fileName, why));
    }

    Contents contents;
    QString reason;
    if (!Parse(bytes, &contents, &reason)) {
        return outcome(Status::Damaged, fileName,
                       tr("The file %1 is not a sound backup: %2").arg(fileName, reason));
    }
    Outcome result = Apply(contents, current);
    result.fileName = fileName;
    if (result.ok() && restored) {
        *restored = contents.events;
    }
    return result;
}
