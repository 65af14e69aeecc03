// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QSet>
#include <QSize>
#include <QString>

// zlib's fastest level, fed piece by piece: the picture files and the calendar's pictures are
// deflated straight from their scanlines, without a copy of the whole.
class Deflater
{
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool Ok() const { return Started; }
    void Add(const void* data, qsizetype size);
    // The whole stream; nothing can be added after.
    QByteArray Finish();

private:
    void Pump(const void* data, qsizetype size, int flush);
    struct Stream;
    Stream* Z;
    bool Started = false;
    QByteArray Out;
};

// The stored drawing of one event: "<width>x<height>size" followed by the RGB16 scanlines
// (little-endian words, lines padded to 4 bytes), the whole compressed with qCompress.
class PictureFile
{
public:
    // The payload before compression, for an image of any format (converted to RGB16).
    static QByteArray Payload(const QImage& image);
    static QByteArray Encode(const QImage& image);

    // The file, or a link of that name, is replaced whole or not at all. False, with the
    // reason in `error`, when it cannot be created, written (a full disk) or put in place.
    static bool Write(const QString& path, const QImage& image, QString* error = nullptr);

    // Decodes file bytes into an RGB16 image of `target` size (scaled nearest-pixel when the
    // stored size differs). False, and `out` untouched, for anything that is not a whole,
    // well-formed picture file.
    static bool Decode(const QByteArray& fileBytes, const QSize& target, QImage* out);
    // The size the file stores its picture at, read from the head of its payload; empty for
    // anything that does not begin as a picture file.
    static QSize StoredSize(const QByteArray& fileBytes);
    // False, and `out` untouched, when the path is empty, is not a regular file (a link, FIFO
    // or device), cannot be read or is damaged.
    static bool Read(const QString& path, const QSize& target, QImage* out);

    // The one rule for every picture path that comes from an event: exactly "./data/dap"
    // and 14 digits. Nothing else is read, written, removed, backed up or restored.
    static bool IsProgramPath(const QString& path);
    // Removes the picture of an event (a link of that name itself, never its target).
    static bool Remove(const QString& path);
    // "./data/dap" + the stamp of `now`, moved on second by second past names already taken
    // (by a file, or in `taken`).
    static QString NewPath(const QDateTime& now, const QSet<QString>& taken = {});

    // The largest screen the program supports (8K either way up) bounds what a file may claim.
    static constexpr int MaxSide = 7680;
    static constexpr qint64 MaxPixels = 7680LL * 4320;
    // The largest such picture compressed, with zlib's worst-case growth.
    static constexpr qint64 MaxFileBytes = 2 * MaxPixels + MaxPixels / 500 + 1024;
};
