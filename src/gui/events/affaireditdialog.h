// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"

#include <QDialog>
#include <QMap>
#include <QModelIndex>
#include <QVariantList>

class QRadioButton;

namespace Ui {
class AffairEditDialog;
}

// The modal dialog for an event's title, first due moment, recurrence and display effect.
class AffairEditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AffairEditDialog(QWidget* parent = nullptr);
    ~AffairEditDialog() override;

    void SetAffair(const AffairInfo& affair);
    AffairInfo GetAffair() const { return Affair; }

    // Asks before confirming an event that would never be shown.
    void accept() override;

signals:
    void startprev(int et, int ed);

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_Yearly_clicked();
    void on_Monthly_clicked();
    void on_Weekly_clicked();
    void on_Daily_clicked();
    void on_Hourly_clicked();
    void on_Minute_clicked();
    void on_OnlyOnce_clicked();
    void on_EffectList_doubleClicked(const QModelIndex& index);
    void on_buttonBox_accepted();

private:
    void ShowTitle(const QString& title);
    void ShowPeriod(const AffairPeriod& period);
    // The radio button of each unit.
    QMap<AffairPeriod::Unit, QRadioButton*> UnitButtons() const;
    // The working record as confirming the form now would make it.
    AffairInfo FormRecord() const;

    Ui::AffairEditDialog* ui;
    AffairInfo Affair;
    // The title as the form was filled with it.
    QString ShownTitle;
};
