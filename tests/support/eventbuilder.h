// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairstore.h"
#include "support/testenv.h"

#include <QDir>
#include <QTest>

// The one way tests make events.
namespace EventBuilder {

inline QDateTime At(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

// Titled after its identifier unless told otherwise, once unless given a period, with a picture
// path of the program's own form named after its first moment.
inline AffairInfo Event(const QString& id, const QDateTime& first, const AffairPeriod& period = {},
                        const QString& title = QString())
{
    AffairInfo record;
    record.SetInfo(id, title.isEmpty() ? id : title, first, period.year, period.month, period.day,
                   period.hour, period.minute);
    record.SetPicPath(QStringLiteral("./data/dap") + first.toString(QStringLiteral("yyyyMMddhhmmss")));
    record.SetEffect({EffectChoice::Push, EffectChoice::Up});
    return record;
}

inline AffairPeriod Days(qint32 n)
{
    return AffairPeriod::Of(AffairPeriod::Unit::Day, n);
}

inline AffairList ListOf(const QList<AffairInfo>& events)
{
    AffairList list;
    for (const AffairInfo& record : events) {
        list.AppendAffair(record);
    }
    return list;
}

// Writes the events to the event store in the current folder, each with a picture file.
inline void SaveEvents(const QList<AffairInfo>& events)
{
    QDir().mkpath(QStringLiteral("data"));
    for (const AffairInfo& record : events) {
        TestEnv::writeAll(record.GetPicPath(), "picture of " + record.GetAffairTitle().toUtf8());
    }
    QVERIFY(AffairStore().SaveAffairs(ListOf(events)));
}

// What the store holds now; nothing for a file it cannot read.
inline AffairList Stored(const QString& path = AffairStore::DefaultPath())
{
    AffairList list;
    AffairStore(path).Load(&list);
    return list;
}

} // namespace EventBuilder
