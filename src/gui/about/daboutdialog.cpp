// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/daboutdialog.h"
#include "ui_daboutdialog.h"

#include "core/system/makerinfo.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QUrl>

DAboutDialog::DAboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui::DAboutDialog)
{
    ui->setupUi(this);
    // The form has room below the copyright line; the licence goes there.
    Licence = new QLabel(ui->groupBox);
    Licence->setObjectName(QStringLiteral("label_4"));
    Licence->setGeometry(15, 115, 241, 56);
    Licence->setAlignment(Qt::AlignCenter);
    Licence->setWordWrap(true);
    ApplyCodeTexts();
    if (OsVersion() >= 6.0) {
        ui->pushButton_2->setVisible(false);
    }
    setMinimumSize(width(), height());
    setMaximumSize(width(), height());
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
    QDesktopServices::openUrl(QUrl(MakerInfo::WebSite()));
}

void DAboutDialog::on_pushButton_2_clicked()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + MakerInfo::SupportEmail()));
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
