// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/options/settingdialog.h"
#include "ui_settingdialog.h"

#include "core/options/esettings.h"
#include "gui/common/windowmodal.h"
#include "gui/main/eventrowtext.h"

#include <QEvent>

SettingDialog::SettingDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::SettingDialog), Settings(std::make_unique<ESettings>())
{
    ui->setupUi(this);
    setWindowTitle(tr("Options"));
    FillForm();
}

SettingDialog::~SettingDialog()
{
    delete ui;
}

QString SettingDialog::ColorText(const QColor& color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

void SettingDialog::FillForm()
{
    Settings->LoadOptions();
    ui->check_autostart->setChecked(Settings->GetAutoStart());
    ui->check_minstart->setChecked(Settings->GetMinStart());
    ui->check_delreminder->setChecked(Settings->GetDelReminder());
    ui->check_cancelreminder->setChecked(Settings->GetCancelReminder());
    effectiveColor = Settings->GetEffectiveColor();
    expiredColor = Settings->GetExpiredColor();
    ui->button_eff->setStyleSheet(QStringLiteral("background-color: ") + effectiveColor + QLatin1Char(';'));
    ui->button_over->setStyleSheet(QStringLiteral("background-color: ") + expiredColor + QLatin1Char(';'));
}

bool SettingDialog::ReadForm()
{
    Settings->SetAutoStart(ui->check_autostart->isChecked());
    Settings->SetMinStart(ui->check_minstart->isChecked());
    Settings->SetDelReminder(ui->check_delreminder->isChecked());
    Settings->SetCancelReminder(ui->check_cancelreminder->isChecked());
    Settings->SetEffectiveColor(effectiveColor);
    Settings->SetExpiredColor(expiredColor);
    return Settings->SaveOptions();
}

bool SettingDialog::ChooseColor(QString* text)
{
    // Opened on the colour it changes, so that OK at once keeps it.
    QColor color;
    if (!EventRowText::ParseColor(*text, &color)) {
        color = Qt::white;
    }
    if (!WindowModal::ChooseColor(this, &color)) {
        return false;
    }
    *text = ColorText(color);
    return true;
}

void SettingDialog::on_button_eff_clicked()
{
    if (ChooseColor(&effectiveColor)) {
        ui->button_eff->setStyleSheet(QStringLiteral("background-color: ") + effectiveColor +
                                      QLatin1Char(';'));
    }
}

void SettingDialog::on_button_over_clicked()
{
    if (ChooseColor(&expiredColor)) {
        ui->button_over->setStyleSheet(QStringLiteral("background-color: ") + expiredColor +
                                       QLatin1Char(';'));
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
