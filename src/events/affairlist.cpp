#include "affairlist.h"

#include "clock.h"

bool AffairList::AppendAffair(const AffairInfo& record)
{
    Items.append(record);
    return true;
}

bool AffairList::ReplaceAffair(const QString& id, const AffairInfo& record)
{
    for (AffairInfo& item : Items) {
        if (item.GetAffairID() == id) {
            item = record;
            return true;
        }
    }
    return false;
}

bool AffairList::RemoveAffair(const QString& id)
{
    return Items.removeIf([&id](const AffairInfo& a) { return a.GetAffairID() == id; }) > 0;
}

bool AffairList::RemoveByState(bool active)
{
    return Items.removeIf([active](const AffairInfo& a) { return a.IsActive() == active; }) > 0;
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
    return mask;
}

QString AffairList::DueMask()
{
    return DueMask(Clock::nowSecs());
}

QString AffairList::DueMask(qint64 nowSecs)
{
    QString mask(Items.size(), QLatin1Char('0'));
    QDateTime now; // built only when something is due
    for (int i = 0; i < Items.size(); ++i) {
        const AffairInfo& peek = Items.at(i);
        if (!peek.IsArmed() || peek.NextSecs() > nowSecs) {
            continue; // read-only look: no detach, no date-time work
        }
        if (!now.isValid()) {
            now = QDateTime::fromSecsSinceEpoch(nowSecs);
        }
        if (Items[i].IsDueAt(nowSecs, now)) {
            mask[i] = QLatin1Char('1');
        }
    }
    return mask;
}
