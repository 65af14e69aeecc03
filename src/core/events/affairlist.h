// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The ordered list of events; the order is the table's and the store's.
class AffairList
{
public:
    AffairList();

    int Count() const { return Items.size(); }
    void Clear();
    AffairInfo At(int index) const { return Items.at(index); }

    // An identifier already in the list (two events made within one second, a hand-edited
    // file) is moved on to the next free second, so that one event is never taken for another.
    void AppendAffair(const AffairInfo& record);
    bool ReplaceAffair(const QString& id, const AffairInfo& record);
    bool RemoveAffair(const QString& id);
    AffairInfo FindAffair(const QString& id) const;
    bool Contains(const QString& id) const { return !id.isEmpty() && Ids.contains(id); }

    QString RearmAll();
    QString RearmAll(const QDateTime& now);
    // Reads the clock once and judges every record against that same second.
    QString DueMask();
    QString DueMask(qint64 nowSecs);
    // Takes off their events the snoozes that have come by nowSecs; their identifiers, in list
    // order. Costs one comparison while none has come.
    QStringList TakeSnoozed(qint64 nowSecs);

private:
    void Reindex();
    QString FreeId(const QString& id) const;

    QList<AffairInfo> Items;
    // The once-a-second pass runs over every record: it reads only these, the armed due
    // moments in seconds (Never when disarmed), and skips the whole list before the earliest.
    QList<qint64> DueAt;
    qint64 Earliest;
    qint64 EarliestSnooze;
    QString NoneDue;
    QSet<QString> Ids;
};
