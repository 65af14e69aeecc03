// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/options/settingdialog.h"
#include "ui_settingdialog.h"

#include "core/options/esettings.h"
#include "core/options/options.h"
#include "gui/common/windowmodal.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

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
    ShowSwatch(ui->button_eff, effectiveColor);
    ShowSwatch(ui->button_over, expiredColor);
}

void SettingDialog::ShowSwatch(QPushButton* button, const QColor& color) const
{
    // A filled picture on the button rather than a style sheet: a style sheet with only a
    // background colour leaves the drawing to the style, which shades the button's face from
    // that colour (lighter towards the top), so pure blue showed as a pale (130, 130, 252).
    const QSize size = button->size() - QSize(10, 10);
    QPixmap swatch(size);
    swatch.fill(color);
    QPainter frame(&swatch);
    frame.setPen(palette().color(QPalette::WindowText));
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    frame.end();
    button->setIconSize(size);
    button->setIcon(swatch);
    button->setAccessibleName(ESettings::ColorText(color));
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
        ShowSwatch(ui->button_eff, effectiveColor);
    }
}

void SettingDialog::on_button_over_clicked()
{
    if (ChooseColor(&expiredColor)) {
        ShowSwatch(ui->button_over, expiredColor);
    }
}

void SettingDialog::AddPage(QWidget* page, const QString& title, const std::function<bool()>& apply)
{
    if (!Pages) {
        // The form's own options become the first page; the buttons stay below the pages.
        auto* general = new QWidget;
        auto* moved = new QVBoxLayout;
        QLayout* outer = layout();
        while (outer->count() > 0 && outer->itemAt(0)->widget() != ui->buttonBox) {
            moved->addItem(outer->takeAt(0));
        }
        moved->addStretch(1);
        general->setLayout(moved);
        Pages = new QTabWidget(this);
        Pages->setObjectName(QStringLiteral("option_pages"));
        Pages->addTab(general, tr("General"));
        static_cast<QVBoxLayout*>(outer)->insertWidget(0, Pages);
        outer->setContentsMargins(9, 9, 9, 7);
    }
    Pages->addTab(page, title);
    Extra.append({page, apply});
    adjustSize();
}

void SettingDialog::ShowPage(QWidget* page)
{
    if (Pages) {
        Pages->setCurrentWidget(page);
    }
}

void SettingDialog::accept()
{
    for (const auto& [page, apply] : Extra) {
        if (apply && !apply()) {
            ShowPage(page);
            return;
        }
    }
    QDialog::accept();
}

void SettingDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Options"));
        if (Pages) {
            Pages->setTabText(0, tr("General"));
        }
    }
}
