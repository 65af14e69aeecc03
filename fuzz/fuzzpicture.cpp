// Picture files come from disk and from backups: any bytes must decode or be refused cleanly.
#include "picturefile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

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
