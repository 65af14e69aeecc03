// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/duedispatcher.h"

#include "core/events/clock.h"
#include "core/events/localtime.h"

DueDispatcher::DueDispatcher(AffairList& list) : Affairs(list), SeenZone(LocalTime::ZoneChanges()) {}

AffairInfo DueDispatcher::Tick()
{
    // Reading the local clock is what notices a new zone.
    return Tick(Clock::now().toSecsSinceEpoch());
}

AffairInfo DueDispatcher::Tick(qint64 nowSecs)
{
    // Armed moments are seconds worked out in the old zone: a new zone re-arms them, so that an
    // event at 09:00 stays at 09:00 on the wall clock where the user now is.
    if (LocalTime::ZoneChanges() != SeenZone) {
        SeenZone = LocalTime::ZoneChanges();
        Affairs.RearmAll(LocalTime::FromSecs(nowSecs));
    }
    const QString mask = Affairs.DueMask(nowSecs);
    QStringList due;
    for (int i = mask.indexOf(QLatin1Char('1')); i >= 0; i = mask.indexOf(QLatin1Char('1'), i + 1)) {
        due.append(Affairs.At(i).GetAffairID());
    }
    // A snooze brings its event back whatever the recurrence says, an expired one too.
    const QStringList snoozed = Affairs.TakeSnoozed(nowSecs);
    SnoozesTaken = !snoozed.isEmpty();
    due += snoozed;
    return ShowNow(due);
}

AffairInfo DueDispatcher::ShowNow(const QStringList& ids)
{
    QStringList front;
    for (const QString& id : ids) {
        if (Affairs.Contains(id) && !front.contains(id)) {
            front.append(id);
        }
    }
    for (const QString& id : front) {
        Pending.removeAll(id);
    }
    if (front.isEmpty()) {
        return AffairInfo();
    }
    // The reminder on screen makes way but is not dropped: it comes again right after.
    if (!ShowingID.isEmpty() && !front.contains(ShowingID)) {
        Pending.removeAll(ShowingID);
        front.insert(1, ShowingID);
    }
    Pending = front + Pending;
    return Next();
}

AffairInfo DueDispatcher::Dismissed()
{
    ShowingID.clear();
    return Next();
}

void DueDispatcher::PreviewShown()
{
    // The reminder under the preview comes again once the preview is dismissed.
    if (!ShowingID.isEmpty()) {
        Pending.removeAll(ShowingID);
        Pending.prepend(ShowingID);
    }
    ShowingID.clear();
}

AffairInfo DueDispatcher::Next()
{
    while (!Pending.isEmpty()) {
        const AffairInfo record = Affairs.FindAffair(Pending.takeFirst());
        if (!record.GetAffairID().isEmpty()) {
            ShowingID = record.GetAffairID();
            return record;
        }
    }
    return AffairInfo();
}
