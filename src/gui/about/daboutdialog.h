// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace Ui {
class DAboutDialog;
}

class DAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DAboutDialog(QWidget* parent = nullptr);
    ~DAboutDialog() override;

    // The Windows version number from the registry; "0.0" where there is none.
    static double OsVersion();

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();

private:
    // The texts the form only holds placeholders for.
    void ApplyCodeTexts();

    Ui::DAboutDialog* ui;
    QLabel* Licence;
};
