// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"

#include "core/effects/effectcodes.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "gui/common/windowmodal.h"
#include "ui_affaireditdialog.h"

#include <QTextDocument>

AffairEditDialog::AffairEditDialog(QWidget* parent) : QDialog(parent), ui(new Ui::AffairEditDialog)
{
    ui->setupUi(this);
    ui->PerNum->setMaximum(99999);
    ui->PerNum->setMinimum(1);
    const QDateTime now = Clock::now();
    ui->AFDateEdit->setDate(now.date());
    ui->AFTimeEdit->setTime(now.time());
    ui->AFDateEdit->setCalendarPopup(true);
    // A title is one short line of plain text: Tab goes on to the date, as in every other field.
    ui->AFTitle->setTabChangesFocus(true);
    setWindowTitle(tr("Event Information"));
    // The designed size, or more where a translation or a larger font needs it; not resizable.
    setFixedSize(size().expandedTo(minimumSizeHint()));
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
        ShowTitle(QString());
        ui->OnlyOnce->setChecked(true);
        ui->PerNum->setValue(1);
        ui->PerNum->setEnabled(false);
        ui->EffectList->setCurrentRow(0);
        return;
    }
    const QDateTime user = Affair.GetUserDateTime();
    ui->AFDateEdit->setDate(user.date());
    ui->AFTimeEdit->setTime(user.time());
    ShowTitle(Affair.GetAffairTitle());
    ShowPeriod(Affair.GetPeriod());
    ui->EffectList->setCurrentRow(::EffectCodes::Row(Affair.GetEffect()));
}

void AffairEditDialog::ShowTitle(const QString& title)
{
    // Plain text both ways: a title that looks like HTML is still only the user's words, and
    // markup in it must never make the dialog read a file.
    ShownTitle = title;
    ui->AFTitle->setPlainText(title);
    ui->AFTitle->document()->setModified(false);
}

void AffairEditDialog::ShowPeriod(const AffairPeriod& period)
{
    QRadioButton* kind = UnitButtons().value(period.MainUnit(), ui->OnlyOnce);
    kind->setChecked(true);
    ui->PerNum->setValue(qMax(1, period.UnitCount()));
    ui->PerNum->setEnabled(kind != ui->OnlyOnce);
}

QMap<AffairPeriod::Unit, QRadioButton*> AffairEditDialog::UnitButtons() const
{
    using Unit = AffairPeriod::Unit;
    return {{Unit::Once, ui->OnlyOnce}, {Unit::Year, ui->Yearly}, {Unit::Month, ui->Monthly},
            {Unit::Week, ui->Weekly},   {Unit::Day, ui->Daily},   {Unit::Hour, ui->Hourly},
            {Unit::Minute, ui->Minute}};
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

AffairInfo AffairEditDialog::FormRecord() const
{
    AffairPeriod::Unit unit = AffairPeriod::Unit::Once;
    const QMap<AffairPeriod::Unit, QRadioButton*> buttons = UnitButtons();
    for (auto it = buttons.cbegin(); it != buttons.cend(); ++it) {
        if (it.value()->isChecked()) {
            unit = it.key();
        }
    }
    const AffairPeriod period = AffairPeriod::Of(unit, ui->PerNum->value());

    AffairInfo record = Affair;
    QString id = record.GetAffairID();
    if (id.isEmpty()) {
        // Zone-free, as the identifiers have always been written.
        id = LocalTime::ToIso(Clock::now());
    }
    const QDateTime user = LocalTime::Make(ui->AFDateEdit->date(), ui->AFTimeEdit->time());
    // The text box turns no-break spaces and line ends of its own making into others; a title
    // the user did not touch is kept exactly as it was stored.
    const QString title = ui->AFTitle->document()->isModified() ? ui->AFTitle->toPlainText() : ShownTitle;
    record.SetInfo(id, title, user, period.year, period.month, period.day, period.hour, period.minute);
    record.SetEffect(::EffectCodes::Choice(ui->EffectList->currentRow()));
    return record;
}

void AffairEditDialog::accept()
{
    // The time starts at "now", seconds included, so a quick OK would make an event that has
    // already passed and is never shown.
    if (!FormRecord().IsActive() &&
        !WindowModal::Ask(this, windowTitle(),
                          tr("This moment has passed, so the event will never be shown. Save it anyway?"))) {
        return;
    }
    QDialog::accept();
}

void AffairEditDialog::on_buttonBox_accepted()
{
    // Runs after accept(), also when the user chose to go back and change the time.
    if (result() != QDialog::Accepted) {
        return;
    }
    Affair = FormRecord();
}
