// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files come from disk and from backups: any bytes must decode or be refused cleanly.
#include "core/picture/picturefile.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>

// Qt's warnings about damaged input would only slow the run down.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image;
    if (PictureFile::Decode(bytes, QSize(64, 48), &image)) {
        if (image.size() != QSize(64, 48) || image.format() != QImage::Format_RGB16) {
            __builtin_trap();
        }
    }
    return 0;
}
