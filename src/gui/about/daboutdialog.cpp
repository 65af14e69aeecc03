// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/daboutdialog.h"
#include "ui_daboutdialog.h"

#include "core/system/makerinfo.h"
#include "gui/common/windowmodal.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QUrl>

DAboutDialog::DAboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui::DAboutDialog)
{
    ui->setupUi(this);
    // The licence goes below the copyright line.
    Licence = ui->label_4;
    // Our own texts; a program name or address that looks like markup is still shown as typed.
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, Licence}) {
        label->setTextFormat(Qt::PlainText);
    }
    ApplyCodeTexts();
    if (OsVersion() >= 6.0) {
        ui->pushButton_2->setVisible(false);
    }
    // The designed size, or more where a translation or a larger font needs it; not resizable.
    setFixedSize(size().expandedTo(minimumSizeHint()));
}

DAboutDialog::~DAboutDialog()
{
    delete ui;
}

void DAboutDialog::ApplyCodeTexts()
{
    setWindowTitle(tr("About"));
    ui->label->setText(tr("Pennibell"));
    ui->label_2->setText(MakerInfo::Version());
    ui->label_3->setText(MakerInfo::Copyright());
    Licence->setText(MakerInfo::Licence());
}

double DAboutDialog::OsVersion()
{
#ifdef Q_OS_WIN
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion"),
                  QSettings::NativeFormat);
    return key.value(QStringLiteral("CurrentVersion"), QStringLiteral("0.0")).toString().toDouble();
#else
    // No registry: the default "0.0", so the Email button shows.
    return 0.0;
#endif
}

void DAboutDialog::on_pushButton_clicked()
{
#ifdef Q_OS_WIN
    if (QProcess::startDetached(QStringLiteral("C:/Program Files/Internet Explorer/iexplore.exe"),
                                {MakerInfo::WebSite()})) {
        return;
    }
#endif
    if (!QDesktopServices::openUrl(QUrl(MakerInfo::WebSite()))) {
        WindowModal::Inform(this, tr("Web"),
                            tr("No program could be started to show the web site. You can open it "
                               "yourself:\n%1")
                                .arg(MakerInfo::WebSite()));
    }
}

void DAboutDialog::on_pushButton_2_clicked()
{
    if (!QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + MakerInfo::SupportEmail()))) {
        WindowModal::Inform(this, tr("Email"),
                            tr("No program could be started to write an e-mail. You can write to:\n%1")
                                .arg(MakerInfo::SupportEmail()));
    }
}

void DAboutDialog::on_pushButton_3_clicked()
{
    close();
}

void DAboutDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ApplyCodeTexts();
    }
}
