// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a reminder is on screen after its due second: 100 events due one second apart, run by
// the reminder book's own tick on the real clock (read through the program's clock seam), each
// shown in a reminder window; the delay is from the due second to the window's first frame.
// Given as milliseconds and as a multiple of one round trip through the event loop's timers.
#include "core/events/clock.h"
#include "core/events/reminderbook.h"
#include "gui/effects/effectshow.h"
#include "mock/MockScreens.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int Reminders = 100;

// The window's first frame is the moment it is shown.
class FirstFrame : public QObject
{
public:
    qint64 shownMs = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && shownMs == 0) {
            shownMs = Clock::now().toMSecsSinceEpoch();
        }
        return QObject::eventFilter(watched, event);
    }
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// The shortest timer the program can ask for (1 ms, precise), from start to its slot.
double timerRoundTripMs()
{
    QList<double> trips;
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer t;
        t.start();
        bool fired = false;
        QTimer::singleShot(1, Qt::PreciseTimer, [&fired] { fired = true; });
        while (!fired) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        trips << t.nsecsElapsed() / 1e6;
    }
    return median(trips);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MockScreens::set(QSize(640, 480));
    QTemporaryDir dir;
    ReminderBook book(dir.filePath("events.eda"), dir.filePath("lastrun"));
    if (!book.Load()) {
        std::fprintf(stderr, "cannot load the book\n");
        return 1;
    }
    QImage picture(640, 480, QImage::Format_RGB32);
    // Drawn all over, so that the first frame of the effect already shows some of it.
    picture.fill(QColor(0, 0, 180));

    const qint64 firstDue = Clock::nowSecs() + 3;
    for (int i = 0; i < Reminders; ++i) {
        AffairInfo record;
        const QDateTime at = QDateTime::fromSecsSinceEpoch(firstDue + i);
        record.SetInfo(QString(), QStringLiteral("r%1").arg(i), at, 0, 0, 0, 0, 0);
        record.SetEffect({EffectChoice::Push, EffectChoice::Up});
        QString id;
        if (!book.Add(record, &id)) {
            std::fprintf(stderr, "cannot add\n");
            return 1;
        }
    }

    const double tripMs = timerRoundTripMs();
    std::unique_ptr<EffectShow> window;
    std::unique_ptr<FirstFrame> frame;
    QList<double> delays;
    qint64 dueMs = 0;
    auto record = [&] {
        if (frame && frame->shownMs) {
            delays << double(frame->shownMs - dueMs);
        }
    };
    QObject::connect(&book, &ReminderBook::reminderDue, [&](const AffairInfo& due, bool) {
        record();
        window.reset(new EffectShow);
        frame.reset(new FirstFrame);
        window->installEventFilter(frame.get());
        // The title numbers the event, which was due that many seconds after the first.
        dueMs = (firstDue + due.GetAffairTitle().mid(1).toInt()) * 1000;
        window->PrepareEffect(picture, 0, 0);
        window->StartEffect(30);
        if (delays.size() + 1 >= Reminders) {
            QTimer::singleShot(500, &app, &QCoreApplication::quit);
        }
    });
    book.Start();
    QTimer::singleShot((Reminders + 10) * 1000, &app, &QCoreApplication::quit);
    app.exec();
    record();
    book.Stop();

    if (delays.isEmpty()) {
        std::fprintf(stderr, "no reminder came\n");
        return 1;
    }
    const double worst = *std::max_element(delays.begin(), delays.end());
    const double mid = median(delays);
    std::printf("reminders on screen     %d\n", int(delays.size()));
    std::printf("timer round trip        %.3f ms\n", tripMs);
    std::printf(
        "due second -> frame     median %.1f ms (%.0f round trips), worst %.1f ms (%.0f round trips)\n", mid,
        mid / tripMs, worst, worst / tripMs);
    return 0;
}
