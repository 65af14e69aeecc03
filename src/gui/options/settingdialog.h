// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>

class Options;
class QPushButton;

namespace Ui {
class SettingDialog;
}

class SettingDialog : public QDialog
{
    Q_OBJECT

public:
    // The dialog shows and changes `options`, which must outlive it.
    explicit SettingDialog(Options* options, QWidget* parent = nullptr);
    ~SettingDialog() override;

    void FillForm();
    // Copies the form into the options and saves them; false when the file was not written.
    // The new options hold for this run either way.
    bool ReadForm();


protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_button_over_clicked();
    void on_button_eff_clicked();

private:
    bool ChooseColor(QColor* color);
    void ShowSwatch(QPushButton* button, const QColor& color) const;

    Ui::SettingDialog* ui;
    Options* Settings;
    QColor effectiveColor;
    QColor expiredColor;
};
