// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QDateTime>
#include <QList>

// What fell due while the program was not running. Those occurrences are not shown late; the
// user is only told of them once, at start-up.
class MissedReminders
{
public:
    struct Entry
    {
        AffairInfo Event;
        QDateTime When;
    };

    // For each event, the last moment after lastSecs and not after nowSecs at which it fell due
    // (an occurrence, or a snooze coming back); earliest first. Both moments are whole seconds
    // since the epoch, the occurrences are counted in today's time zone.
    static QList<Entry> Between(const AffairList& list, qint64 lastSecs, qint64 nowSecs);

    // The last occurrence of the record after afterSecs and not after upToSecs; 0 for none.
    static qint64 LastOccurrence(AffairInfo record, qint64 afterSecs, qint64 upToSecs);
};
