// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QString>
#include <QStringList>

// Decides, once a second and on each dismissal, which reminder the desktop shows. It holds the
// events that fell due while another was on screen, as identifiers: each is looked up when its
// turn comes, so one deleted meanwhile is skipped and one edited is shown as it is now. An
// event waits at most once, however often it falls due while waiting.
//
// Every answer is the record to show now; an empty record (no identifier) means "leave the
// screen as it is".
class DueDispatcher
{
public:
    // The list is the main window's; it must outlive the dispatcher.
    explicit DueDispatcher(AffairList& list);

    // One tick: moves every event due by now on to its next occurrence. The first of them in
    // list order replaces whatever is on screen; the others wait, ahead of earlier ones.
    // A reminder it replaces is not lost: it waits at the front and comes again next.
    AffairInfo Tick();
    AffairInfo Tick(qint64 nowSecs);

    // Puts these events on screen: the first that still exists at once, the rest waiting ahead
    // of the others. The place for any reminder that comes from elsewhere than the tick.
    AffairInfo ShowNow(const QStringList& ids);

    // The reminder on screen was clicked away: the next waiting one that still exists.
    AffairInfo Dismissed();

    // A preview took the screen: what is dismissed next is no reminder, and a reminder it
    // covered waits at the front.
    void PreviewShown();

    // The event whose reminder is on screen; empty for none or a preview.
    QString Showing() const { return ShowingID; }
    QStringList Waiting() const { return Pending; }
    // Whether the last tick brought snoozes back (taken off their events, to be saved).
    bool TookSnoozes() const { return SnoozesTaken; }

private:
    // Takes waiting events in turn until one still exists; it goes on screen.
    AffairInfo Next();

    AffairList& Affairs;
    QStringList Pending;
    QString ShowingID;
    quint64 SeenZone = 0;
    bool SnoozesTaken = false;
};
