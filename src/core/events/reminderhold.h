// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Why reminders wait instead of coming on screen, and which wait. Each reason (the desktop's
// do-not-disturb, another program full screen) is set and cleared by its own watcher; reminders
// are held while any reason stands. Those that fall due meanwhile wait once each, however often
// they fall due, in the order they first fell due, and come when the last reason goes.
class ReminderHold
{
public:
    static const QString DoNotDisturb;
    static const QString FullScreen;

    // True when this started or ended the hold.
    bool Set(const QString& reason, bool held);
    bool Held() const { return !Reasons.isEmpty(); }
    bool HeldFor(const QString& reason) const { return Reasons.contains(reason); }

    // While held: these fell due. One already waiting keeps its place.
    void Keep(const QStringList& ids);
    QStringList Waiting() const { return Queue; }
    // The hold ended: what waited, in the order it fell due. Nothing waits afterwards.
    QStringList Release();

    // The tray's line while reminders wait, naming why; empty when none wait.
    QString ToolTipLine(int waiting) const;

private:
    QSet<QString> Reasons;
    QStringList Queue;
};
