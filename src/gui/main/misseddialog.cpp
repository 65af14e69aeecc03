// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/misseddialog.h"

#include "gui/common/plaintext.h"
#include "gui/main/eventrowtext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

MissedDialog::MissedDialog(const QList<MissedReminders::Entry>& missed, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Pennibell"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("While Pennibell was not running:"), this));

    List = new QTableWidget(int(missed.size()), 3, this);
    List->setObjectName(QStringLiteral("missedList"));
    List->setHorizontalHeaderLabels({tr("Title"), tr("Date"), tr("Time")});
    List->verticalHeader()->setVisible(false);
    List->horizontalHeader()->setStretchLastSection(true);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < missed.size(); ++row) {
        const MissedReminders::Entry& entry = missed.at(row);
        Events.append(entry.Event);
        // Items show their text as it is; the tooltip, for a title the column cuts off, must too.
        auto* title = new QTableWidgetItem(entry.Event.GetAffairTitle());
        title->setToolTip(PlainText::ForToolTip(entry.Event.GetAffairTitle()));
        List->setItem(row, 0, title);
        List->setItem(row, 1, new QTableWidgetItem(EventRowText::DateText(entry.When)));
        List->setItem(row, 2, new QTableWidgetItem(EventRowText::TimeText(entry.When)));
    }
    List->selectRow(0);
    layout->addWidget(List);
    connect(List, &QTableWidget::cellDoubleClicked, this, &MissedDialog::ShowCurrent);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* show = buttons->addButton(tr("Show"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    show->setObjectName(QStringLiteral("showButton"));
    close->setObjectName(QStringLiteral("closeButton"));
    connect(show, &QPushButton::clicked, this, &MissedDialog::ShowCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 260);
}

void MissedDialog::ShowCurrent()
{
    const int row = List->currentRow();
    if (row >= 0 && row < Events.size()) {
        emit ShowRequested(Events.at(row));
    }
}
