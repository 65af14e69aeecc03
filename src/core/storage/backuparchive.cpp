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

// A new name for each restored picture: one no file has and no event of the current list names,
// so that until the new event file is in place no old event sees a restored picture.
class FreshNames
{
public:
    explicit FreshNames(const QSet<QString>& taken) : Taken(taken) {}
    QString Next()
    {
        const QString path = PictureFile::NewPath(Stamp, Taken);
        if (!path.isEmpty()) {
            Taken.insert(path);
            // Names are the stamp's digits: the next search starts after this one.
            Stamp = QDateTime(QDate::fromString(path.right(14).left(8), QStringLiteral("yyyyMMdd")),
                              QTime::fromString(path.right(6), QStringLiteral("hhmmss")), Qt::UTC)
                        .addSecs(1);
        }
        return path;
    }

private:
    QSet<QString> Taken;
    // In UTC, so that no hour is skipped or repeated.
    QDateTime Stamp = Clock::now().toUTC();
};

} // namespace

QString BackupArchive::Folder()
{
    return DataLocation::BackupFolder();
}

QString BackupArchive::FileNameFor(const QDate& date, int number)
{
    const QString suffix = number > 1 ? QStringLiteral("-%1").arg(number) : QString();
    return Folder() + QStringLiteral("/SEvent") + date.toString(Qt::ISODate) + suffix +
           QStringLiteral(".bef");
}

QString BackupArchive::TodaysFileName()
{
    const QDate today = Clock::now().date();
    QString name = FileNameFor(today);
    for (int number = 2; number <= 10000 && (QFileInfo::exists(name) || QFileInfo(name).isSymLink());
         ++number) {
        name = FileNameFor(today, number);
    }
    return name;
}

BackupArchive::Outcome BackupArchive::Backup()
{
    return Backup(TodaysFileName());
}

BackupArchive::Outcome BackupArchive::Backup(const QString& fileName)
{
    // The pictures follow the events of the very bytes packed, so a restore pairs each block
    // with its event even if the list in memory and the file on disk have drifted apart.
    const AffairStore source;
    QByteArray store;
    AffairList events;
    QString why;
    if (!source.Read(&store, &events, &why)) {
        return outcome(Status::StoreUnreadable, fileName,
                       tr("The event list %1 cannot be read: %2").arg(source.FileName(), why));
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
    // way leaves nothing behind.
    if (!SafeFile::Write(fileName, bytes, &why)) {
        return outcome(Status::WriteFailed, fileName,
                       tr("The backup file %1 cannot be written: %2").arg(fileName, why));
    }
    return outcome(Status::Ok, fileName);
}

bool BackupArchive::Parse(const QByteArray& bytes, Contents* out, QString* reason)
{
    // The reasons complete "The file ... is not a Pennibell backup: ".
    qsizetype pos = 0;
    qint32 storeLength = 0;
    if (!takeLength(bytes, &pos, &storeLength) || storeLength > bytes.size() - pos) {
        return fail(reason, tr("it ends too early."));
    }
    if (storeLength < 0) {
        return fail(reason, tr("it is damaged at its start."));
    }
    const QByteArray compressed = bytes.mid(pos, storeLength);
    pos += storeLength;

    // zlib cannot expand beyond about 1032 to 1: a larger claimed size is damage, and
    // qUncompress would try to allocate it.
    const QString damaged = tr("its list of events is damaged.");
    if (compressed.size() < 4) {
        return fail(reason, damaged);
    }
    const quint32 claimed = qFromBigEndian<quint32>(compressed.constData());
    if (claimed > quint64(AffairStore::MaxFileBytes) ||
        claimed > quint64(compressed.size() - 4) * 1032 + 64) {
        return fail(reason, damaged);
    }
    const QByteArray store = qUncompress(compressed);
    if (store.size() != qsizetype(claimed) || store.isEmpty()) {
        return fail(reason, damaged);
    }

    AffairList events;
    if (!AffairStore::Parse(store, &events)) {
        return fail(reason, damaged);
    }
    // The program never writes a backup of no events; restoring one would only erase the list.
    if (events.Count() == 0) {
        return fail(reason, tr("it holds no events."));
    }
    // Every path a restored event names is one the program makes, or none: the restored list
    // is what Edit, Delete and the next backup will act on.
    for (int i = 0; i < events.Count(); ++i) {
        const QString path = events.At(i).GetPicPath();
        if (!path.isEmpty() && !PictureFile::IsProgramPath(path)) {
            return fail(reason, tr("event %1 names the picture file \"%2\", which Pennibell does not make.")
                                    .arg(i + 1)
                                    .arg(path));
        }
    }

    QList<QByteArray> pictures;
    while (pos < bytes.size()) {
        const int k = pictures.size();
        qint32 n = 0;
        if (!takeLength(bytes, &pos, &n) || n > bytes.size() - pos) {
            return fail(reason, tr("it ends too early."));
        }
        if (n < 0) {
            return fail(reason, tr("it is damaged after its list of events."));
        }
        if (k >= events.Count()) {
            return fail(reason, tr("it holds more pictures than events."));
        }
        if (n > PictureFile::MaxFileBytes) {
            return fail(reason, tr("picture %1 is larger than any Pennibell draws.").arg(k + 1));
        }
        // Views into the file's bytes, which the contents keep: no picture is copied.
        pictures.append(QByteArray::fromRawData(bytes.constData() + pos, n));
        pos += n;
    }

    for (int i = 0; i < pictures.size(); ++i) {
        if (!pictures.at(i).isEmpty() && events.At(i).GetPicPath().isEmpty()) {
            return fail(reason, tr("picture %1 belongs to an event without a picture.").arg(i + 1));
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

BackupArchive::Outcome BackupArchive::Apply(const Contents& contents, const AffairList& current,
                                            AffairList* restored)
{
    const AffairStore target;
    const QString dataFolder = QFileInfo(target.FileName()).path();
    if (!QDir().mkpath(dataFolder)) {
        return outcome(Status::FolderNotWritable, QString(),
                       tr("The folder %1 cannot be created.").arg(dataFolder));
    }

    // The pictures in use now: those of the list in memory and of the event file on disk,
    // which normally are the same. Read before the event file is replaced.
    QSet<QString> old;
    QByteArray bytes;
    AffairList onDisk;
    target.Read(&bytes, &onDisk);
    const AffairList* lists[] = {&current, &onDisk};
    for (const AffairList* list : lists) {
        for (int i = 0; i < list->Count(); ++i) {
            old.insert(list->At(i).GetPicPath());
        }
    }

    // One new file per restored path; should two events share one, they share the new one too,
    // and the later block wins.
    QMap<QString, int> blocks;
    for (int i = 0; i < contents.pictures.size() && i < contents.events.Count(); ++i) {
        if (!contents.pictures.at(i).isEmpty()) {
            blocks.insert(contents.events.At(i).GetPicPath(), i);
        }
    }
    FreshNames names(old);
    QMap<QString, QString> renamed; // path in the backup -> new path
    QStringList written;
    auto undo = [&written] {
        for (const QString& path : std::as_const(written)) {
            QFile::remove(path);
        }
    };
    QString why;
    for (auto it = blocks.cbegin(); it != blocks.cend(); ++it) {
        if (!PictureFile::IsProgramPath(it.key())) {
            undo();
            return outcome(Status::Damaged, QString(),
                           tr("Event %1 names the picture file \"%2\", which Pennibell does not make.")
                               .arg(it.value() + 1)
                               .arg(it.key()));
        }
        const QString path = names.Next();
        if (path.isEmpty()) {
            undo();
            return outcome(Status::WriteFailed, QString(), tr("No new name is left for a picture."));
        }
        // Each whole on disk under its new name before the next; a failure removes them again.
        if (!SafeFile::Write(path, contents.pictures.at(it.value()), &why)) {
            undo();
            return outcome(Status::WriteFailed, QString(),
                           tr("%1 cannot be written: %2").arg(path, why) + QLatin1Char('\n') +
                               tr("Nothing was changed."));
        }
        written.append(path);
        renamed.insert(it.key(), path);
    }

    AffairList events;
    for (int i = 0; i < contents.events.Count(); ++i) {
        AffairInfo record = contents.events.At(i);
        record.SetPicPath(renamed.value(record.GetPicPath()));
        events.AppendAffair(record);
    }
    // The one moment of the restore: before it the old list with its old pictures is in place,
    // after it the new list with its new ones.
    AffairStore store;
    if (!store.SaveAffairs(events, &why)) {
        undo();
        return outcome(Status::WriteFailed, QString(), why + QLatin1Char('\n') + tr("Nothing was changed."));
    }

    for (const QString& path : std::as_const(old)) {
        PictureFile::Remove(path);
    }
    if (restored) {
        *restored = events;
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
                       tr("The file %1 is not a Pennibell backup: %2").arg(fileName, reason));
    }
    Outcome result = Apply(contents, current, restored);
    result.fileName = fileName;
    return result;
}
