// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairperiod.h"

#include <QColor>
#include <QDateTime>
#include <QString>

// How one event reads in the main window's table: the texts of the date, time and period
// columns, and the row colours parsed from the options' rgb(R,G,B) strings.
class EventRowText
{
public:
    // "Once", or the first non-zero count with its unit; whole weeks read as weeks.
    static QString PeriodText(const AffairPeriod& period);
    static QString DateText(const QDateTime& moment);
    static QString TimeText(const QDateTime& moment);
    // False when the text does not split into exactly three parts; a part that is not a
    // number counts as 0, as the stored strings were always meant to be forgiving.
    static bool ParseColor(const QString& text, QColor* color);
};
