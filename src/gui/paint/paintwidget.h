// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QWidget>

class QAction;

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
        Text = 5
    };

    PaintWidget();
    ~PaintWidget() override;

    void SetTool(int tool);
    int Tool() const { return CurrentTool; }
    void ResetCanvas(const QColor& color, int width);
    QImage GetImage() const { return Image; }

    // 0 written; -1 cannot be opened for writing; -2 the write failed. `error` gets the reason.
    int SavePicture(const QString& path, QString* error = nullptr);
    // -1 for an empty path, a file that cannot be read or a damaged one (the canvas then stays
    // as it was, white after ResetCanvas); 0 when the picture is shown.
    int LoadPicture(const QString& path);

    // The panel sets these directly: widths of both pens, colour of the drawing pen only.
    QPen& DrawPen() { return Pen; }
    QPen& RubberPen() { return EraserPen; }
    QFont& TextFont() { return Font; }

    bool IsDrawing() const { return Drawing; }
    bool IsTextOpen() const { return TextOpen; }
    // Puts text still being typed into the picture, as the next click would.
    void FinishText();
    QLineEdit* TextEdit() { return &TextLine; }
    QPainterPath LivePath() const { return Path; }

signals:
    void HideOrShowPancel();

public slots:
    void DSetFont();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void GrowTextBox();

private:
    const QPen& ToolPen() const { return CurrentTool == Rubber ? EraserPen : Pen; }
    void ShapeTo(const QPoint& end);
    void StrokeTo(const QPoint& end);
    void CommitPath();
    void CommitText();
    void UpdateAround(const QRectF& rect);

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
};
