// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/effects/effectchoice.h"
#include "core/events/affairperiod.h"

#include <QDateTime>
#include <QString>

// One event: a plain, copyable value.
class AffairInfo
{
public:
    // Far more than anyone types into the title box; a longer title (a damaged or hostile
    // file) is cut, so that no window has to lay out megabytes of text.
    static constexpr int MaxTitleLength = 1000;

    AffairInfo();

    void Reset();
    void SetInfo(const QString& id, const QString& title, const QDateTime& user, qint32 year, qint32 month,
                 qint32 day, qint32 hour, qint32 minute);

    QString GetAffairID() const { return AffairID; }
    void SetAffairID(const QString& id) { AffairID = id; }
    QString GetAffairTitle() const { return AffairTitle; }
    QDateTime GetUserDateTime() const { return UserDateTime; }
    AffairPeriod GetPeriod() const { return Period; }
    QString GetPicPath() const { return PicPath; }
    void SetPicPath(const QString& path) { PicPath = path; }
    // A record made without one, or read with codes no effect has, shows the default effect.
    EffectChoice GetEffect() const { return Effect; }
    void SetEffect(const EffectChoice& effect) { Effect = effect; }
    // The UID of the calendar entry this event came from (empty for the program's own events):
    // importing that entry again updates this event instead of adding a second one.
    QString GetCalendarUid() const { return CalendarUid; }
    void SetCalendarUid(const QString& uid) { CalendarUid = uid; }
    bool IsActive() const { return Active; }
    bool IsArmed() const { return Armed; }

    // Base moved by count x period; an invalid date-time when a product leaves the 32-bit
    // range the stored counts are meant for (only a damaged record gets there).
    static QDateTime AddPeriod(const QDateTime& base, const AffairPeriod& period, qint64 count);

    bool ComputeNextTime();
    bool ComputeNextTime(const QDateTime& now);
    QDateTime GetNextTime();
    bool Rearm();
    bool Rearm(const QDateTime& now);
    // Due when armed and the next due moment is not later than nowSecs; a due record is
    // moved on to its first occurrence after now. `now` is the same moment as a date-time,
    // only read when the record is due.
    bool IsDueAt(qint64 nowSecs, const QDateTime& now);

    // The armed next due moment as whole seconds since the epoch (valid while armed).
    qint64 NextSecs() const { return NextSeconds; }

    // A snoozed reminder comes back at this moment, in whole seconds since the epoch (0: none),
    // whatever the event's own recurrence says. Nothing here moves it or clears it.
    qint64 SnoozeSecs() const { return Snooze; }
    void SetSnooze(qint64 secs) { Snooze = secs; }

    // Counts how many AddPeriod calls the last ComputeNextTime made (for measurements).
    static quint64 AddPeriodCalls();
    static void ResetAddPeriodCalls();

private:
    bool Expire();
    bool Settle(const QDateTime& next);

    QString AffairID;
    QString AffairTitle;
    QDateTime UserDateTime;
    QDateTime NextDateTime;
    AffairPeriod Period;
    QString PicPath;
    EffectChoice Effect;
    QString CalendarUid;
    bool Armed = false;
    bool Active = false;
    qint64 NextSeconds = 0;
    qint64 Snooze = 0;
};
