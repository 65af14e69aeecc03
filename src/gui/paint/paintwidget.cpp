// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/paint/paintwidget.h"

#include "core/effects/screenchoice.h"
#include "core/effects/screensize.h"
#include "core/picture/picturefile.h"
#include "gui/common/windowmodal.h"

#include <QAction>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PaintWidget::PaintWidget() : QWidget(nullptr)
{
    // The sheet opens where the user is looking: on the screen under the pointer.
    const QList<ScreenSize::Screen> screens = ScreenSize::screens();
    const ScreenSize::Screen screen = screens.at(ScreenChoice::AtPointer(screens, ScreenSize::pointer()));
    CanvasWidth = screen.geometry.width();
    CanvasHeight = screen.geometry.height();
    // No frame: the drawing surface is the whole screen, not a window with a title bar on it.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setGeometry(screen.geometry);

    // One image pixel per screen pixel. Painters on the image work in the window's units, so pen
    // widths, fonts and mouse positions keep their apparent size on a scaled screen.
    Image = QImage(screen.Pixels(), QImage::Format_RGB16);
    Image.setDevicePixelRatio(screen.ratio);
    Image.fill(Qt::white);
    // Every pixel is painted from the image, so the background fill would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);

    TextLine.setParent(this);
    TextLine.hide();
    TextLine.setContextMenuPolicy(Qt::ActionsContextMenu);
    FontAction = new QAction(tr("Font"), this);
    FontAction->setObjectName(QStringLiteral("FontAction"));
    TextLine.addAction(FontAction);
    TextLine.setObjectName(QStringLiteral("TextLine"));
    connect(FontAction, &QAction::triggered, this, &PaintWidget::DSetFont);

    CurrentTool = Pencil;
    setFixedSize(CanvasWidth, CanvasHeight);
}

PaintWidget::~PaintWidget() = default;

void PaintWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        FontAction->setText(tr("Font"));
    }
}

void PaintWidget::SetTool(int tool)
{
    CurrentTool = tool;
}

void PaintWidget::ResetCanvas(const QColor& color, int width)
{
    Image.fill(Qt::white);
    Pen = QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    EraserPen = QPen(QColor(255, 255, 255, 255), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    Drawing = false;
    Path = QPainterPath();
    update();
}

int PaintWidget::SavePicture(const QString& path, QString* error)
{
    return PictureFile::Write(path, Image, error);
}

int PaintWidget::LoadPicture(const QString& path)
{
    QImage loaded;
    if (PictureFile::Read(path, Image.size(), &loaded) != 0) {
        return -1;
    }
    loaded.setDevicePixelRatio(Image.devicePixelRatio());
    Image = loaded;
    update();
    return 0;
}

void PaintWidget::DSetFont()
{
    if (WindowModal::ChooseFont(this, &Font)) {
        TextLine.setFont(Font);
        GrowTextBox();
    }
}

void PaintWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit HideOrShowPancel();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    StartPoint = event->position().toPoint();
    EndPoint = StartPoint;
    Path = QPainterPath();
    Path.moveTo(StartPoint);

    switch (CurrentTool) {
    case Pencil:
    case Rubber: {
        Drawing = true;
        QPainter painter(&Image);
        painter.setPen(ToolPen());
        painter.drawPoint(StartPoint);
        painter.end();
        UpdateAround(QRectF(StartPoint, StartPoint));
        break;
    }
    case Text:
        if (TextOpen) {
            CommitText();
        } else {
            TextOpen = true;
            TextLine.setFont(Font);
            // Typed in the colour the text will have.
            QPalette colours = TextLine.palette();
            colours.setColor(QPalette::Text, Pen.color());
            TextLine.setPalette(colours);
            TextLine.clear();
            TextLine.move(StartPoint);
            GrowTextBox();
            connect(&TextLine, &QLineEdit::textChanged, this, &PaintWidget::GrowTextBox,
                    Qt::UniqueConnection);
            TextLine.show();
            TextLine.setFocus();
        }
        break;
    default:
        Drawing = true;
        break;
    }
}

void PaintWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!Drawing) {
        return;
    }
    const QPoint end = event->position().toPoint();
    if (CurrentTool == Pencil || CurrentTool == Rubber) {
        StrokeTo(end);
    } else if (CurrentTool != Text) {
        ShapeTo(end);
    }
}

void PaintWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !Drawing) {
        return;
    }
    const QPoint end = event->position().toPoint();
    if (CurrentTool == Pencil) {
        StrokeTo(end);
    } else if (CurrentTool == Line || CurrentTool == Rectangle || CurrentTool == Ellipse) {
        ShapeTo(end);
    }
    Drawing = false;
    CommitPath();
}

void PaintWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const qreal ratio = Image.devicePixelRatio();
    painter.drawImage(
        dirty, Image,
        QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio, dirty.height() * ratio));
    if (Drawing && !Path.isEmpty()) {
        painter.setPen(ToolPen());
        painter.drawPath(Path);
    }
}

void PaintWidget::GrowTextBox()
{
    // A line edit's own size hint ignores its text; widen the box as the user types so the
    // whole text stays visible.
    const QRect before = TextLine.geometry();
    TextLine.adjustSize();
    const QMargins margins = TextLine.textMargins() + TextLine.contentsMargins();
    const int needed = TextLine.fontMetrics().horizontalAdvance(TextLine.text() + QStringLiteral("  ")) +
                       margins.left() + margins.right() + 8;
    if (needed > TextLine.width()) {
        TextLine.resize(needed, TextLine.height());
    }
    update(before.united(TextLine.geometry()));
}

// Line, rectangle and ellipse: the path is rebuilt from the press point on every move, so
// only the newest outline is ever shown.
void PaintWidget::ShapeTo(const QPoint& end)
{
    const QRectF before = Path.boundingRect();
    EndPoint = end;
    Path = QPainterPath();
    Path.moveTo(StartPoint);
    // The signed size keeps the shape spanning from the press point to the mouse whichever
    // way the mouse went.
    const QRectF box(StartPoint.x(), StartPoint.y(), EndPoint.x() - StartPoint.x() + 1,
                     EndPoint.y() - StartPoint.y() + 1);
    switch (CurrentTool) {
    case Line:
        Path.lineTo(EndPoint);
        break;
    case Rectangle:
        Path.addRect(box);
        break;
    case Ellipse:
        Path.addEllipse(box.normalized());
        break;
    default:
        break;
    }
    UpdateAround(before.united(Path.boundingRect()));
}

// Pencil and rubber go straight into the image segment by segment, as a long stroke would
// otherwise be repainted whole at every move.
void PaintWidget::StrokeTo(const QPoint& end)
{
    EndPoint = end;
    QPainter painter(&Image);
    painter.setPen(ToolPen());
    painter.drawLine(StartPoint, EndPoint);
    painter.end();
    UpdateAround(QRectF(StartPoint, EndPoint).normalized());
    StartPoint = EndPoint;
}

void PaintWidget::CommitPath()
{
    if (CurrentTool != Pencil && CurrentTool != Rubber && Path.elementCount() > 1) {
        QPainter painter(&Image);
        painter.setPen(ToolPen());
        painter.drawPath(Path);
        painter.end();
        UpdateAround(Path.boundingRect());
    }
    Path = QPainterPath();
}

void PaintWidget::FinishText()
{
    if (TextOpen) {
        CommitText();
    }
}

void PaintWidget::CommitText()
{
    TextOpen = false;
    disconnect(&TextLine, &QLineEdit::textChanged, this, &PaintWidget::GrowTextBox);
    const QRect box = TextLine.geometry();
    TextLine.hide();
    const QString text = TextLine.text();
    if (!text.isEmpty()) {
        QPainter painter(&Image);
        painter.setFont(Font);
        painter.setPen(Pen);
        const QPoint origin(box.x(), int(box.y() + 0.75 * box.height()));
        painter.drawText(origin, text);
        painter.end();
        update(QFontMetrics(Font).boundingRect(text).translated(origin).adjusted(-2, -2, 2, 2).united(box));
    }
    TextLine.clear();
}

void PaintWidget::UpdateAround(const QRectF& rect)
{
    const int margin = qMax(Pen.width(), EraserPen.width()) / 2 + 2;
    update(rect.toAlignedRect().adjusted(-margin, -margin, margin, margin));
}
