// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/imageimport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool Fail(QString* error, const QString& reason)
{
    if (error) {
        *error = reason;
    }
    return false;
}

} // namespace

bool ImageImport::ReadFile(const QString& path, const QSize& fit, QImage* out, QString* error)
{
    QFile file;
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists()) {
        return Fail(error, tr("The file does not exist."));
    }
    if (!info.isFile()) {
        return Fail(error, tr("This is not a file but a folder, device or pipe."));
    }
    if (info.size() > MaxFileBytes) {
        return Fail(error, tr("The file is larger than %1 MB.").arg(MaxFileBytes >> 20));
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(error, file.errorString());
    }
#else
    // Opened without waiting (a FIFO would block until a writer came), then checked on the
    // open file itself, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail(error, errno == ENOENT ? tr("The file does not exist.")
                                           : QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Fail(error, tr("This is not a file but a folder, device or pipe."));
    }
    if (st.st_size > MaxFileBytes) {
        ::close(fd);
        return Fail(error, tr("The file is larger than %1 MB.").arg(MaxFileBytes >> 20));
    }
    // Reads may block from here on, as for any regular file.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fail(error, file.errorString());
    }
#endif
    return Decode(&file, fit, out, error);
}

bool ImageImport::ReadData(const QByteArray& bytes, const QSize& fit, QImage* out, QString* error)
{
    if (bytes.size() > MaxFileBytes) {
        return Fail(error, tr("The picture is larger than %1 MB.").arg(MaxFileBytes >> 20));
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Decode(&buffer, fit, out, error);
}

bool ImageImport::Decode(QIODevice* device, const QSize& fit, QImage* out, QString* error)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    // Qt's own check before it allocates, for whatever the header did not tell.
    reader.setAllocationLimit(int(MaxDecodedBytes >> 20));
    if (!reader.canRead()) {
        return Fail(error, tr("This is not a picture Pennibell can read."));
    }
    const QSize claimed = reader.size();
    const qint64 pixels = qint64(claimed.width()) * claimed.height();
    if (claimed.width() > MaxSide || claimed.height() > MaxSide || pixels > MaxClaimedPixels) {
        return Fail(
            error,
            tr("The picture is too large (%1 × %2 pixels).").arg(claimed.width()).arg(claimed.height()));
    }
    if (claimed.isValid() && !fit.isEmpty() &&
        (claimed.width() > fit.width() || claimed.height() > fit.height()) &&
        reader.supportsOption(QImageIOHandler::ScaledSize)) {
        // Such a reader (JPEG) decodes straight at the smaller size, so a large photo never
        // has to fit in memory whole.
        reader.setScaledSize(claimed.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    } else if (pixels * 4 > MaxDecodedBytes) {
        return Fail(
            error,
            tr("The picture is too large (%1 × %2 pixels).").arg(claimed.width()).arg(claimed.height()));
    }
    QImage picture;
    if (!reader.read(&picture) || picture.isNull()) {
        return Fail(error, tr("The picture could not be read: %1").arg(reader.errorString()));
    }
    *out = Prepare(picture, fit);
    return !out->isNull() || Fail(error, tr("The picture could not be read: %1").arg(tr("out of memory")));
}

QImage ImageImport::Prepare(const QImage& picture, const QSize& fit)
{
    if (picture.isNull()) {
        return QImage();
    }
    QImage source = picture;
    source.setDevicePixelRatio(1.0);
    if (!fit.isEmpty() && (source.width() > fit.width() || source.height() > fit.height())) {
        // A sliver keeps at least one pixel across.
        const QSize size = source.size().scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        source = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // Transparent parts become white, which the desktop shows through; the sheet keeps the
    // colours its file can store.
    QImage flat(source.size(), QImage::Format_RGB32);
    if (flat.isNull()) {
        return QImage();
    }
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
    painter.end();
    return flat.convertToFormat(QImage::Format_RGB16);
}
