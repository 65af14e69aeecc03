// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"

#include "core/storage/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>
#include <cstring>
#include <utility>
#include <zlib.h>

namespace {

const char Marker[] = "size";

qsizetype strideFor(int width)
{
    return 4 * ((qsizetype(width) + 1) / 2);
}

// Stored words are little-endian; a big-endian machine swaps them on the way in and out.
void toStoredOrder(uchar* data, qsizetype bytes)
{
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        std::swap(data[i], data[i + 1]);
    }
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

bool parseSide(const QByteArray& text, int* out)
{
    if (text.isEmpty() || text.size() > 5 || text.startsWith('0')) {
        return false;
    }
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    if (v > PictureFile::MaxSide) {
        return false;
    }
    *out = v;
    return true;
}

// "<width>x<height>size" at the start of `bytes`; `marker` receives where "size" starts.
bool parseHeader(const QByteArray& bytes, int* width, int* height, qsizetype* marker)
{
    const qsizetype p = bytes.indexOf(Marker);
    if (p <= 0 || p > 11) {
        return false;
    }
    const QByteArray header = bytes.left(p);
    const qsizetype x = header.indexOf('x');
    if (x < 0 || !parseSide(header.left(x), width) || !parseSide(header.mid(x + 1), height) ||
        qint64(*width) * *height > PictureFile::MaxPixels) {
        return false;
    }
    *marker = p;
    return true;
}

// The head of a picture file's stream, inflated into a few bytes and parsed; the stream stays
// open for the pixels behind it.
struct HeadReader
{
    z_stream zs{};
    char head[16];
    bool open = false;
    int rc = Z_STREAM_ERROR;
    qsizetype got = 0;
    int width = 0;
    int height = 0;
    qsizetype marker = 0;

    explicit HeadReader(const QByteArray& fileBytes)
    {
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(fileBytes.constData() + 4));
        zs.avail_in = uInt(fileBytes.size() - 4);
        zs.next_out = reinterpret_cast<Bytef*>(head);
        zs.avail_out = sizeof head;
        open = inflateInit(&zs) == Z_OK;
        if (open) {
            rc = inflate(&zs, Z_SYNC_FLUSH);
            got = qsizetype(sizeof head - zs.avail_out);
        }
    }
    ~HeadReader()
    {
        if (open) {
            inflateEnd(&zs);
        }
    }
    HeadReader(const HeadReader&) = delete;
    HeadReader& operator=(const HeadReader&) = delete;

    bool Parsed()
    {
        return open && (rc == Z_OK || rc == Z_STREAM_END) &&
               parseHeader(QByteArray(head, got), &width, &height, &marker);
    }
};

} // namespace

QByteArray PictureFile::Payload(const QImage& source)
{
    const QImage image =
        source.format() == QImage::Format_RGB16 ? source : source.convertToFormat(QImage::Format_RGB16);
    QByteArray payload =
        QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) + Marker;
    const qsizetype header = payload.size();
    payload.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    uchar* pixels = reinterpret_cast<uchar*>(payload.data()) + header;
    toStoredOrder(pixels, payload.size() - header);
    // The padding at the end of an odd-width line is never painted and holds whatever the
    // allocator left there; zero it so the same picture always gives the same file.
    const qsizetype used = qsizetype(image.width()) * 2;
    const qsizetype stride = image.bytesPerLine();
    if (used < stride) {
        for (int y = 0; y < image.height(); ++y) {
            std::memset(pixels + y * stride + used, 0, size_t(stride - used));
        }
    }
    return payload;
}

struct Deflater::Stream
{
    z_stream z{};
};

Deflater::Deflater() : Z(new Stream)
{
    Started = deflateInit(&Z->z, 1) == Z_OK;
}

Deflater::~Deflater()
{
    if (Started) {
        deflateEnd(&Z->z);
    }
    delete Z;
}

void Deflater::Add(const void* data, qsizetype size)
{
    Pump(data, size, Z_NO_FLUSH);
}

QByteArray Deflater::Finish()
{
    Pump(nullptr, 0, Z_FINISH);
    return std::exchange(Out, QByteArray());
}

void Deflater::Pump(const void* data, qsizetype size, int flush)
{
    if (!Started) {
        return;
    }
    char buffer[64 * 1024];
    Z->z.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    Z->z.avail_in = uInt(size);
    do {
        Z->z.next_out = reinterpret_cast<Bytef*>(buffer);
        Z->z.avail_out = sizeof buffer;
        deflate(&Z->z, flush);
        Out.append(buffer, qsizetype(sizeof buffer - Z->z.avail_out));
    } while (Z->z.avail_out == 0);
}

QByteArray PictureFile::Encode(const QImage& source)
{
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
    return qCompress(Payload(source), 1);
#else
    // qCompress's format, deflated straight from the scanlines: no copy of the payload, and
    // zlib's fastest level. A full-screen picture is mostly white, so the file stays small,
    // and a command-line --add waits on this.
    const QImage image =
        source.format() == QImage::Format_RGB16 ? source : source.convertToFormat(QImage::Format_RGB16);
    const QByteArray header =
        QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) + Marker;
    const qsizetype used = qsizetype(image.width()) * 2;
    const qsizetype stride = strideFor(image.width());
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(header.size() + stride * image.height()), out.data());
    Deflater zs;
    if (!zs.Ok()) {
        return qCompress(Payload(image), 1);
    }
    zs.Add(header.constData(), header.size());
    // The padding at the end of an odd-width line is never painted and holds whatever the
    // allocator left there: zeros instead, so the same picture always gives the same file.
    const char padding[4] = {};
    if (used == image.bytesPerLine() && used == stride) {
        zs.Add(image.constBits(), used * image.height());
    } else {
        for (int y = 0; y < image.height(); ++y) {
            zs.Add(image.constScanLine(y), used);
            zs.Add(padding, stride - used);
        }
    }
    return out + zs.Finish();
#endif
}

bool PictureFile::Write(const QString& path, const QImage& image, QString* error)
{
    const QString staged = SafeFile::Stage(path, Encode(image), error);
    return !staged.isEmpty() && SafeFile::Commit(staged, path, error);
}

QSize PictureFile::StoredSize(const QByteArray& fileBytes)
{
    if (fileBytes.size() < 5) {
        return QSize();
    }
    HeadReader reader(fileBytes);
    return reader.Parsed() ? QSize(reader.width, reader.height) : QSize();
}

bool PictureFile::Decode(const QByteArray& fileBytes, const QSize& target, QImage* out)
{
    if (fileBytes.size() < 4 || fileBytes.size() > MaxFileBytes || target.isEmpty()) {
        return false;
    }
    // The header tells the exact payload size and is checked against the largest screen
    // before anything is allocated; the pixels are then inflated straight into the image, so
    // a picture costs its own size once, and a damaged length nothing.
    const quint32 claimed = qFromBigEndian<quint32>(fileBytes.constData());
    HeadReader reader(fileBytes);
    if (!reader.Parsed() || claimed != quint64(reader.marker + 4 + strideFor(reader.width) * reader.height)) {
        return false;
    }
    z_stream& zs = reader.zs;
    const int width = reader.width;
    const int height = reader.height;
    const qsizetype p = reader.marker;
    const qsizetype got = reader.got;
    const char* head = reader.head;
    int rc = reader.rc;
    QImage stored(width, height, QImage::Format_RGB16);
    const qsizetype block = strideFor(width) * height;
    const qsizetype early = got - p - 4; // pixel bytes that came with the header
    if (stored.isNull() || stored.sizeInBytes() != block || early > block) {
        return false;
    }
    std::memcpy(stored.bits(), head + p + 4, size_t(early));
    zs.next_out = stored.bits() + early;
    zs.avail_out = uInt(block - early);
    rc = rc == Z_STREAM_END ? rc : inflate(&zs, Z_FINISH);
    if (rc != Z_STREAM_END || zs.avail_out != 0) {
        return false;
    }
    toStoredOrder(stored.bits(), block);
    if (stored.size() == target) {
        *out = stored;
    } else {
        *out = stored.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return !out->isNull();
}

bool PictureFile::Read(const QString& path, const QSize& target, QImage* out)
{
    QByteArray bytes;
    return !path.isEmpty() && SafeFile::Read(path, MaxFileBytes, &bytes) && Decode(bytes, target, out);
}

bool PictureFile::IsProgramPath(const QString& path)
{
    // Anchored to the very end: "$" alone would also accept a trailing line break.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\./data/dap[0-9]{14}")));
    return pattern.match(path).hasMatch();
}

QString PictureFile::NewPath(const QDateTime& now, const QSet<QString>& taken)
{
    QDateTime stamp = now;
    for (int i = 0; i < 100000; ++i) {
        const QString path = QStringLiteral("./data/dap") + stamp.toString(QStringLiteral("yyyyMMddhhmmss"));
        if (!taken.contains(path) && !QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) {
            return path;
        }
        stamp = stamp.addSecs(1);
    }
    return QString();
}

bool PictureFile::Remove(const QString& path)
{
    return IsProgramPath(path) && QFile::remove(path);
}
