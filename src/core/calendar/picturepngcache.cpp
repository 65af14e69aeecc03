// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/picturepngcache.h"

#include "core/calendar/calendarexport.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMutex>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QtEndian>
#include <array>
#include <atomic>
#include <cstdio>
#include <optional>
#include <utility>
#include <zlib.h>
#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace {

// Changes whenever the PNG the export writes would change, so that older entries are rebuilt.
const QByteArray Magic("PBPNGv1\n", 8);
constexpr qsizetype VersionBytes = 5 * 8;
// Magic, the picture file's version, the length of the rest and its CRC-32. The rest is the
// picture's path (its length in two bytes, then UTF-8), for the sweep, and then the PNG.
constexpr qsizetype HeadBytes = 8 + VersionBytes + 8 + 4;
constexpr qsizetype MaxPathBytes = 4096;
const QLatin1String StagingPrefix(".staging-");

QString absolute(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// What tells one version of a picture file from any other, read without opening it; none for
// anything that is not a regular file.
std::optional<QByteArray> versionOf(const QString& path)
{
    std::array<qint64, 5> values{};
#ifdef Q_OS_LINUX
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    values = {qint64(st.st_size), qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_ino),
              qint64(st.st_dev)};
#else
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink()) {
        return std::nullopt;
    }
    values = {info.size(), info.lastModified().toMSecsSinceEpoch(), 0, 0, 0};
#endif
    QByteArray out(VersionBytes, '\0');
    for (size_t i = 0; i < values.size(); ++i) {
        qToBigEndian<qint64>(values[i], out.data() + 8 * i);
    }
    return out;
}

quint32 checksum(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

// The picture path an entry names; empty when its head is not one of ours.
QString pathOf(const QByteArray& entry)
{
    if (entry.size() < HeadBytes + 2 || !entry.startsWith(Magic)) {
        return QString();
    }
    const quint16 length = qFromBigEndian<quint16>(entry.constData() + HeadBytes);
    return length > MaxPathBytes || entry.size() < HeadBytes + 2 + length
               ? QString()
               : QString::fromUtf8(entry.constData() + HeadBytes + 2, length);
}

// The PNG of an entry made for exactly this version of the picture; empty for anything else,
// a truncated or damaged entry included.
QByteArray pngOf(const QByteArray& entry, const QByteArray& version)
{
    if (entry.size() < HeadBytes || !entry.startsWith(Magic) || entry.mid(8, VersionBytes) != version) {
        return QByteArray();
    }
    const quint64 length = qFromBigEndian<quint64>(entry.constData() + 8 + VersionBytes);
    const quint32 sum = qFromBigEndian<quint32>(entry.constData() + 8 + VersionBytes + 8);
    if (length != quint64(entry.size() - HeadBytes) ||
        checksum(QByteArray::fromRawData(entry.constData() + HeadBytes, entry.size() - HeadBytes)) != sum ||
        pathOf(entry).isEmpty()) {
        return QByteArray();
    }
    const QByteArray png = entry.mid(HeadBytes + 2 + qFromBigEndian<quint16>(entry.constData() + HeadBytes));
    return png.startsWith("\x89PNG\r\n\x1a\n") ? png : QByteArray();
}

// Best effort: a full disk or a read-only cache folder leaves no entry, and the export goes on.
void store(const QString& folder, const QString& entry, const QString& picture, const QByteArray& version,
           const QByteArray& png)
{
    const QByteArray path = picture.toUtf8();
    if (png.size() > PicturePngCache::MaxPngBytes || path.size() > MaxPathBytes || !QDir().mkpath(folder)) {
        return;
    }
    QByteArray rest(2, '\0');
    qToBigEndian<quint16>(quint16(path.size()), rest.data());
    rest += path;
    QByteArray head = Magic + version + QByteArray(12, '\0');
    qToBigEndian<quint64>(quint64(rest.size() + png.size()), head.data() + 8 + VersionBytes);
    qToBigEndian<quint32>(
        quint32(crc32(checksum(rest), reinterpret_cast<const Bytef*>(png.constData()), uInt(png.size()))),
        head.data() + 8 + VersionBytes + 8);
    head += rest;
    // Replaced whole, so a reader sees the old entry or the new one; not synced to the disk, since
    // a short entry after a crash fails its checksum and is only rebuilt.
    QTemporaryFile staged(folder + QLatin1Char('/') + StagingPrefix + QStringLiteral("XXXXXX"));
    if (!staged.open() || staged.write(head) != head.size() || staged.write(png) != png.size() ||
        !staged.flush()) {
        return;
    }
    staged.close();
#ifdef Q_OS_WIN
    QFile::remove(entry);
#endif
    if (std::rename(QFile::encodeName(staged.fileName()).constData(), QFile::encodeName(entry).constData()) ==
        0) {
        staged.setAutoRemove(false);
    }
}

// Entries of pictures that are gone (a deleted event, a restore, another data folder's picture
// deleted there) and what an interrupted write left: the cache keeps no copy of a deleted
// picture beyond the next start, and does not grow without end.
void sweep(const QString& folder)
{
    const QDir dir(folder);
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (info.fileName().startsWith(StagingPrefix)) {
            if (info.lastModified().toUTC() < old) {
                QFile::remove(info.filePath());
            }
            continue;
        }
        QFile file(info.filePath());
        const QString picture =
            file.open(QIODevice::ReadOnly) ? pathOf(file.read(HeadBytes + 2 + MaxPathBytes)) : QString();
        if (picture.isEmpty() || !versionOf(picture)) {
            QFile::remove(info.filePath());
        }
    }
}

QMutex PendingLock;
QSet<QString> Pending;
bool Swept = false;
std::atomic<bool> Stopping{false};

QThreadPool* primingPool()
{
    // One thread at the normal priority, so that at exit the picture under way (a few
    // milliseconds) ends soon even on a busy machine; the rest of the queue is dropped, and no
    // thread outlives the program's statics.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        qAddPostRoutine([] {
            Stopping = true;
            primingPool()->clear();
            primingPool()->waitForDone();
        });
        return p;
    }();
    return pool;
}

} // namespace

PicturePngCache::PicturePngCache() : PicturePngCache(DefaultFolder()) {}

PicturePngCache::PicturePngCache(const QString& folder) : Folder(folder) {}

QString PicturePngCache::DefaultFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/pictures-png");
}

QString PicturePngCache::EntryPath(const QString& absolutePath) const
{
    return Folder + QLatin1Char('/') +
           QString::fromLatin1(
               QCryptographicHash::hash(absolutePath.toUtf8(), QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".entry");
}

QByteArray PicturePngCache::Png(const QString& path) const
{
    const QString file = absolute(path);
    // Taken before the picture is read: should the file be replaced in between, the entry is
    // filed under the version that is gone and never matches again.
    const std::optional<QByteArray> version = versionOf(file);
    if (!version) {
        return QByteArray();
    }
    const QString entry = Folder.isEmpty() ? QString() : EntryPath(file);
    QByteArray bytes;
    if (!entry.isEmpty() && SafeFile::Read(entry, HeadBytes + 2 + MaxPathBytes + MaxPngBytes, &bytes)) {
        const QByteArray png = pngOf(bytes, *version);
        if (!png.isEmpty()) {
            return png;
        }
    }
    if (!SafeFile::Read(file, PictureFile::MaxFileBytes, &bytes)) {
        return QByteArray();
    }
    QImage image;
    const QSize size = PictureFile::StoredSize(bytes);
    if (size.isEmpty() || !PictureFile::Decode(bytes, size, &image)) {
        return QByteArray();
    }
    bytes = QByteArray();
    const QByteArray png = CalendarExport::Png(image);
    if (!entry.isEmpty()) {
        store(Folder, entry, file, *version, png);
    }
    return png;
}

void PicturePngCache::Prime(const QStringList& paths)
{
    const QString folder = DefaultFolder();
    if (folder.isEmpty()) {
        return;
    }
    QStringList fresh;
    bool sweepFirst = false;
    {
        QMutexLocker lock(&PendingLock);
        for (const QString& path : paths) {
            const QString file = absolute(path);
            if (!Pending.contains(file)) {
                Pending.insert(file);
                fresh.append(file);
            }
        }
        sweepFirst = !fresh.isEmpty() && !std::exchange(Swept, true);
    }
    if (fresh.isEmpty()) {
        return;
    }
    primingPool()->start([fresh, folder, sweepFirst] {
        if (sweepFirst) {
            sweep(folder);
        }
        const PicturePngCache cache(folder);
        for (const QString& file : fresh) {
            if (Stopping) {
                return;
            }
            {
                // Let go before the work: a change to the picture meanwhile is primed again.
                QMutexLocker lock(&PendingLock);
                Pending.remove(file);
            }
            cache.Png(file);
        }
    });
}
