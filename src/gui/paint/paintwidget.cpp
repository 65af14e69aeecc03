// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/paint/paintwidget.h"

#include "core/effects/screenchoice.h"
#include "core/effects/screensize.h"
#include "core/picture/floodfill.h"
#include "core/picture/imageimport.h"
#include "core/picture/picturefile.h"
#include "gui/common/windowmodal.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstring>

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

    // Text meant to be read from across the room on a full-screen picture: about 24 points on
    // a sheet of 1080 lines, in proportion on others.
    Font.setPointSizeF(qMax(10.0, 24.0 * CanvasHeight / 1080.0));

    setAcceptDrops(true);
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
    FinishPending();
    CurrentTool = tool;
}

void PaintWidget::ResetCanvas(const QColor& color, int width)
{
    if (TextOpen) {
        TextOpen = false;
        disconnect(&TextLine, &QLineEdit::textChanged, this, &PaintWidget::GrowTextBox);
        TextLine.hide();
        TextLine.clear();
    }
    Placed = QImage();
    Moving = false;
    Before = QImage();
    Steps.Clear();
    Image.fill(Qt::white);
    Pen = QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    EraserPen = QPen(QColor(255, 255, 255, 255), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    Drawing = false;
    Path = QPainterPath();
    update();
    emit HistoryChanged();
}

bool PaintWidget::SavePicture(const QString& path, QString* error)
{
    return PictureFile::Write(path, Image, error);
}

bool PaintWidget::LoadPicture(const QString& path)
{
    QImage loaded;
    if (!PictureFile::Read(path, Image.size(), &loaded)) {
        return false;
    }
    loaded.setDevicePixelRatio(Image.devicePixelRatio());
    Image = loaded;
    // What is loaded is where this session starts.
    Steps.Clear();
    Before = QImage();
    update();
    emit HistoryChanged();
    return 0;
}

void PaintWidget::DSetFont()
{
    QFont font = Font;
    if (WindowModal::ChooseFont(this, &font)) {
        SetTextFont(font);
    }
}

void PaintWidget::SetTextFont(const QFont& font)
{
    Font = font;
    TextLine.setFont(Font);
    if (TextOpen) {
        GrowTextBox();
    }
}

void PaintWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit HideOrShowPancel();
        return;
    }
    if (event->button() != Qt::LeftButton || Drawing) {
        return;
    }
    if (IsPlacing()) {
        // A press on the picture drags it; one beside it fixes it there and draws nothing.
        if (PlacedRect().contains(event->position().toPoint())) {
            Moving = true;
            MoveFrom = event->position().toPoint();
            MoveOrigin = PlacedAt;
        } else {
            CommitPlaced();
        }
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
        BeginStep();
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
            emit HistoryChanged();
        }
        break;
    case Fill: {
        const qreal ratio = Image.devicePixelRatio();
        const QPoint pixel(int(event->position().x() * ratio), int(event->position().y() * ratio));
        BeginStep();
        const QRect filled = FloodFill::Fill(&Image, pixel, Pen.color());
        EndStep();
        update(ToWindow(filled));
        break;
    }
    default:
        Drawing = true;
        break;
    }
}

void PaintWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (Moving) {
        const QRect before = PlacedRect();
        const QPoint moved = event->position().toPoint() - MoveFrom;
        const qreal ratio = Image.devicePixelRatio();
        PlacedAt = MoveOrigin + QPoint(qRound(moved.x() * ratio), qRound(moved.y() * ratio));
        update(before.united(PlacedRect()).adjusted(-2, -2, 2, 2));
        return;
    }
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
    if (event->button() == Qt::LeftButton && Moving) {
        Moving = false;
        return;
    }
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
    // Whatever tool the stroke began with (a key may have changed it since).
    if (!Before.isNull()) {
        EndStep();
    }
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
    if (IsPlacing()) {
        const QRect box = PlacedRect();
        painter.drawImage(box, Placed);
        // A dashed frame shows that the picture is not fixed yet, even on white parts.
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
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
        BeginStep();
        QPainter painter(&Image);
        painter.setPen(ToolPen());
        painter.drawPath(Path);
        painter.end();
        EndStep();
        UpdateAround(Path.boundingRect());
    }
    Path = QPainterPath();
}

void PaintWidget::FinishPending()
{
    if (TextOpen) {
        CommitText();
    }
    if (IsPlacing()) {
        CommitPlaced();
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
        BeginStep();
        QPainter painter(&Image);
        painter.setFont(Font);
        painter.setPen(Pen);
        const QPoint origin(box.x(), int(box.y() + 0.75 * box.height()));
        painter.drawText(origin, text);
        painter.end();
        EndStep();
        update(QFontMetrics(Font).boundingRect(text).translated(origin).adjusted(-2, -2, 2, 2).united(box));
    }
    TextLine.clear();
    emit HistoryChanged();
}

QRect PaintWidget::PlacedRect() const
{
    if (!IsPlacing()) {
        return QRect();
    }
    return ToWindow(QRect(PlacedAt, Placed.size()));
}

void PaintWidget::PlacePicture(const QImage& picture)
{
    FinishPending();
    if (picture.isNull()) {
        return;
    }
    Placed = picture.convertToFormat(QImage::Format_RGB16);
    Placed.setDevicePixelRatio(1.0);
    PlacedAt = QPoint((Image.width() - Placed.width()) / 2, (Image.height() - Placed.height()) / 2);
    Moving = false;
    update(PlacedRect().adjusted(-2, -2, 2, 2));
    emit HistoryChanged();
}

void PaintWidget::CommitPlaced()
{
    const QRect target = QRect(PlacedAt, Placed.size()) & Image.rect();
    const QRect shown = PlacedRect().adjusted(-2, -2, 2, 2);
    if (!target.isEmpty()) {
        BeginStep();
        const qsizetype rowBytes = qsizetype(target.width()) * 2;
        for (int y = target.top(); y <= target.bottom(); ++y) {
            std::memcpy(Image.scanLine(y) + target.left() * 2,
                        Placed.constScanLine(y - PlacedAt.y()) + (target.left() - PlacedAt.x()) * 2,
                        size_t(rowBytes));
        }
        EndStep();
    }
    Placed = QImage();
    Moving = false;
    update(shown);
    emit HistoryChanged();
}

bool PaintWidget::PlaceFrom(const QMimeData* mime, QString* error)
{
    error->clear();
    const QSize fit = Image.size();
    QImage picture;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            if (!ImageImport::ReadFile(url.toLocalFile(), fit, &picture, error)) {
                return false;
            }
            PlacePicture(picture);
            return true;
        }
    }
    // One encoded form is enough: each may have to come whole from another program.
    const QStringList formats = mime->formats();
    QString format = formats.contains(QStringLiteral("image/png")) ? QStringLiteral("image/png") : QString();
    for (int i = 0; format.isEmpty() && i < formats.size(); ++i) {
        if (formats.at(i).startsWith(QLatin1String("image/"))) {
            format = formats.at(i);
        }
    }
    if (!format.isEmpty()) {
        if (!ImageImport::ReadData(mime->data(format), fit, &picture, error)) {
            return false;
        }
        PlacePicture(picture);
        return true;
    }
    // Only a picture put there by this program itself comes as an object.
    if (mime->hasImage()) {
        picture = ImageImport::Prepare(qvariant_cast<QImage>(mime->imageData()), fit);
        if (!picture.isNull()) {
            PlacePicture(picture);
            return true;
        }
    }
    return false;
}

void PaintWidget::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    bool usable = mime->hasImage();
    for (const QUrl& url : mime->urls()) {
        usable = usable || url.isLocalFile();
    }
    for (const QString& format : mime->formats()) {
        usable = usable || format.startsWith(QLatin1String("image/"));
    }
    if (usable && !Drawing) {
        event->acceptProposedAction();
    }
}

void PaintWidget::dropEvent(QDropEvent* event)
{
    QString reason;
    if (PlaceFrom(event->mimeData(), &reason)) {
        event->acceptProposedAction();
        return;
    }
    emit DropRefused(reason);
}

bool PaintWidget::CanUndo() const
{
    return !Drawing && (Steps.CanUndo() || TextOpen || IsPlacing());
}

bool PaintWidget::CanRedo() const
{
    return !Drawing && !TextOpen && !IsPlacing() && Steps.CanRedo();
}

bool PaintWidget::Undo()
{
    if (!CanUndo()) {
        return false;
    }
    // What is still open was never part of the drawing: undoing it simply drops it.
    if (TextOpen || IsPlacing()) {
        const QRect shown = PlacedRect().united(TextLine.geometry()).adjusted(-2, -2, 2, 2);
        TextOpen = false;
        disconnect(&TextLine, &QLineEdit::textChanged, this, &PaintWidget::GrowTextBox);
        TextLine.hide();
        TextLine.clear();
        Placed = QImage();
        Moving = false;
        update(shown);
        emit HistoryChanged();
        return true;
    }
    const QRect changed = Steps.Undo(&Image);
    update(ToWindow(changed));
    emit HistoryChanged();
    return !changed.isEmpty();
}

bool PaintWidget::Redo()
{
    if (!CanRedo()) {
        return false;
    }
    const QRect changed = Steps.Redo(&Image);
    update(ToWindow(changed));
    emit HistoryChanged();
    return !changed.isEmpty();
}

void PaintWidget::BeginStep()
{
    // A step reverses by exclusive-or, so no change may ever go unrecorded: one still open
    // is closed first.
    if (!Before.isNull()) {
        EndStep();
    }
    Before = Image;
}

void PaintWidget::EndStep()
{
    Steps.Record(Before, Image);
    Before = QImage();
    emit HistoryChanged();
}

QRect PaintWidget::ToWindow(const QRect& pixels) const
{
    if (pixels.isEmpty()) {
        return QRect();
    }
    const qreal ratio = Image.devicePixelRatio();
    return QRectF(pixels.x() / ratio, pixels.y() / ratio, pixels.width() / ratio, pixels.height() / ratio)
        .toAlignedRect();
}

void PaintWidget::UpdateAround(const QRectF& rect)
{
    const int margin = qMax(Pen.width(), EraserPen.width()) / 2 + 2;
    update(rect.toAlignedRect().adjusted(-margin, -margin, margin, margin));
}
