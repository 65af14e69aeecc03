// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairlist.h"

#include "core/events/clock.h"
#include "core/events/localtime.h"

#include <limits>

namespace {
constexpr qint64 Never = std::numeric_limits<qint64>::max();
}

AffairList::AffairList()
{
    Reindex();
}

void AffairList::Clear()
{
    Items.clear();
    Reindex();
}

void AffairList::Reindex()
{
    DueAt.resize(Items.size());
    Earliest = Never;
    Ids.clear();
    EarliestSnooze = Never;
    for (int i = 0; i < Items.size(); ++i) {
        const AffairInfo& a = Items.at(i);
        Ids.insert(a.GetAffairID());
        DueAt[i] = a.IsArmed() ? a.NextSecs() : Never;
        Earliest = qMin(Earliest, DueAt.at(i));
        if (a.SnoozeSecs() != 0) {
            EarliestSnooze = qMin(EarliestSnooze, a.SnoozeSecs());
        }
    }
    if (NoneDue.size() != Items.size()) {
        NoneDue = QString(Items.size(), QLatin1Char('0'));
    }
}

QString AffairList::FreeId(const QString& id) const
{
    // The identifier is the creation second; a free one is the next second nobody holds.
    QDateTime stamp = LocalTime::FromIso(id);
    if (!stamp.isValid()) {
        stamp = Clock::now();
    }
    QString fresh;
    do {
        stamp = stamp.addSecs(1);
        fresh = LocalTime::ToIso(stamp);
    } while (Ids.contains(fresh));
    return fresh;
}

void AffairList::AppendAffair(const AffairInfo& given)
{
    AffairInfo record = given;
    // An empty identifier marks a record missing from the file, never a real event.
    if (!record.GetAffairID().isEmpty() && Ids.contains(record.GetAffairID())) {
        record.SetAffairID(FreeId(record.GetAffairID()));
    }
    Ids.insert(record.GetAffairID());
    Items.append(record);
    // Loading appends one record at a time: keep this constant time.
    DueAt.append(record.IsArmed() ? record.NextSecs() : Never);
    Earliest = qMin(Earliest, DueAt.last());
    NoneDue.append(QLatin1Char('0'));
    if (record.SnoozeSecs() != 0) {
        EarliestSnooze = qMin(EarliestSnooze, record.SnoozeSecs());
    }
}

bool AffairList::ReplaceAffair(const QString& id, const AffairInfo& record)
{
    for (int i = 0; i < Items.size(); ++i) {
        if (Items.at(i).GetAffairID() == id) {
            Items[i] = record;
            Reindex();
            return true;
        }
    }
    return false;
}

bool AffairList::RemoveAffair(const QString& id)
{
    const bool removed = Items.removeIf([&id](const AffairInfo& a) { return a.GetAffairID() == id; }) > 0;
    Reindex();
    return removed;
}

AffairInfo AffairList::FindAffair(const QString& id) const
{
    for (const AffairInfo& item : Items) {
        if (item.GetAffairID() == id) {
            return item;
        }
    }
    return AffairInfo();
}

QString AffairList::RearmAll()
{
    return RearmAll(Clock::now());
}

QString AffairList::RearmAll(const QDateTime& now)
{
    QString mask;
    mask.reserve(Items.size());
    for (AffairInfo& item : Items) {
        mask.append(item.Rearm(now) ? QLatin1Char('1') : QLatin1Char('0'));
    }
    Reindex();
    return mask;
}

QString AffairList::DueMask()
{
    return DueMask(Clock::nowSecs());
}

QString AffairList::DueMask(qint64 nowSecs)
{
    if (nowSecs < Earliest) {
        return NoneDue; // shared, nothing copied
    }
    QString mask = NoneDue;
    const QDateTime now = QDateTime::fromSecsSinceEpoch(nowSecs);
    for (int i = 0; i < DueAt.size(); ++i) {
        if (DueAt.at(i) <= nowSecs && Items[i].IsDueAt(nowSecs, now)) {
            mask[i] = QLatin1Char('1');
        }
    }
    Reindex();
    return mask;
}

QStringList AffairList::TakeSnoozed(qint64 nowSecs)
{
    QStringList ids;
    if (nowSecs < EarliestSnooze) {
        return ids;
    }
    for (AffairInfo& item : Items) {
        if (item.SnoozeSecs() != 0 && item.SnoozeSecs() <= nowSecs) {
            item.SetSnooze(0);
            ids.append(item.GetAffairID());
        }
    }
    Reindex();
    return ids;
}
