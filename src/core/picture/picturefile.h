// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

// The stored drawing of one event: "<width>x<height>size" followed by the RGB16 scanlines
// (little-endian words, lines padded to 4 bytes), the whole compressed with qCompress.
class PictureFile
{
public:
    // The payload before compression, for an image of any format (converted to RGB16).
    static QByteArray Payload(const QImage& image);
    static QByteArray Encode(const QImage& image);

    // 0 written; -1 the file cannot be opened for writing; -2 the write failed. The file is
    // replaced whole or not at all. `error` receives the reason on failure.
    static int Write(const QString& path, const QImage& image, QString* error = nullptr);

    // Decodes file bytes into an RGB16 image of `target` size (scaled nearest-pixel when the
    // stored size differs). False, and `out` untouched, for anything that is not a whole,
    // well-formed picture file.
    static bool Decode(const QByteArray& fileBytes, const QSize& target, QImage* out);
    // -1 when the path is empty, the file cannot be read or is damaged; 0 with `out` set.
    static int Read(const QString& path, const QSize& target, QImage* out);

    // A path of the form the program makes: "./data/dap" and 14 digits.
    static bool IsProgramPath(const QString& path);
    // "./data/dap" + the stamp of `now`, moved on second by second past names already taken.
    static QString NewPath(const QDateTime& now);

    // Largest width or height a file may claim.
    static constexpr int MaxSide = 16384;
};
