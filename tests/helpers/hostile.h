// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/testenv.h"

#include <QDataStream>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QtEndian>
#include <cctype>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <zlib.h>

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

// A value in Qt's settings object syntax, "@Variant(<serialised object>)", escaped as Qt wrote it.
inline QByteArray variantValue(const QByteArray& object)
{
    QByteArray out = "@Variant(";
    bool escapeNextIfDigit = false;
    for (const char c : object) {
        const uchar b = uchar(c);
        if (escapeNextIfDigit && std::isxdigit(b)) {
            out += "\\x" + QByteArray::number(b, 16);
            continue;
        }
        escapeNextIfDigit = false;
        static const QByteArray named("\a\b\f\n\r\t\v");
        static const QByteArray letters("abfnrtv");
        if (b == 0 || b <= 0x1F || b >= 0x7F) {
            const int k = b ? named.indexOf(char(b)) : -1;
            out += k >= 0 ? "\\" + letters.mid(k, 1)
                   : b    ? "\\x" + QByteArray::number(b, 16)
                          : QByteArray("\\0");
            escapeNextIfDigit = k < 0;
        } else {
            out += (b == '"' || b == '\\') ? QByteArray("\\") + char(b) : QByteArray(1, char(b));
        }
    }
    out += ')';
    const bool quote = object.contains(';') || object.contains(',') || object.contains('=');
    return quote ? '"' + out + '"' : out;
}

// A list holding a list holding a list ... `depth` deep, as Qt's settings wrote objects.
inline QByteArray nestedList(int depth)
{
    const QByteArray level("\0\0\0\x09\0\0\0\x01", 8); // a list of one element
    return level.repeated(depth) + QByteArray(8, '\0').replace(3, 1, "\x09");
}

// One PNG chunk: length, type, data and checksum.
inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray body = QByteArray(type) + data;
    QByteArray length(4, '\0');
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), length.data());
    qToBigEndian<quint32>(
        quint32(::crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))), crc.data());
    return length + body + crc;
}

// A well-formed PNG of `width` x `height` pixels of 8-bit `colourType` (0 grey, 6 RGBA) whose
// pixel data is `packed` (next to none when empty: a header claiming a size, nothing behind it).
inline QByteArray png(quint32 width, quint32 height, int colourType = 6, const QByteArray& packed = {})
{
    QByteArray header; // 8 bits a sample, then compression, filter and interlacing 0
    QDataStream(&header, QIODevice::WriteOnly)
        << width << height << quint8(8) << quint8(colourType) << quint8(0) << quint16(0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", packed.isEmpty() ? qCompress("\0\0\0\0\0", 9).mid(4) : packed) +
           pngChunk("IEND", QByteArray());
}

// A BMP whose header claims `width` x `height` pixels of 24 bits, with sixteen bytes behind it.
inline QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bmp("BM");
    QDataStream out(&bmp, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    // File size, reserved, pixel offset, header size, size, one plane of 24 bits; the rest zero.
    out << quint32(54 + 16) << quint32(0) << quint32(54) << quint32(40) << width << height << quint16(1)
        << quint16(24);
    return bmp.leftJustified(54, '\0') + QByteArray(16, '\x7f');
}

// An image object: a PNG of side x side grey pixels, a few dozen KiB that decode to side² bytes.
inline QByteArray imageObject(int side)
{
    z_stream z = {};
    deflateInit(&z, 9);
    const QByteArray row(side + 1, '\0');
    QByteArray packed;
    char buffer[65536];
    for (int y = 0; y <= side; ++y) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        z.avail_in = y < side ? uInt(row.size()) : 0;
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, y < side ? Z_NO_FLUSH : Z_FINISH);
            packed.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return QByteArray("\0\0\0\x46\0\0\0\x01", 8) +
           png(quint32(side), quint32(side), 0, packed); // an image, present
}

// The event files that Qt's settings reader could not survive: one title a list nested 40,000
// deep (it overflowed the stack), and twenty titles holding images that decode to 64 MB each.
inline QByteArray nestedListStore()
{
    return "[General]\nnum=1\n\n[Event_1]\nAffairID=a\nAffairTitle=" + variantValue(nestedList(40000)) + "\n";
}
inline QByteArray imagesStore()
{
    static const QByteArray image = variantValue(imageObject(8000));
    QByteArray file = "[General]\nnum=20\n";
    for (int n = 1; n <= 20; ++n) {
        file += "\n[Event_" + QByteArray::number(n) + "]\nAffairID=" + QByteArray(1, char('a' + n - 1)) +
                "\nAffairTitle=" + image + "\n";
    }
    return file;
}

// The highest amount of memory this process has held, in MiB. AddressSanitizer's shadow memory
// and quarantine make that figure meaningless there; the normal build checks the bound.
inline long peakMiB()
{
#ifdef __SANITIZE_ADDRESS__
    return 0;
#endif
    rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace Hostile
