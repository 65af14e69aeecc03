// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>

class ReminderBook;

// The book's events as the main window's table shows them, one row per event in the list's
// order: title, date, time, period and whether it still falls due. Sorting is left to a proxy,
// which sorts by SortRole: the moment, the period's length, not the words shown.
class EventTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Title,
        Date,
        Time,
        Period,
        Effective,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;
    // The event's identifier, whatever the column.
    static constexpr int IdRole = Qt::UserRole + 1;

    explicit EventTableModel(const ReminderBook& book, QObject* parent = nullptr);

    // The colours of events that will fall due and of those that never will again.
    void SetColours(const QColor& effective, const QColor& expired);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ReminderBook& Book;
    QColor EffectiveColour;
    QColor ExpiredColour;
};
