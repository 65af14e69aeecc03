// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"

#include "core/events/clock.h"
#include "core/effects/effectcodes.h"
#include "core/events/localtime.h"
#include "ui_affaireditdialog.h"

AffairEditDialog::AffairEditDialog(QWidget* parent) : QDialog(parent), ui(new Ui::AffairEditDialog)
{
    ui->setupUi(this);
    ui->PerNum->setMaximum(99999);
    ui->PerNum->setMinimum(1);
    const QDateTime now = Clock::now();
    ui->AFDateEdit->setDate(now.date());
    ui->AFTimeEdit->setTime(now.time());
    ui->AFDateEdit->setCalendarPopup(true);
    setWindowTitle(tr("Event Information"));
    setFixedSize(size());
}

AffairEditDialog::~AffairEditDialog()
{
    delete ui;
}

void AffairEditDialog::SetAffair(const AffairInfo& affair)
{
    Affair = affair;
    if (Affair.GetAffairID().isEmpty()) {
        const QDateTime now = Clock::now();
        ui->AFDateEdit->setDate(now.date());
        ui->AFTimeEdit->setTime(now.time());
        ui->AFTitle->clear();
        ui->OnlyOnce->setChecked(true);
        ui->PerNum->setValue(1);
        ui->PerNum->setEnabled(false);
        ui->EffectList->setCurrentRow(0);
        return;
    }
    const QDateTime user = Affair.GetUserDateTime();
    ui->AFDateEdit->setDate(user.date());
    ui->AFTimeEdit->setTime(user.time());
    ui->AFTitle->setText(Affair.GetAffairTitle());
    ShowPeriod(Affair.GetPeriod());
    const QVariantList effect = Affair.GetEffect();
    const int type = effect.size() > 0 ? effect.at(0).toInt() : 3;
    const int direction = effect.size() > 1 ? effect.at(1).toInt() : 0;
    ui->EffectList->setCurrentRow(::EffectCodes::Row(type, direction));
}

// The first rule that holds wins, so a hand-made record with several counts shows the largest
// unit; a day count that is a whole number of weeks is shown in weeks.
void AffairEditDialog::ShowPeriod(const AffairPeriod& period)
{
    QRadioButton* kind = ui->OnlyOnce;
    int count = 1;
    if (period.year > 0) {
        kind = ui->Yearly;
        count = period.year;
    } else if (period.month > 0) {
        kind = ui->Monthly;
        count = period.month;
    } else if (period.day > 0 && period.day % 7 != 0) {
        kind = ui->Daily;
        count = period.day;
    } else if (period.day > 0) {
        kind = ui->Weekly;
        count = period.day / 7;
    } else if (period.hour > 0) {
        kind = ui->Hourly;
        count = period.hour;
    } else if (period.minute > 0) {
        kind = ui->Minute;
        count = period.minute;
    }
    kind->setChecked(true);
    ui->PerNum->setValue(count);
    ui->PerNum->setEnabled(kind != ui->OnlyOnce);
}

void AffairEditDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
}

void AffairEditDialog::on_Yearly_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_Monthly_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_Weekly_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_Daily_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_Hourly_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_Minute_clicked()
{
    ui->PerNum->setEnabled(true);
}

void AffairEditDialog::on_OnlyOnce_clicked()
{
    ui->PerNum->setEnabled(false);
}

void AffairEditDialog::on_EffectList_doubleClicked(const QModelIndex& index)
{
    const int row = index.isValid() ? index.row() : -1;
    emit startprev(::EffectCodes::Type(row), ::EffectCodes::Direction(row));
}

void AffairEditDialog::on_buttonBox_rejected() {}

void AffairEditDialog::on_buttonBox_accepted()
{
    AffairPeriod period{};
    const int n = ui->PerNum->value();
    if (ui->Minute->isChecked()) {
        period.minute = n;
    } else if (ui->Hourly->isChecked()) {
        period.hour = n;
    } else if (ui->Daily->isChecked()) {
        period.day = n;
    } else if (ui->Weekly->isChecked()) {
        period.day = 7 * n;
    } else if (ui->Monthly->isChecked()) {
        period.month = n;
    } else if (ui->Yearly->isChecked()) {
        period.year = n;
    }

    const int row = ui->EffectList->currentRow();
    EffectCodes.clear();
    EffectCodes << ::EffectCodes::Type(row) << ::EffectCodes::Direction(row);

    QString id = Affair.GetAffairID();
    if (id.isEmpty()) {
        // Zone-free, as the identifiers have always been written.
        id = LocalTime::ToIso(Clock::now());
    }
    const QDateTime user = LocalTime::Make(ui->AFDateEdit->date(), ui->AFTimeEdit->time());
    Affair.SetInfo(id, ui->AFTitle->toPlainText(), user, period.year, period.month, period.day, period.hour,
                   period.minute);
    Affair.SetEffect(EffectCodes);
}
