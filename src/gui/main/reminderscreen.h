// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"
#include "core/events/snoozechoice.h"
#include "core/system/remindersound.h"

#include <QList>
#include <QObject>
#include <QPointer>

class EffectShow;
class Options;
class QAction;
class QMenu;
class ReminderBook;

// What the desktop shows of the book's reminders: the effect window for the reminder or preview
// the book puts on screen, its right-click menu of snooze choices (also offered in the tray) and
// the sound. Every choice goes back to the book, which decides what comes next.
class ReminderScreen : public QObject
{
    Q_OBJECT

public:
    ReminderScreen(ReminderBook& book, const Options& options, QObject* parent = nullptr);
    ~ReminderScreen() override;

    EffectShow* Window() const { return Effect; }
    // The menu a right click on a reminder opens.
    QMenu* Menu() const { return SnoozeMenu; }
    // The same choices for the tray menu: shown only while a reminder (or, "Dismiss reminder"
    // alone, a preview) is on screen.
    QList<QAction*> TrayActions() const { return TraySnoozeActions; }
    // A window the reminder must appear beneath (the full-screen editor).
    void SetCovering(QWidget* window) { Covering = window; }
    // Where the reminder sound goes (tests put in one that plays nothing).
    void SetSoundPlayer(std::unique_ptr<SoundPlayer> player) { Sound.SetPlayer(std::move(player)); }
    void RetranslateUi();

signals:
    // A snooze could not be kept (the reminder stays on screen).
    void failed(const QString& reason);

private:
    void Show(const AffairInfo& record, bool preview);
    void Close();
    void Choose(SnoozeChoice::Choice choice);
    void UpdateActions();

    ReminderBook& Book;
    const Options& Opts;
    EffectShow* Effect = nullptr;
    QMenu* SnoozeMenu = nullptr;
    QList<QAction*> SnoozeActions;
    QList<QAction*> TraySnoozeActions;
    QPointer<QWidget> Covering;
    ReminderSound Sound;
};
