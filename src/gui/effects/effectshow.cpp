// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/effects/effectshow.h"

#include "core/picture/picturefile.h"
#include "core/effects/screensize.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

EffectShow::EffectShow(QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    // Set before the native window exists, so that X11 gives it a visual with alpha.
    setAttribute(Qt::WA_TranslucentBackground);
    // A reminder must not take the keyboard away from whatever the user is typing into.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    hide();

    const QSize size = ScreenSize::get();
    screenWidth = size.width();
    screenHeight = size.height();
    QPoint origin;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        origin = screen->geometry().topLeft();
    }
    setGeometry(QRect(origin, size));
    frame.SetWindowSize(size);

    timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &EffectShow::NextStep);

    shaped = QGuiApplication::platformName() == QLatin1String("xcb");
}

EffectShow::~EffectShow() = default;

bool EffectShow::PrepareEffect(const QString& picturePath, int effectType, int effectDirection)
{
    QImage picture;
    const bool read = PictureFile::Read(picturePath, QSize(screenWidth, screenHeight), &picture) == 0;
    return Prepare(picture, read, effectType, effectDirection);
}

bool EffectShow::PrepareEffect(const QImage& picture, int effectType, int effectDirection)
{
    return Prepare(picture, !picture.isNull(), effectType, effectDirection);
}

bool EffectShow::Prepare(const QImage& picture, bool pictureRead, int effectType, int effectDirection)
{
    // A window prepared again must not keep ticking an effect that is no longer there.
    timer->stop();
    running = false;
    hide();

    bool usable = pictureRead;
    if (usable) {
        frame.SetPicture(picture);
        usable = !frame.IsBlank();
    }
    if (!usable) {
        frame.SetPicture(MakeCard(title, QSize(screenWidth, screenHeight)));
    }
    const int result = reckon.Init({effectType, effectDirection});
    if (shaped) {
        // Made now rather than on the first frames, which must come on time.
        frame.PictureShape();
        frame.CoarsePictureShape();
    }
    return usable && result == 0 && reckon.HasEffect();
}

void EffectShow::SetTitle(const QString& text)
{
    title = text;
}

void EffectShow::SetDoneOnStop(bool on)
{
    doneOnStop = on;
}

void EffectShow::SetShaped(bool on)
{
    shaped = on;
    if (!shaped) {
        clearMask();
    } else if (frame.IsShown()) {
        ApplyShape();
    }
}

void EffectShow::StartEffect(int intervalMs)
{
    if (running) {
        QPointer<EffectShow> self(this);
        StopEffect();
        if (!self) {
            return;
        }
    }
    timer->start(intervalMs);
    running = true;
}

void EffectShow::StopEffect()
{
    if (!running) {
        return;
    }
    timer->stop();
    running = false;
    if (doneOnStop) {
        emit EffectDone();
    }
}

void EffectShow::NextStep()
{
    reckon.Step();
    const QPointF offset = reckon.IsMoving() ? reckon.Offset() : QPointF();
    const QList<QRectF> hidden = reckon.IsMasking() ? reckon.HiddenRects() : QList<QRectF>();
    const QRegion changed = frame.SetGeometry(offset, hidden);
    const bool finished = reckon.IsFinished();

    const bool anything = shaped ? ApplyShape() : !frame.Drawn().isEmpty();
    if (isVisible()) {
        update(changed);
    } else if (anything) {
        // Not before the picture has something on screen: an X11 window without a shape would
        // cover the whole desktop for that frame.
        show();
    }
    if (finished) {
        StopEffect();
    }
}

bool EffectShow::ApplyShape()
{
    // The exact shape only once the picture rests: following it every frame would cost the
    // window system more than a frame's time.
    const QRegion shape = reckon.IsFinished() ? frame.Shape() : frame.CoarseShape();
    // An empty region would lift the shape altogether; the window is not shown then anyway.
    if (shape.isEmpty()) {
        return false;
    }
    setMask(shape);
    return true;
}

void EffectShow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    frame.Paint(&painter, event->region());
}

void EffectShow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    // An owner that offers a menu on the right button gets it instead of a dismissal.
    if (event->button() == Qt::RightButton && contextMenuPolicy() == Qt::CustomContextMenu) {
        return;
    }
    if (!running) {
        emit EffectDone();
    }
}

QImage EffectShow::MakeCard(const QString& title, const QSize& size)
{
    QImage card(size, QImage::Format_RGB32);
    card.fill(Qt::white);
    QPainter painter(&card);

    QFont titleFont = painter.font();
    titleFont.setPixelSize(qMax(12, size.height() / 20));
    titleFont.setBold(true);
    QFont noteFont = painter.font();
    noteFont.setPixelSize(qMax(10, size.height() / 48));

    const QString note = tr("The picture of this reminder cannot be shown.");
    const int margin = qMax(8, size.height() / 40);
    const int textWidth = qMax(16, size.width() / 2 - 2 * margin);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;

    painter.setFont(titleFont);
    QRect titleBox =
        title.isEmpty() ? QRect() : painter.boundingRect(QRect(0, 0, textWidth, size.height()), flags, title);
    titleBox.setHeight(qMin(titleBox.height(), size.height() / 2));
    painter.setFont(noteFont);
    const QRect noteBox = painter.boundingRect(QRect(0, 0, textWidth, size.height()), flags, note);

    const int gap = titleBox.isEmpty() ? 0 : margin / 2;
    const int panelWidth = qMin(size.width(), qMax(titleBox.width(), noteBox.width()) + 2 * margin);
    const int panelHeight = qMin(size.height(), titleBox.height() + gap + noteBox.height() + 2 * margin);
    const QRect panel((size.width() - panelWidth) / 2, (size.height() - panelHeight) / 2, panelWidth,
                      panelHeight);

    // Nothing on the card may be pure white, or it would vanish with the background.
    painter.fillRect(panel, QColor(255, 248, 220));
    painter.setPen(QPen(QColor(96, 96, 96), qMax(1, margin / 6)));
    painter.drawRect(panel.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(32, 32, 32));
    int y = panel.top() + margin;
    if (!titleBox.isEmpty()) {
        painter.setFont(titleFont);
        painter.drawText(QRect(panel.left() + margin, y, panel.width() - 2 * margin, titleBox.height()),
                         flags, title);
        y += titleBox.height() + gap;
    }
    painter.setFont(noteFont);
    painter.drawText(QRect(panel.left() + margin, y, panel.width() - 2 * margin, noteBox.height()), flags,
                     note);
    return card;
}
