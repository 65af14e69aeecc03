// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>
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
    if (text.isEmpty() || text.size() > 5) {
        return false;
    }
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    if (v <= 0 || v > PictureFile::MaxSide) {
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
    if (x < 0 || !parseSide(header.left(x), width) || !parseSide(header.mid(x + 1), height)) {
        return false;
    }
    *marker = p;
    return true;
}

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

QByteArray PictureFile::Encode(const QImage& image)
{
    return qCompress(Payload(image), -1);
}

int PictureFile::Write(const QString& path, const QImage& image, QString* error)
{
    const QByteArray bytes = Encode(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return -1;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        file.cancelWriting();
        return -2;
    }
    return 0;
}

bool PictureFile::Decode(const QByteArray& fileBytes, const QSize& target, QImage* out)
{
    if (fileBytes.size() < 4 || target.isEmpty()) {
        return false;
    }
    // The header tells the exact payload size. Read it from the first inflated bytes and
    // compare it with the length the file claims before qUncompress allocates that length, so
    // a damaged length never costs more than the picture it describes.
    const quint32 claimed = qFromBigEndian<quint32>(fileBytes.constData());
    QByteArray head(16, '\0');
    z_stream zs{};
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(fileBytes.constData() + 4));
    zs.avail_in = uInt(qMin<qsizetype>(fileBytes.size() - 4, 1 << 20));
    zs.next_out = reinterpret_cast<Bytef*>(head.data());
    zs.avail_out = uInt(head.size());
    if (inflateInit(&zs) != Z_OK) {
        return false;
    }
    const int rc = inflate(&zs, Z_SYNC_FLUSH);
    head.truncate(head.size() - qsizetype(zs.avail_out));
    inflateEnd(&zs);
    if (rc != Z_OK && rc != Z_STREAM_END) {
        return false;
    }
    int width = 0;
    int height = 0;
    qsizetype p = 0;
    if (!parseHeader(head, &width, &height, &p) || claimed != quint64(p + 4 + strideFor(width) * height)) {
        return false;
    }
    const QByteArray payload = qUncompress(fileBytes);
    if (payload.size() != qsizetype(claimed) || !payload.startsWith(head.left(p + 4))) {
        return false;
    }
    const qsizetype stride = strideFor(width);
    const qsizetype block = payload.size() - p - 4;
    QImage stored(width, height, QImage::Format_RGB16);
    if (stored.isNull() || stored.bytesPerLine() != stride || stored.sizeInBytes() != block) {
        return false;
    }
    std::memcpy(stored.bits(), payload.constData() + p + 4, size_t(block));
    toStoredOrder(stored.bits(), block);
    if (stored.size() == target) {
        *out = stored;
    } else {
        *out = stored.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return !out->isNull();
}

int PictureFile::Read(const QString& path, const QSize& target, QImage* out)
{
    if (path.isEmpty()) {
        return -1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // A real picture compresses far below this; anything larger is not one of ours.
    if (file.size() > 64 + strideFor(MaxSide) * MaxSide) {
        return -1;
    }
    return Decode(file.readAll(), target, out) ? 0 : -1;
}

bool PictureFile::IsProgramPath(const QString& path)
{
    // Anchored to the very end: "$" alone would also accept a trailing line break.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\./data/dap[0-9]{14}")));
    return pattern.match(path).hasMatch();
}

QString PictureFile::NewPath(const QDateTime& now)
{
    QDateTime stamp = now;
    for (int i = 0; i < 100000; ++i) {
        const QString path = QStringLiteral("./data/dap") + stamp.toString(QStringLiteral("yyyyMMddhhmmss"));
        if (!QFile::exists(path)) {
            return path;
        }
        stamp = stamp.addSecs(1);
    }
    return QString();
}
