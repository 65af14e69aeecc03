// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/effectframe.h"
#include "core/effects/effectreckon.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QTimer;

// The window in which an event's picture enters the desktop. Frameless, on top of everything,
// as large as the screen, and transparent wherever the picture is pure white. Each timer tick
// shows the next frame of the event's effect; the last frame stays until the owner removes the
// window, which hears of the end through EffectDone: at once (done-on-stop) or on a click.
//
// Owners: construct, connect EffectDone, SetTitle, PrepareEffect, SetDoneOnStop, StartEffect(30).
class EffectShow : public QWidget
{
    Q_OBJECT

public:
    explicit EffectShow(QWidget* parent = nullptr);
    ~EffectShow() override;

    // Reads the picture file at the screen size and prepares the effect (type and direction codes
    // as the event stores them). A file that is missing, damaged or wholly white is replaced by a
    // card with the title, entering with the same effect, so the reminder is still seen and can be
    // clicked away. Unknown effect codes show the picture at rest, finished on the first tick.
    // True only when the picture was read and the effect is one the program knows.
    bool PrepareEffect(const QString& picturePath, int effectType, int effectDirection);
    // The same from an image (the picture editor's current drawing), taken at its own size.
    bool PrepareEffect(const QImage& picture, int effectType, int effectDirection);
    // The event's title, shown on the card that stands in for a picture that cannot be shown.
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
    // The picture as the card that stands in for a missing one, at the given size.
    static QImage MakeCard(const QString& title, const QSize& size);

public slots:
    void NextStep();

signals:
    void EffectDone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool Prepare(const QImage& picture, bool pictureRead, int effectType, int effectDirection);
    // False when the frame shows nothing (the shape is then left as it was).
    bool ApplyShape();

    EffectFrame frame;
    QTimer* timer = nullptr;
    bool running = false;
    EffectReckon reckon;
    int screenWidth = 0;
    int screenHeight = 0;
    bool doneOnStop = false;
    bool shaped = false;
    QString title;
};
