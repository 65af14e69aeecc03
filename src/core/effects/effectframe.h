// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QSize>

class QPainter;

// The picture of an effect window made ready to be drawn thirty times a second. The picture is
// converted once, pure white made transparent; each frame then only copies the part the effect
// leaves visible, at its offset, into the window, and only where the window changed.
class EffectFrame
{
public:
    EffectFrame();

    void SetWindowSize(const QSize& size);
    QSize WindowSize() const { return windowSize; }

    // Hard: pure white (255, 255, 255) becomes transparent, everything else stays opaque, for a
    // desktop that cannot blend (the window's shape then cuts the picture out). Soft: colour to
    // alpha against white, for a desktop that blends.
    enum Edges
    {
        HardEdges,
        SoftEdges
    };
    // Takes any image; the frame keeps it as premultiplied ARGB made transparent as `edges` says.
    // Clears the frame (nothing shown).
    void SetPicture(const QImage& picture, Edges edges = HardEdges);
    const QImage& Picture() const { return picture; }
    // True when no pixel of the picture would be seen.
    bool IsBlank() const { return blank; }

    // Nothing shown, as before the first frame.
    void Reset();
    // Moves to the frame an effect computed: the offset and each hidden rectangle's x, y, width
    // and height are truncated towards zero separately, as whole screen pixels. Returns the part
    // of the window whose content differs from the previous frame.
    QRegion SetGeometry(const QPointF& offset, const QList<QRectF>& hidden);
    bool IsShown() const { return shown; }
    QPoint FrameOffset() const { return frameOffset; }
    // Where the window shows the picture in this frame, in window coordinates: the picture's
    // rectangle at the offset, less the hidden parts, inside the window. Rectangle-exact: the
    // picture's own transparent pixels lie inside it.
    const QRegion& Visible() const { return visible; }
    // The part of Visible() that holds any drawn pixel, in tiles of TileSize: all a frame needs
    // to copy. A drawing leaves most of the screen white, and what is transparent in both frames
    // costs nothing to move.
    const QRegion& Drawn() const { return drawn; }
    // The picture's tiles that hold a drawn pixel, in picture coordinates.
    const QRegion& Content() const { return content; }

    // Copies the frame's picture into `area` of a window-sized device whose `area` is already
    // transparent (a translucent window's backing store is cleared before each paint).
    void Paint(QPainter* painter, const QRegion& area) const;

    // The picture's non-transparent pixels, in picture coordinates; made on first use, once per
    // picture.
    const QRegion& PictureShape() const;
    // The pixels this frame shows, in window coordinates: the window's input and shape region.
    QRegion Shape() const;

    // A shape the window system can afford to change every frame. The exact shape of a drawing
    // runs to thousands of rectangles; an X server takes tens of milliseconds to set one and
    // hundreds to move one (everything under the old and the new shape is exposed). While the
    // effect runs, the picture is shaped by cells of 2 to 32 pixels holding a drawn pixel, the
    // finest that stays within CoarseShapeBudget rectangles, or exactly when the exact shape is
    // that simple. In picture coordinates, made on first use.
    const QRegion& CoarsePictureShape() const;
    int CoarseShapeCell() const { return coarseShapeCell; }
    // The running shape at this frame's offset, inside Visible(), in window coordinates.
    QRegion CoarseShape() const;

    static QImage MakeTransparent(const QImage& picture);
    // A pixel's distance from white becomes its opacity and its colour what, laid over white,
    // gives the pixel back: smoothed edges then sit on any background without a white fringe.
    static QImage ColourToAlpha(const QImage& picture);
    // Pixels with a non-zero alpha of a premultiplied ARGB image, as a region.
    static QRegion OpaqueRegion(const QImage& argb);
    // Cells of `cell` × `cell` pixels (clipped at the image's edge) holding a pixel with alpha.
    static QRegion CellRegion(const QImage& argb, int cell);

    static constexpr int TileSize = 32;
    static constexpr int CoarseShapeBudget = 1500;

private:
    QSize windowSize;
    QImage picture;
    bool blank = true;
    bool shown = false;
    QPoint frameOffset;
    QRegion visible;
    QRegion drawn;
    QRegion content;
    mutable QRegion pictureShape;
    mutable bool shapeMade = false;
    mutable QRegion coarseShape;
    mutable int coarseShapeCell = 0;
};
