// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class EventTableModel;
class QSortFilterProxyModel;
class QTableView;
class ReminderBook;
class QColor;

// Puts the book's events into a table view: the model behind a sorting proxy, the header's
// sort cycle, and the chosen row kept on its event while the list changes underneath.
class EventTable : public QObject
{
    Q_OBJECT

public:
    EventTable(const ReminderBook& book, QTableView* view);

    // The identifier of the event in the chosen row; empty for none.
    QString CurrentId() const;
    void SetColours(const QColor& effective, const QColor& expired);
    // The rows hold translated words ("Yes", the period units).
    void Retranslate();

signals:
    // A row was chosen, or the choice went.
    void choiceChanged();

private:
    // A click on a column header: ascending, descending, then the list's own order again.
    void SortBy(int column);

    QTableView* View;
    EventTableModel* Model;
    QSortFilterProxyModel* Sorted;
    QString Kept;
    int SortColumn = -1;
    bool SortUp = true;
};
