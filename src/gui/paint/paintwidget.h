// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/picture/undohistory.h"

#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QWidget>

class QAction;
class QMimeData;

// The screen-sized surface the user draws an event's picture on. The committed drawing lives
// in an image; a shape still being dragged is only a path painted over it until release.
class PaintWidget : public QWidget
{
    Q_OBJECT

public:
    enum PaintTool
    {
        Pencil = 0,
        Line = 1,
        Rectangle = 2,
        Ellipse = 3,
        Rubber = 4,
        Text = 5,
        Fill = 6
    };

    PaintWidget();
    ~PaintWidget() override;

    // Choosing a tool also fixes a placed picture or typed text where it is.
    void SetTool(int tool);
    int Tool() const { return CurrentTool; }
    // A white sheet and a fresh history.
    void ResetCanvas(const QColor& color, int width);
    QImage GetImage() const { return Image; }

    // False, with the reason in `error`, when the picture could not be written.
    bool SavePicture(const QString& path, QString* error = nullptr);
    // False for an empty path, a file that cannot be read or a damaged one (the canvas then
    // stays as it was, white after ResetCanvas).
    bool LoadPicture(const QString& path);

    // The panel sets these directly: widths of both pens, colour of the drawing pen only.
    QPen& DrawPen() { return Pen; }
    QPen& RubberPen() { return EraserPen; }
    QFont& TextFont() { return Font; }
    // Also for the text being typed.
    void SetTextFont(const QFont& font);

    bool IsDrawing() const { return Drawing; }
    bool IsTextOpen() const { return TextOpen; }
    // Puts text still being typed, or a picture still being placed, into the drawing, as the
    // next click would.
    void FinishPending();
    bool IsPlacing() const { return !Placed.isNull(); }
    // Where the picture being placed is, in window coordinates.
    QRect PlacedRect() const;

    // One step of the history; a pending text or picture is dropped first, as its own step.
    // False when there is nothing to undo or redo, or a stroke is still being drawn.
    bool Undo();
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    const UndoHistory& History() const { return Steps; }

    // Takes a picture (RGB16, fitted, see ImageImport) to place: centred, movable with the
    // mouse until a click outside it or another tool fixes it.
    void PlacePicture(const QImage& picture);
    // The picture of a drop or of the clipboard: the first local file, else the first encoded
    // picture, else a picture object of this program. False with the reason, or with an
    // empty reason when there is no picture at all.
    bool PlaceFrom(const QMimeData* mime, QString* error);
    QLineEdit* TextEdit() { return &TextLine; }
    QPainterPath LivePath() const { return Path; }

signals:
    void HideOrShowPancel();
    // Undo or redo became possible or impossible.
    void HistoryChanged();
    // A dropped file or picture could not be placed, and why.
    void DropRefused(const QString& reason);

public slots:
    void DSetFont();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void GrowTextBox();

private:
    const QPen& ToolPen() const { return CurrentTool == Rubber ? EraserPen : Pen; }
    void ShapeTo(const QPoint& end);
    void StrokeTo(const QPoint& end);
    void CommitPath();
    void CommitText();
    void CommitPlaced();
    void UpdateAround(const QRectF& rect);
    // Window area of a rectangle of image pixels.
    QRect ToWindow(const QRect& pixels) const;
    // Everything drawn between these two is one step of the history.
    void BeginStep();
    void EndStep();

    QImage Image;
    int CurrentTool = Pencil;
    bool Drawing = false;
    bool TextOpen = false;
    QPoint StartPoint;
    QPoint EndPoint;
    QPainterPath Path;
    int CanvasWidth = 0;
    int CanvasHeight = 0;
    QPen Pen;
    QPen EraserPen;
    QFont Font;
    QLineEdit TextLine;
    QAction* FontAction = nullptr;
    UndoHistory Steps;
    // The drawing as it was when the step in progress began.
    QImage Before;
    // A picture being placed, its top-left corner in image pixels, and its drag.
    QImage Placed;
    QPoint PlacedAt;
    bool Moving = false;
    QPoint MoveFrom;
    QPoint MoveOrigin;
};
