// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/missedreminders.h"

#include <QDialog>

class QTableWidget;

// Tells the user once, at start-up, which reminders fell due while the program was not running.
// Not modal: reminders go on coming while it is open.
class MissedDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MissedDialog(const QList<MissedReminders::Entry>& missed, QWidget* parent = nullptr);

signals:
    // The user wants to see this event's picture.
    void ShowRequested(const AffairInfo& record);

private:
    void ShowCurrent();

    QTableWidget* List = nullptr;
    QList<AffairInfo> Events;
};
