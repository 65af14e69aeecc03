// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// Pictures the user brings in (a file, the clipboard, a drop), read with bounds: the sheet
// stays responsive and small whatever the file claims. A picture comes out ready for the
// sheet: RGB16, transparent parts white, scaled down (never up) to fit.
class ImageImport
{
    Q_DECLARE_TR_FUNCTIONS(ImageImport)

public:
    // Larger files are refused unread.
    static constexpr qint64 MaxFileBytes = 256LL << 20;
    // What one decoded picture may take at full size, 32 bits a pixel.
    static constexpr qint64 MaxDecodedBytes = 96LL << 20;
    // What a picture may claim at all, even where the reader can decode it scaled down.
    static constexpr qint64 MaxClaimedPixels = 256LL << 20;
    static constexpr int MaxSide = 65535;

    // A regular file (a link to one is fine); FIFOs, devices and folders are refused without
    // being read, and opening never waits.
    static bool ReadFile(const QString& path, const QSize& fit, QImage* out, QString* error = nullptr);
    // Encoded picture bytes, as the clipboard or a drop hand them over.
    static bool ReadData(const QByteArray& bytes, const QSize& fit, QImage* out, QString* error = nullptr);
    // An image already in memory, made ready for the sheet.
    static QImage Prepare(const QImage& picture, const QSize& fit);

private:
    static bool Decode(QIODevice* device, const QSize& fit, QImage* out, QString* error);
};
