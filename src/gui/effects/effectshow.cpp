// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/effects/effectshow.h"

#include "gui/platform/compositing.h"
#include "core/effects/screenchoice.h"
#include "core/effects/screensize.h"
#include "core/picture/picturefile.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>

namespace {

// A tool window is kept off the task bar and the pager, and window managers stack it above the
// program's other windows, the full-screen drawing sheet among them.
const Qt::WindowFlags Flags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

// Each rectangle scaled by `factor` and grown to whole units, so that nothing is left out.
QRegion scaled(const QRegion& region, double factor)
{
    if (factor == 1.0) {
        return region;
    }
    QRegion out;
    for (const QRect& r : region) {
        out +=
            QRectF(r.x() * factor, r.y() * factor, r.width() * factor, r.height() * factor).toAlignedRect();
    }
    return out;
}

// A reminder is an alert to assistive technology, which announces it as it appears, rather than
// a plain window with nothing to say.
QAccessibleInterface* reminderAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("EffectShow") && object && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    }
    return nullptr;
}

} // namespace

EffectShow::EffectShow(QWidget* parent, ScreenChoice::Where where) : QWidget(parent, Flags)
{
    SetUp();
    const QList<ScreenSize::Screen> screens = ScreenSize::screens();
    const QList<int> chosen = ScreenChoice::For(where, screens, ScreenSize::pointer());
    Place(screens.at(chosen.value(0)));
    for (int i = 1; i < chosen.size(); ++i) {
        others.push_back(std::unique_ptr<EffectShow>(new EffectShow(screens.at(chosen.at(i)), this)));
    }
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &EffectShow::ScreensChanged,
            Qt::QueuedConnection);
}

EffectShow::EffectShow(const ScreenSize::Screen& on, EffectShow* lead) : QWidget(nullptr, Flags), leader(lead)
{
    SetUp();
    Place(on);
}

EffectShow::~EffectShow() = default;

void EffectShow::SetUp()
{
    // Set before the native window exists, so that X11 gives it a visual with alpha.
    setAttribute(Qt::WA_TranslucentBackground);
    // A reminder must not take the keyboard away from whatever the user is typing into.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    static const bool accessibleAsAlert = (QAccessible::installFactory(reminderAccessible), true);
    Q_UNUSED(accessibleAsAlert)
    hide();

    timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &EffectShow::NextStep);

    shaped = QGuiApplication::platformName() == QLatin1String("xcb");
    edges = Compositing::Active() ? EffectFrame::SoftEdges : EffectFrame::HardEdges;
}

void EffectShow::Place(const ScreenSize::Screen& on)
{
    screen = on;
    const QSize pixels = on.Pixels();
    screenWidth = pixels.width();
    screenHeight = pixels.height();
    setGeometry(on.geometry);
    frame.SetWindowSize(pixels);
    reckon.SetScreen(pixels);
}

bool EffectShow::PrepareEffect(const QString& path, int type, int direction)
{
    picturePath = path;
    givenPicture = QImage();
    QImage picture;
    const bool read = PictureFile::Read(path, QSize(screenWidth, screenHeight), &picture);
    return Prepare(picture, read, type, direction);
}

bool EffectShow::PrepareEffect(const QImage& picture, int type, int direction)
{
    picturePath.clear();
    givenPicture = picture;
    const QSize pixels(screenWidth, screenHeight);
    // Drawn on another screen than this one: as large as this screen, like a stored picture.
    const QImage fitted = picture.isNull() || picture.size() == pixels
                              ? picture
                              : picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return Prepare(fitted, !picture.isNull(), type, direction);
}

bool EffectShow::PrepareAgain()
{
    return givenPicture.isNull() ? PrepareEffect(picturePath, effectType, effectDirection)
                                 : PrepareEffect(givenPicture, effectType, effectDirection);
}

bool EffectShow::Prepare(const QImage& picture, bool pictureRead, int type, int direction)
{
    // A window prepared again must not keep ticking an effect that is no longer there.
    timer->stop();
    running = false;
    hide();
    effectType = type;
    effectDirection = direction;

    bool usable = pictureRead;
    if (usable) {
        frame.SetPicture(picture, edges);
        usable = !frame.IsBlank();
    }
    if (!usable) {
        // Hard edges even where the desktop blends: smooth edges would make the pale panel,
        // and the text on it, as see-through as its distance from white.
        frame.SetPicture(MakeCard(title, QSize(screenWidth, screenHeight)), EffectFrame::HardEdges);
    }
    const int result = reckon.Init({type, direction});
    if (shaped) {
        // Made now rather than on the first frames, which must come on time.
        frame.PictureShape();
        frame.CoarsePictureShape();
    }
    for (const auto& other : others) {
        other->title = title;
        other->picturePath = picturePath;
        other->givenPicture = givenPicture;
        other->effectType = type;
        other->effectDirection = direction;
        other->PrepareAgain();
    }
    return usable && result == 0 && reckon.HasEffect();
}

void EffectShow::SetTitle(const QString& text)
{
    title = text;
    // Window lists and screen readers name the reminder by its event. Qt reads "[*]" in a window
    // title as the place of its modified mark and drops it; doubled, it shows once.
    QString shown = text;
    shown.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(shown);
    setAccessibleName(tr("Reminder: %1").arg(text));
    for (const auto& other : others) {
        other->SetTitle(text);
    }
}

void EffectShow::SetDoneOnStop(bool on)
{
    doneOnStop = on;
}

void EffectShow::SetShaped(bool on)
{
    for (const auto& other : others) {
        other->SetShaped(on);
    }
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
    interval = intervalMs;
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
        update(ToWindow(changed));
    } else if (anything) {
        // Not before the picture has something on screen: an X11 window without a shape would
        // cover the whole desktop for that frame.
        show();
    }
    for (const auto& other : others) {
        other->NextStep();
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
    setMask(ToWindow(shape));
    return true;
}

QRegion EffectShow::ToWindow(const QRegion& pixels) const
{
    return scaled(pixels, 1.0 / screen.ratio);
}

void EffectShow::ShowAtRest()
{
    // Plain arithmetic, some 150 steps at most.
    for (int i = 0; i < 10000 && reckon.Step(); ++i) {
    }
    frame.SetGeometry(reckon.IsMoving() ? reckon.Offset() : QPointF(),
                      reckon.IsMasking() ? reckon.HiddenRects() : QList<QRectF>());
    if (shaped ? ApplyShape() : !frame.Drawn().isEmpty()) {
        show();
        update();
    }
}

void EffectShow::ScreensChanged()
{
    const QList<ScreenSize::Screen> remaining = ScreenSize::screens();
    auto gone = [&remaining](const ScreenSize::Screen& s) {
        for (const ScreenSize::Screen& r : remaining) {
            if (r.geometry == s.geometry) {
                return false;
            }
        }
        return true;
    };
    auto move = [](EffectShow* w, const ScreenSize::Screen& to) {
        const bool wasRunning = w->running;
        const bool wasShown = w->isVisible();
        w->Place(to);
        w->PrepareAgain();
        if (wasRunning) {
            w->StartEffect(w->interval);
        } else if (wasShown) {
            w->ShowAtRest();
            for (const auto& other : w->others) {
                other->ShowAtRest();
            }
        }
    };
    if (gone(screen)) {
        const ScreenSize::Screen to = remaining.at(qMax(0, ScreenChoice::Replacement(remaining, {})));
        // A window of ours already there gives way to this one.
        others.erase(
            std::remove_if(others.begin(), others.end(),
                           [&to](const auto& other) { return other->screen.geometry == to.geometry; }),
            others.end());
        move(this, to);
    }
    for (auto it = others.begin(); it != others.end();) {
        if (!gone((*it)->screen)) {
            ++it;
            continue;
        }
        QList<QRect> taken{screen.geometry};
        for (const auto& other : others) {
            taken.append(other->screen.geometry);
        }
        const int to = ScreenChoice::Replacement(remaining, taken);
        if (to < 0) {
            it = others.erase(it);
        } else {
            move(it->get(), remaining.at(to));
            ++it;
        }
    }
}

void EffectShow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The frame is in the screen's device pixels: one picture pixel to one screen pixel.
    painter.scale(1.0 / screen.ratio, 1.0 / screen.ratio);
    frame.Paint(&painter, scaled(event->region(), screen.ratio));
}

void EffectShow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    EffectShow* lead = leader ? leader : this;
    // An owner that offers a menu on the right button gets it instead of a dismissal.
    if (event->button() == Qt::RightButton && lead->contextMenuPolicy() == Qt::CustomContextMenu) {
        return;
    }
    // Not a click begun before the picture was there, nor one of a double click that it came
    // under: the reminder would go unseen, and so be lost.
    if (!lead->running && shownFor.isValid() && shownFor.elapsed() >= ClickGuardMs) {
        emit lead->EffectDone();
    }
}

void EffectShow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    shownFor.start();
    if (!leader) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void EffectShow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    for (const auto& other : others) {
        other->hide();
    }
}

namespace {

struct CardFonts
{
    QFont title;
    QFont note;
    int margin = 0;
    int textWidth = 0;
};

CardFonts cardFonts(const QSize& size)
{
    CardFonts fonts;
    fonts.title.setPixelSize(qMax(12, size.height() / 20));
    fonts.title.setBold(true);
    fonts.note.setPixelSize(qMax(10, size.height() / 48));
    fonts.margin = qMax(8, size.height() / 40);
    fonts.textWidth = qMax(16, size.width() / 2 - 2 * fonts.margin);
    return fonts;
}

} // namespace

QStringList EffectShow::CardTitleLines(const QString& title, const QSize& size)
{
    const CardFonts fonts = cardFonts(size);
    const QFontMetrics metrics(fonts.title);
    const int maxLines = qMax(1, size.height() / 2 / metrics.lineSpacing());
    // Whole lines only: at word boundaries where there are any, anywhere in a word too long for
    // a line, and the last line that fits ends in an ellipsis when the title goes on.
    QString text = title;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, fonts.title);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(fonts.textWidth);
        if (lines.size() == maxLines - 1 && line.textStart() + line.textLength() < text.size()) {
            lines.append(
                metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight, fonts.textWidth));
            break;
        }
        QString part = text.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        lines.append(part.trimmed());
    }
    layout.endLayout();
    return lines;
}

QImage EffectShow::MakeCard(const QString& title, const QSize& size)
{
    QImage card(size, QImage::Format_RGB32);
    card.fill(Qt::white);
    QPainter painter(&card);

    const CardFonts fonts = cardFonts(size);
    const int margin = fonts.margin;
    const QStringList lines = title.isEmpty() ? QStringList() : CardTitleLines(title, size);
    const QFontMetrics titleMetrics(fonts.title);
    const int lineHeight = titleMetrics.lineSpacing();
    int titleWidth = 0;
    for (const QString& line : lines) {
        titleWidth = qMax(titleWidth, titleMetrics.horizontalAdvance(line));
    }
    const int titleHeight = int(lines.size()) * lineHeight;

    const QString note = tr("The picture of this reminder cannot be shown.");
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    painter.setFont(fonts.note);
    const QRect noteBox = painter.boundingRect(QRect(0, 0, fonts.textWidth, size.height()), flags, note);

    const int gap = lines.isEmpty() ? 0 : margin / 2;
    const int panelWidth = qMin(size.width(), qMax(titleWidth, noteBox.width()) + 2 * margin);
    const int panelHeight = qMin(size.height(), titleHeight + gap + noteBox.height() + 2 * margin);
    const QRect panel((size.width() - panelWidth) / 2, (size.height() - panelHeight) / 2, panelWidth,
                      panelHeight);

    // Nothing on the card may be pure white, or it would vanish with the background.
    painter.fillRect(panel, QColor(255, 248, 220));
    painter.setPen(QPen(QColor(96, 96, 96), qMax(1, margin / 6)));
    painter.drawRect(panel.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(32, 32, 32));
    int y = panel.top() + margin;
    painter.setFont(fonts.title);
    for (const QString& line : lines) {
        painter.drawText(QRect(panel.left() + margin, y, panel.width() - 2 * margin, lineHeight),
                         Qt::AlignHCenter, line);
        y += lineHeight;
    }
    y += gap;
    painter.setFont(fonts.note);
    painter.drawText(QRect(panel.left() + margin, y, panel.width() - 2 * margin, noteBox.height()), flags,
                     note);
    return card;
}
