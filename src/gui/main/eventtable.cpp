// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventtable.h"

#include "gui/main/eventtablemodel.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

EventTable::EventTable(const ReminderBook& book, QTableView* view)
    : QObject(view), View(view), Model(new EventTableModel(book, this)),
      Sorted(new QSortFilterProxyModel(this))
{
    Sorted->setSourceModel(Model);
    Sorted->setSortRole(EventTableModel::SortRole);
    Sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    View->setModel(Sorted);
    QHeaderView* header = View->horizontalHeader();
    header->setDefaultSectionSize(100);
    // The title takes whatever width the window gives beyond the other columns.
    header->setSectionResizeMode(EventTableModel::Title, QHeaderView::Stretch);
    View->setColumnWidth(EventTableModel::Date, 150);
    View->setSelectionBehavior(QAbstractItemView::SelectRows);
    View->setSelectionMode(QAbstractItemView::SingleSelection);
    View->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list's own order until the user clicks a header.
    header->setSortIndicatorShown(false);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &EventTable::SortBy);
    // The chosen row stays on its event while the list changes under it (a reminder moves an event
    // on, another front end adds one): Delete, Edit or Preview never move to another event.
    connect(Model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { Kept = CurrentId(); });
    connect(Model, &QAbstractItemModel::modelReset, this, [this] {
        const QModelIndexList hit =
            Sorted->match(Sorted->index(0, 0), EventTableModel::IdRole, Kept, 1, Qt::MatchExactly);
        if (!Kept.isEmpty() && !hit.isEmpty()) {
            View->selectRow(hit.first().row());
        }
        emit choiceChanged();
    });
    connect(View->selectionModel(), &QItemSelectionModel::selectionChanged, this, &EventTable::choiceChanged);
}

QString EventTable::CurrentId() const
{
    const QModelIndexList rows = View->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data(EventTableModel::IdRole).toString();
}

void EventTable::SetColours(const QColor& effective, const QColor& expired)
{
    Model->SetColours(effective, expired);
}

void EventTable::Retranslate()
{
    emit Model->headerDataChanged(Qt::Horizontal, 0, EventTableModel::ColumnCount - 1);
    emit Model->layoutChanged();
}

void EventTable::SortBy(int column)
{
    if (column != SortColumn) {
        SortColumn = column;
        SortUp = true;
    } else if (SortUp) {
        SortUp = false;
    } else {
        SortColumn = -1;
    }
    QHeaderView* header = View->horizontalHeader();
    header->setSortIndicatorShown(SortColumn >= 0);
    const Qt::SortOrder order = SortUp ? Qt::AscendingOrder : Qt::DescendingOrder;
    if (SortColumn >= 0) {
        header->setSortIndicator(SortColumn, order);
    }
    Sorted->sort(SortColumn, order);
}
