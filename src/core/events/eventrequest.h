// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"
#include "core/events/affairperiod.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QVariantMap>
#include <optional>

// An event described in words, as the command line and the session bus hand it over: the fields
// checked and turned into a record, and a record turned back into the same fields. Every front
// end goes through here, so all of them accept and refuse the same things.
//
// Fields (the keys of the map, the same as `Describe` gives):
//   title        the title; not empty, no control characters, at most AffairInfo::MaxTitleLength
//   first        when it first falls due: "2027-01-31 09:00", "2027-01-31T09:00:00" (local
//                time), the same with a UTC offset, or "+N UNIT" from now
//   every, unit  the recurrence: a count from 1 to MaxCount and a unit; no count means once
//   effect       an effect's name as the event editor lists it (English or translated)
//   pictureFile  the image to show (read by PictureImport, not here)
class EventRequest
{
    Q_DECLARE_TR_FUNCTIONS(EventRequest)

public:
    // The event editor's largest count.
    static constexpr int MaxCount = 99999;

    // A moment in local time, to the second; false with the reason for anything else.
    static bool ParseWhen(const QString& text, const QDateTime& now, QDateTime* out,
                          QString* error = nullptr);
    // "minutes", "minute", "min", "h", "mo", ... (any case); nothing for a word that is no unit.
    static std::optional<AffairPeriod::Unit> ParseUnit(const QString& text);
    // "N UNIT" or "NUNIT" as one text ("2 days", "90min").
    static bool ParseEvery(const QString& text, qint64* count, QString* unit, QString* error = nullptr);
    // The row of the event editor's effect list that carries this name.
    static std::optional<int> EffectRow(const QString& name);
    static bool CheckTitle(const QString& title, QString* error = nullptr);

    // The record the fields describe (without identifier or picture). Unknown keys are refused;
    // the keys `Describe` gives that cannot be set (id, next, active, picture, snoozedUntil) are
    // ignored, so a listed event can be handed back.
    static bool FromMap(const QVariantMap& fields, const QDateTime& now, AffairInfo* out,
                        QString* error = nullptr);
    // id, title, next, first, every, unit, active, picture, snoozedUntil: times in ISO 8601
    // with their UTC offset (empty for none), the picture's full path (empty for none).
    static QVariantMap Describe(const AffairInfo& record);
    // The unit's plural English name, the one `Describe` gives ("" for once).
    static QString UnitName(AffairPeriod::Unit unit);
    static QString IsoWithOffset(const QDateTime& dt);
};
