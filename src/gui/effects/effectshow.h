// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/effectframe.h"
#include "core/effects/effectreckon.h"
#include "core/effects/screenchoice.h"
#include "core/effects/screensize.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QTimer;

// The window in which an event's picture enters the desktop. Frameless, on top of everything,
// as large as its screen, shown pixel for pixel, and transparent wherever the picture is white
// (smoothly where the desktop can blend). The "Show reminders on" option picks the screen; with
// every screen, this window leads one more on each other screen, in step. Each timer tick
// shows the next frame of the event's effect; the last frame stays until the owner removes the
// window, which hears of the end through EffectDone: at once (done-on-stop) or on a click.
//
// Owners: construct, connect EffectDone, SetTitle, PrepareEffect, SetDoneOnStop, StartEffect(30).
class EffectShow : public QWidget
{
    Q_OBJECT

public:
    // `where` is the "Show reminders on" choice; the owner has it from the options.
    explicit EffectShow(QWidget* parent = nullptr, ScreenChoice::Where where = ScreenChoice::Primary);
    ~EffectShow() override;

    // Reads the picture file at the screen size and prepares the effect (type and direction codes
    // as the event stores them). A file that is missing, damaged or wholly white is replaced by a
    // card with the title, entering with the same effect, so the reminder is still seen and can be
    // clicked away. Unknown effect codes show the picture at rest, finished on the first tick.
    // True only when the picture was read and the effect is one the program knows.
    bool PrepareEffect(const QString& picturePath, int effectType, int effectDirection);
    // The same from an image (the picture editor's current drawing), taken at its own size.
    bool PrepareEffect(const QImage& picture, int effectType, int effectDirection);
    // The event's title, shown on the card that stands in for a picture that cannot be shown,
    // and the name by which window lists and screen readers know the reminder.
    void SetTitle(const QString& title);
    void SetDoneOnStop(bool on);
    // Starts the frames, one per interval; a running effect is stopped first.
    void StartEffect(int intervalMs);
    void StopEffect();
    bool IsRunning() const { return running; }

    // On X11 the window's shape follows the picture's visible pixels, so that the desktop stays
    // usable around the picture and nothing but the picture shows without a compositor. On by
    // default there; tests switch it on elsewhere.
    void SetShaped(bool on);
    bool IsShaped() const { return shaped; }

    const EffectFrame& Frame() const { return frame; }
    // The screen this window shows on.
    const ScreenSize::Screen& OnScreen() const { return screen; }
    // The picture as the card that stands in for a missing one, at the given size.
    static QImage MakeCard(const QString& title, const QSize& size);
    // The card's title as the lines it is drawn in: wrapped to the card's width, at most half the
    // card high, the last line elided when the title is longer.
    static QStringList CardTitleLines(const QString& title, const QSize& size);

    // A click this soon after the window came on screen is taken for one meant for what was
    // there before (a double click under way, say) and dismisses nothing.
    static constexpr int ClickGuardMs = 300;

public slots:
    void NextStep();

private slots:
    // A screen went away: windows on it move to a remaining screen or, where every remaining
    // screen shows the reminder already, close.
    void ScreensChanged();

signals:
    void EffectDone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // One of the other windows of a leader, on `screen`.
    EffectShow(const ScreenSize::Screen& screen, EffectShow* leader);
    void SetUp();
    void Place(const ScreenSize::Screen& on);
    bool Prepare(const QImage& picture, bool pictureRead, int effectType, int effectDirection);
    bool PrepareAgain();
    // The picture at rest at once, as the last frame leaves it.
    void ShowAtRest();
    // From the frame's device pixels to the window's own coordinates, rounded outwards.
    QRegion ToWindow(const QRegion& pixels) const;
    // False when the frame shows nothing (the shape is then left as it was).
    bool ApplyShape();

    EffectFrame frame;
    QTimer* timer = nullptr;
    bool running = false;
    EffectReckon reckon;
    ScreenSize::Screen screen;
    int screenWidth = 0;
    int screenHeight = 0;
    bool doneOnStop = false;
    bool shaped = false;
    EffectFrame::Edges edges = EffectFrame::HardEdges;
    QString title;
    // Since the window last came on screen.
    QElapsedTimer shownFor;
    // What was prepared, so that a window moved to another screen or a window on another
    // screen shows the same.
    QString picturePath;
    QImage givenPicture;
    int effectType = 0;
    int effectDirection = 0;
    int interval = 30;
    EffectShow* leader = nullptr;
    std::vector<std::unique_ptr<EffectShow>> others;
};
