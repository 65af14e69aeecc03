// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QList>
#include <Qt>

// The order of the event table's rows when the user sorts it by a column: title, next date (the
// whole moment), time of day, period length, still effective. Equal rows keep the list's order.
class RowOrder
{
public:
    // No column (-1) is the list's own order. Answers list indices, one per row.
    static QList<int> Sorted(const AffairList& list, int column, Qt::SortOrder order);
};
