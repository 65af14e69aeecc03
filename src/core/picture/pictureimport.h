// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures that do not come from the paint editor: an image file the user names, or one made
// from a title. Both come out as an opaque picture on white, which the desktop shows transparent.
class PictureImport
{
    Q_DECLARE_TR_FUNCTIONS(PictureImport)

public:
    // The size of a made picture; the reminder window scales it to its screen.
    static constexpr int CanvasWidth = 1920;
    static constexpr int CanvasHeight = 1080;
    // An image file larger than this is refused before anything is decoded.
    static constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;

    // Any image Qt reads, within the picture file's own size limits, placed on a white canvas
    // (transparent parts white). Refuses FIFOs, devices, folders and links to another user's
    // files without waiting on them, and images larger than the limits before decoding them.
    static bool Read(const QString& path, QImage* out, QString* error = nullptr);
    // Large dark text on white, readable from across the room. Needs the GUI application (fonts).
    static QImage FromTitle(const QString& title);
    // The image scaled down to fit the canvas where it is larger, centred on white.
    static QImage OnWhite(const QImage& image);
};
