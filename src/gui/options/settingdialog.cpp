// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/options/settingdialog.h"
#include "ui_settingdialog.h"

#include "core/options/esettings.h"
#include "core/options/options.h"
#include "gui/common/windowmodal.h"

#include <QEvent>

SettingDialog::SettingDialog(Options* options, QWidget* parent)
    : QDialog(parent), ui(new Ui::SettingDialog), Settings(options)
{
    ui->setupUi(this);
    setWindowTitle(tr("Options"));
    FillForm();
}

SettingDialog::~SettingDialog()
{
    delete ui;
}

void SettingDialog::FillForm()
{
    const ESettings& current = Settings->Current();
    ui->check_autostart->setChecked(current.GetAutoStart());
    ui->check_minstart->setChecked(current.GetMinStart());
    ui->check_delreminder->setChecked(current.GetDelReminder());
    ui->check_cancelreminder->setChecked(current.GetCancelReminder());
    // The list's rows are the option's stored values.
    ui->combo_showon->setCurrentIndex(current.GetShowRemindersOn());
    ui->check_playsound->setChecked(current.GetPlaySound());
    ui->check_holddnd->setChecked(current.GetHoldDoNotDisturb());
    ui->check_holdfullscreen->setChecked(current.GetHoldFullScreen());
    ui->check_notify->setChecked(current.GetDesktopNotice());
    effectiveColor = current.GetEffectiveColor();
    expiredColor = current.GetExpiredColor();
    ui->button_eff->setStyleSheet(QStringLiteral("background-color: ") +
                                  ESettings::ColorText(effectiveColor) + QLatin1Char(';'));
    ui->button_over->setStyleSheet(QStringLiteral("background-color: ") + ESettings::ColorText(expiredColor) +
                                   QLatin1Char(';'));
}

bool SettingDialog::ReadForm()
{
    return Settings->Change([this](ESettings& s) {
        s.SetAutoStart(ui->check_autostart->isChecked());
        s.SetMinStart(ui->check_minstart->isChecked());
        s.SetDelReminder(ui->check_delreminder->isChecked());
        s.SetCancelReminder(ui->check_cancelreminder->isChecked());
        s.SetShowRemindersOn(ui->combo_showon->currentIndex());
        s.SetPlaySound(ui->check_playsound->isChecked());
        s.SetHoldDoNotDisturb(ui->check_holddnd->isChecked());
        s.SetHoldFullScreen(ui->check_holdfullscreen->isChecked());
        s.SetDesktopNotice(ui->check_notify->isChecked());
        s.SetEffectiveColor(effectiveColor);
        s.SetExpiredColor(expiredColor);
    });
}

bool SettingDialog::ChooseColor(QColor* color)
{
    // Opened on the colour it changes, so that OK at once keeps it.
    return WindowModal::ChooseColor(this, color);
}

void SettingDialog::on_button_eff_clicked()
{
    if (ChooseColor(&effectiveColor)) {
        ui->button_eff->setStyleSheet(QStringLiteral("background-color: ") +
                                      ESettings::ColorText(effectiveColor) + QLatin1Char(';'));
    }
}

void SettingDialog::on_button_over_clicked()
{
    if (ChooseColor(&expiredColor)) {
        ui->button_over->setStyleSheet(QStringLiteral("background-color: ") +
                                       ESettings::ColorText(expiredColor) + QLatin1Char(';'));
    }
}

void SettingDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Options"));
    }
}
