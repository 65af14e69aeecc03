// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

class ESettings;

namespace Ui {
class SettingDialog;
}

class SettingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingDialog(QWidget* parent = nullptr);
    ~SettingDialog() override;

    void FillForm();
    // Copies the form into the options and saves them; false when the file was not written.
    bool ReadForm();

    // "rgb(R,G,B)", the form the options file and the event table agree on.
    static QString ColorText(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_button_over_clicked();
    void on_button_eff_clicked();

private:
    bool ChooseColor(QString* text);

    Ui::SettingDialog* ui;
    std::unique_ptr<ESettings> Settings;
    QString effectiveColor;
    QString expiredColor;
};
