// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"
#include "core/events/duedispatcher.h"
#include "core/events/missedreminders.h"
#include "core/system/lastrunning.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QTimer;

// The one owner of the user's events: the list, its store, the dispatcher that decides what the
// desktop shows, the last-running record and the once-a-second tick. Every front end (the main
// window, the command line, the local channel, D-Bus, import and sync) changes events only
// through these operations and learns of changes only through the signals, so that no front end
// keeps a rule of its own.
//
// Every operation that changes the list saves it whole before it answers; when the save fails the
// list is as it was before the call, `error` says why, and nothing is signalled.
class ReminderBook : public QObject
{
    Q_OBJECT

public:
    // The data folder's event file and last-running record.
    explicit ReminderBook(QObject* parent = nullptr);
    ReminderBook(const QString& storePath, const QString& lastRunPath, QObject* parent = nullptr);
    ~ReminderBook() override;

    // Reads the event file and arms every event. False when a file is there but cannot be read:
    // the store has then put it aside under a name that says so, and the book starts empty.
    bool Load(QString* error = nullptr);
    // After Load: works out what fell due while the program was away (handed out once by
    // TakeMissed), starts keeping the last-running moment and starts the tick.
    void Start();
    // Stops the tick and records the moment the program stopped.
    void Stop();

    // --- Looking ---
    const AffairList& Events() const { return List; }
    std::optional<AffairInfo> Find(const QString& id) const;
    // The next moment any event (or snooze) falls due after now, with its event.
    std::optional<AffairInfo> NextDue() const;
    std::optional<QDateTime> NextDueTime() const;
    // The tray's text: the next reminder, and what waits.
    QString ToolTip() const;
    // What fell due since the last run; empty after the first call.
    QList<MissedReminders::Entry> TakeMissed();

    // --- Changing the list ---
    // Adds the record under a fresh identifier (given back in `id`). With a picture, the picture
    // is written first under a new program path and removed again if the add fails.
    bool Add(AffairInfo record, QString* id, QString* error = nullptr);
    bool Add(AffairInfo record, const QImage& picture, QString* id, QString* error = nullptr);
    // Replaces the event `id` (its snooze cleared, re-armed from now); an event that went while
    // an editor had it open is added back rather than lost.
    bool Replace(const QString& id, AffairInfo record, QString* error = nullptr);
    // Removes the event and, once the list without it is saved, its picture (unless another
    // event names the same file).
    bool Remove(const QString& id, QString* error = nullptr);
    // Removes every event that will never fall due again (a pending snooze still will).
    bool RemoveExpired(int* removed = nullptr, QString* error = nullptr);
    // Replaces every event by a backup's. `count` gets the number restored.
    bool Restore(const QString& backupFile, int* count = nullptr, QString* error = nullptr);

    // Many changes at once (an import): each operation still checks and answers, but the list is
    // saved once, by EndBatch; when that save fails, or on AbortBatch, the list is as it was at
    // BeginBatch and the pictures added meanwhile are gone. Pictures of removed or replaced events
    // go as each operation says, so a batch only adds and replaces.
    void BeginBatch();
    bool EndBatch(QString* error = nullptr);
    void AbortBatch();

    // --- The reminder on screen ---
    // The event whose reminder is on screen; empty for none or a preview.
    QString Showing() const { return Dispatcher.Showing(); }
    // Anything on screen, a preview included.
    bool OnScreen() const { return ScreenTaken; }
    // Puts the event's reminder on screen now as a preview (dismissing it is no reminder's).
    bool ShowNow(const QString& id, QString* error = nullptr);
    // Shows a record that may no longer be in the list (the missed list) as a preview.
    void Preview(const AffairInfo& record);
    // The reminder on screen goes; the next waiting one comes.
    void Dismiss();
    // The reminder on screen comes back at untilSecs (whole seconds since the epoch; 0 dismisses).
    // False with nothing on screen, or when the snooze cannot be saved (the reminder then stays).
    bool Snooze(qint64 untilSecs, QString* error = nullptr);

    // One pass of the clock; the timer calls it just after each whole second.
    void Tick();

    // --- Holding reminders back ---
    // Reminders wait while any reason holds them (the desktop's do not disturb, another program
    // full screen: ReminderHold); when the last reason goes, each that waited comes once, in the
    // order it fell due. A reminder already on screen stays.
    void SetHeld(const QString& reason, bool held);
    bool Held() const { return Dispatcher.Hold().Held(); }
    // How many reminders wait for the hold to end.
    int HeldCount() const { return Dispatcher.HeldCount(); }

signals:
    // Put this record's reminder on screen now, in place of whatever is there.
    void reminderDue(const AffairInfo& record, bool preview);
    // The reminder (or preview) on screen has gone: take the window away.
    void reminderGone(const QString& id);
    // The list changed (added, replaced, removed, restored, moved on by the tick).
    void eventsChanged();
    // The next reminder or its time changed.
    void nextChanged();
    // At each tick, before it looks at the clock: the moment to renew a hold that is found by
    // asking (whether another program is full screen).
    void ticking();

private:
    bool Save(QString* error);
    bool Commit(const AffairList& before, QString* error);
    void Put(const AffairInfo& record, bool preview);
    void ScheduleTick();
    void RemoveOrphanPictures();
    // Hands the pictures of the events just saved to the cache of their calendar PNGs, which
    // makes them in the background once the book has been quiet a moment; once started, as the
    // running program is.
    void PrimePictures();

    QString StorePath;
    AffairList List;
    DueDispatcher Dispatcher{List};
    LastRunning Running;
    QTimer* Timer = nullptr;
    QList<MissedReminders::Entry> Missed;
    bool ScreenTaken = false;
    bool Batching = false;
    AffairList BatchStart;
    QStringList BatchPictures;
    QStringList ToPrime;
    QStringList Priming;
    QTimer* PrimeTimer = nullptr;
    static constexpr int PrimeQuietMs = 2000;
    // The wall clock at the last tick, and the monotonic time since: their difference is a jump.
    qint64 LastTickMs = 0;
    QElapsedTimer Monotonic;
};
