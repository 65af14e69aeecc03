// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventtablemodel.h"

#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "gui/main/eventrowtext.h"

namespace {
// A period's rough length in minutes, enough to put every 2 days before every 1 week.
qint64 Length(const AffairPeriod& p)
{
    return qint64(p.year) * 525960 + qint64(p.month) * 43830 + qint64(p.day) * 1440 + qint64(p.hour) * 60 +
           p.minute;
}
} // namespace

EventTableModel::EventTableModel(const ReminderBook& book, QObject* parent)
    : QAbstractTableModel(parent), Book(book)
{
    // Any change may add, remove or reorder rows; the list is small enough to show anew.
    connect(&book, &ReminderBook::eventsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void EventTableModel::SetColours(const QColor& effective, const QColor& expired)
{
    EffectiveColour = effective;
    ExpiredColour = expired;
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::ForegroundRole});
    }
}

int EventTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Book.Events().Count();
}

int EventTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Book.Events().Count()) {
        return {};
    }
    AffairInfo record = Book.Events().At(index.row());
    // Brought up to date the way a reminder would be, so an unarmed record reads as it will fall.
    const QDateTime next = record.GetNextTime();
    switch (role) {
    case IdRole:
        return record.GetAffairID();
    case Qt::ForegroundRole: {
        const QColor& colour = record.IsActive() ? EffectiveColour : ExpiredColour;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::ToolTipRole:
        // A title cut off by its column reads in full; as plain text, never as markup.
        return index.column() == Title ? record.GetAffairTitle().toHtmlEscaped() : QVariant();
    case SortRole:
        switch (index.column()) {
        case Title:
            return record.GetAffairTitle();
        case Date:
            return LocalTime::Seconds(next);
        case Time:
            return next.time().isValid() ? next.time().msecsSinceStartOfDay() : -1;
        case Period:
            return Length(record.GetPeriod());
        default:
            return record.IsActive() ? 1 : 0;
        }
    case Qt::DisplayRole:
        switch (index.column()) {
        case Title:
            return record.GetAffairTitle();
        case Date:
            return EventRowText::DateText(next);
        case Time:
            return EventRowText::TimeText(next);
        case Period:
            return EventRowText::PeriodText(record.GetPeriod());
        default:
            return record.IsActive() ? tr("Yes") : tr("No");
        }
    default:
        return {};
    }
}

QVariant EventTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Title:
        return tr("Title");
    case Date:
        return tr("Date");
    case Time:
        return tr("Time");
    case Period:
        return tr("Period");
    case Effective:
        return tr("Effective");
    default:
        return {};
    }
}
