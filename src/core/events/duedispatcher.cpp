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
    due += Affairs.TakeSnoozed(nowSecs);
    return ShowNow(due);
}

AffairInfo DueDispatcher::ShowNow(const QStringList& ids)
{
    if (Holding.Held()) {
        QStringList fresh = ids;
        fresh.removeIf([this](const QString& id) { return Pending.contains(id); });
        Holding.Keep(fresh);
        return AffairInfo();
    }
    QStringList front = ids;
    front.removeDuplicates();
    for (const QString& id : front) {
        Pending.removeAll(id);
    }
    Pending = front + Pending;
    return Next();
}

AffairInfo DueDispatcher::Dismissed()
{
    ShowingID.clear();
    return Holding.Held() ? AffairInfo() : Next();
}

AffairInfo DueDispatcher::SetHeld(const QString& reason, bool held)
{
    if (!Holding.Set(reason, held) || Holding.Held()) {
        return AffairInfo();
    }
    const QStringList waited = Holding.Release();
    if (!waited.isEmpty()) {
        return ShowNow(waited);
    }
    // Dismissed during the hold: the next one behind it comes now.
    return ShowingID.isEmpty() ? Next() : AffairInfo();
}

int DueDispatcher::HeldCount() const
{
    if (!Holding.Held()) {
        return 0;
    }
    QStringList all = Holding.Waiting() + Pending;
    all.removeDuplicates();
    return int(all.size());
}

AffairInfo DueDispatcher::Snooze(qint64 untilSecs)
{
    AffairInfo record = Affairs.FindAffair(ShowingID);
    if (!record.GetAffairID().isEmpty()) {
        record.SetSnooze(untilSecs);
        Affairs.ReplaceAffair(ShowingID, record);
    }
    return Dismissed();
}

void DueDispatcher::PreviewShown()
{
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
