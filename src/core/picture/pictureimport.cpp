// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/pictureimport.h"

#include "core/picture/picturefile.h"

#include <QFile>
#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <cerrno>
#include <cstring>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}
} // namespace

bool PictureImport::Read(const QString& path, QImage* out, QString* error)
{
    const QString shown = QFile::decodeName(QFile::encodeName(path));
    QFile file;
#ifdef Q_OS_WIN
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(error, tr("%1 cannot be read: %2").arg(shown, file.errorString()));
    }
    if (file.size() > MaxFileBytes) {
        return fail(error, tr("%1 is too large for a picture.").arg(shown));
    }
#else
    const QByteArray native = QFile::encodeName(path);
    struct stat link
    {
    };
    if (::lstat(native.constData(), &link) != 0) {
        return fail(error,
                    tr("%1 cannot be read: %2").arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    }
    // Non-blocking: opening a FIFO must not wait for a writer.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(error,
                    tr("%1 cannot be read: %2").arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, tr("%1 is not a regular file.").arg(shown));
    }
    // A link someone else planted may point at a file of theirs that we can read but did not name.
    if (S_ISLNK(link.st_mode) && st.st_uid != ::getuid() && st.st_uid != 0) {
        ::close(fd);
        return fail(error, tr("%1 is a link to another user's file.").arg(shown));
    }
    if (st.st_size > MaxFileBytes) {
        ::close(fd);
        return fail(error, tr("%1 is too large for a picture.").arg(shown));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(error, tr("%1 cannot be read: %2").arg(shown, file.errorString()));
    }
#endif
    QImageReader reader(&file);
    // Four bytes a pixel of the largest picture the program shows, in megabytes.
    reader.setAllocationLimit(int(PictureFile::MaxPixels * 4 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    const auto tooLarge = [&](const QSize& s) {
        return s.width() > PictureFile::MaxSide || s.height() > PictureFile::MaxSide ||
               qint64(s.width()) * s.height() > PictureFile::MaxPixels;
    };
    if (size.isValid() && tooLarge(size)) {
        return fail(error,
                    tr("%1 is %2 × %3 pixels; a picture may have at most %4 pixels a side and %5 in all.")
                        .arg(shown)
                        .arg(size.width())
                        .arg(size.height())
                        .arg(PictureFile::MaxSide)
                        .arg(PictureFile::MaxPixels));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return fail(error, tr("%1 is not an image Pennibell can read: %2").arg(shown, reader.errorString()));
    }
    if (tooLarge(image.size())) {
        return fail(error, tr("%1 is too large for a picture.").arg(shown));
    }
    *out = OnWhite(image);
    return true;
}

QImage PictureImport::OnWhite(const QImage& image)
{
    const QSize canvas(CanvasWidth, CanvasHeight);
    QImage picture(canvas, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QImage placed = image;
    if (image.width() > canvas.width() || image.height() > canvas.height()) {
        placed = image.scaled(canvas, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPainter painter(&picture);
    painter.drawImage((canvas.width() - placed.width()) / 2, (canvas.height() - placed.height()) / 2, placed);
    return picture;
}

QImage PictureImport::FromTitle(const QString& title)
{
    // Drawn in the stored format: no conversion on the way to the picture file.
    QImage picture(CanvasWidth, CanvasHeight, QImage::Format_RGB16);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    // Near black rather than black: pure black text on a lit desktop is harsh at this size.
    painter.setPen(QColor(0x20, 0x20, 0x20));
    const QRect area =
        picture.rect().adjusted(CanvasWidth / 12, CanvasHeight / 8, -CanvasWidth / 12, -CanvasHeight / 8);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    QFont font;
    font.setWeight(QFont::Bold);
    // As large as fits: a short title fills the screen, a long one still stays inside it.
    for (int px = CanvasHeight / 5; px >= 16; px = px * 9 / 10) {
        font.setPixelSize(px);
        painter.setFont(font);
        const QRect need = painter.boundingRect(area, flags, title);
        if (need.width() <= area.width() && need.height() <= area.height()) {
            break;
        }
    }
    painter.drawText(area, flags, title);
    return picture;
}
