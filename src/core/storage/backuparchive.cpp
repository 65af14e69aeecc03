// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/backuparchive.h"

#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/picture/picturefile.h"
#include "core/storage/datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryFile>
#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif
#include <QtEndian>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {

QByteArray le32(qint32 n)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(n, bytes.data());
    return bytes;
}

bool fitsLength(qsizetype n)
{
    return n <= std::numeric_limits<qint32>::max();
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
// program will load. QSettings reads files only, hence the temporary file.
bool loadStore(const QByteArray& store, AffairList* events, QString* reason)
{
    // Named after the process, so that one process's leftovers (a kill in the middle) are
    // told apart from another's files in use.
    QTemporaryFile file(
        QDir::tempPath() +
        QStringLiteral("/pennibell-restore-%1-XXXXXX.ini").arg(QCoreApplication::applicationPid()));
    if (!file.open() || file.write(store) != store.size() || !file.flush()) {
        return fail(reason,
                    BackupArchive::tr("A temporary file cannot be written: %1").arg(file.errorString()));
    }
    file.close();
    {
        // QSettings accepts almost any text; an event file always has a count.
        QSettings settings(file.fileName(), QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            return fail(reason, BackupArchive::tr("The event list is not an event file."));
        }
        bool number = false;
        const int num = settings.value(QStringLiteral("num")).toString().trimmed().toInt(&number);
        if (!number) {
            return fail(reason, BackupArchive::tr("The event list is not an event file."));
        }
        // Every event takes more than a byte of the file; a larger count is damage, and
        // loading it would only make empty events.
        if (num < 0 || num > AffairStore::MaxEvents || num > store.size()) {
            return fail(reason, BackupArchive::tr("The event list claims %1 events.").arg(num));
        }
    }
    AffairStore loader(file.fileName());
    *events = loader.LoadAffairs();
    return true;
}

bool SyncToDisk(QFile& file)
{
#ifdef Q_OS_WIN
    Q_UNUSED(file);
    return true;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Moves `from` over `to` in one step, as QSaveFile does on commit.
bool ReplaceFile(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
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

bool BackupArchive::Pack(const QByteArray& store, const QList<QByteArray>& pictures, QByteArray* out,
                         QString* error)
{
    const QByteArray compressed = qCompress(store, -1);
    if (!fitsLength(compressed.size())) {
        return fail(error, tr("The event list is too large for a backup."));
    }
    QByteArray bytes = le32(qint32(compressed.size())) + compressed;
    for (const QByteArray& picture : pictures) {
        if (!fitsLength(picture.size())) {
            return fail(error, tr("A picture is too large for a backup."));
        }
        bytes += le32(qint32(picture.size()));
        bytes += picture;
    }
    *out = bytes;
    return true;
}

BackupArchive::Outcome BackupArchive::Backup()
{
    return Backup(TodaysFileName());
}

BackupArchive::Outcome BackupArchive::Backup(const QString& fileName)
{
    const QString storePath = AffairStore::DefaultPath();
    QFile storeFile(storePath);
    if (!storeFile.open(QIODevice::ReadOnly)) {
        return outcome(Status::StoreUnreadable, fileName,
                       tr("The event list %1 cannot be read: %2").arg(storePath, storeFile.errorString()));
    }
    const QByteArray store = storeFile.readAll();
    if (storeFile.error() != QFileDevice::NoError || store.size() != storeFile.size()) {
        return outcome(Status::StoreUnreadable, fileName,
                       tr("The event list %1 cannot be read: %2").arg(storePath, storeFile.errorString()));
    }
    storeFile.close();

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
    if (!fitsLength(compressed.size())) {
        return outcome(Status::WriteFailed, fileName, tr("The event list is too large for a backup."));
    }

    // Written beside the target and renamed over it at the end: a backup that fails on the
    // way leaves an earlier one of the same day whole.
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly)) {
        return outcome(Status::FileNotWritable, fileName,
                       tr("The backup file %1 cannot be written: %2").arg(fileName, out.errorString()));
    }
    auto writeFailed = [&]() {
        const QString why = out.errorString();
        out.cancelWriting();
        return outcome(Status::WriteFailed, fileName,
                       tr("The backup file %1 cannot be written: %2").arg(fileName, why));
    };
    const QByteArray head = le32(qint32(compressed.size()));
    if (out.write(head) != head.size() || out.write(compressed) != compressed.size()) {
        return writeFailed();
    }
    for (int i = 0; i < events.Count(); ++i) {
        const QString path = events.At(i).GetPicPath();
        QByteArray picture;
        // Only a file the program made is carried; a picture that cannot be opened is
        // backed up as none, as it always was.
        QFile file(path);
        if (PictureFile::IsProgramPath(path) && file.open(QIODevice::ReadOnly)) {
            picture = file.readAll();
            if (file.error() != QFileDevice::NoError || picture.size() != file.size()) {
                out.cancelWriting();
                return outcome(Status::WriteFailed, fileName,
                               tr("The picture %1 cannot be read: %2").arg(path, file.errorString()));
            }
            if (!fitsLength(picture.size())) {
                out.cancelWriting();
                return outcome(Status::WriteFailed, fileName,
                               tr("The picture %1 is too large for a backup.").arg(path));
            }
        }
        const QByteArray length = le32(qint32(picture.size()));
        if (out.write(length) != length.size() || out.write(picture) != picture.size()) {
            return writeFailed();
        }
    }
    if (!out.commit()) {
        return outcome(Status::WriteFailed, fileName,
                       tr("The backup file %1 cannot be written: %2").arg(fileName, out.errorString()));
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
    if (claimed > quint64(MaxStoreBytes) || claimed > quint64(compressed.size() - 4) * 1032 + 64) {
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
        pictures.append(bytes.mid(pos, n));
        pos += n;
    }

    // A restore writes pictures under the paths the event file names; only a path the
    // program makes stays inside "./data". Any other path was backed up as no picture and
    // gets none, so it is left alone.
    for (int i = 0; i < pictures.size(); ++i) {
        const QString path = events.At(i).GetPicPath();
        if (!pictures.at(i).isEmpty() && !PictureFile::IsProgramPath(path)) {
            return fail(reason,
                        tr("Event %1 names the picture path \"%2\", which is not one the program makes.")
                            .arg(i + 1)
                            .arg(path));
        }
    }

    if (out) {
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
    QList<QPair<QString, QString>> staged; // temporary file, target
    auto discard = [&staged] {
        for (const auto& entry : std::as_const(staged)) {
            QFile::remove(entry.first);
        }
    };
    auto stage = [&](const QString& path, const QByteArray& bytes, QString* why) {
        QTemporaryFile file(QFileInfo(path).path() + QStringLiteral("/.restore-XXXXXX"));
        if (!file.open() || file.write(bytes) != bytes.size() || !file.flush() || !SyncToDisk(file)) {
            *why = tr("%1 cannot be written: %2").arg(path, file.errorString());
            return false;
        }
        file.setAutoRemove(false);
        staged.append({file.fileName(), path});
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
        if (!ReplaceFile(staged.at(i).first, staged.at(i).second)) {
            const QString failed = tr("%1 cannot be written: %2").arg(staged.at(i).second, qt_error_string());
            staged = staged.mid(i);
            discard();
            return outcome(
                Status::WriteFailed, QString(),
                failed + QLatin1Char('\n') +
                    tr("The event list was not changed; %1 pictures were already replaced.").arg(i));
        }
    }

    for (const QString& path : std::as_const(old)) {
        if (PictureFile::IsProgramPath(path) && !targets.contains(path)) {
            QFile::remove(path);
        }
    }
    return outcome(Status::Ok, QString());
}

BackupArchive::Outcome BackupArchive::Restore(const QString& fileName, const AffairList& current,
                                              AffairList* restored)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return outcome(Status::FileUnreadable, fileName,
                       tr("The file %1 cannot be read: %2").arg(fileName, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size()) {
        return outcome(Status::FileUnreadable, fileName,
                       tr("The file %1 cannot be read: %2").arg(fileName, file.errorString()));
    }
    file.close();

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
