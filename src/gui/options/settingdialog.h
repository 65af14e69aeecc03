// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <functional>

class Options;
class QPushButton;
class QTabWidget;

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
    // Another page beside the general options; `apply` runs when the dialog is accepted, and
    // false keeps the dialog open on that page (which says itself what is wrong).
    void AddPage(QWidget* page, const QString& title, const std::function<bool()>& apply);
    void ShowPage(QWidget* page);

public slots:
    void accept() override;

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
    QTabWidget* Pages = nullptr;
    QList<QPair<QWidget*, std::function<bool()>>> Extra;
};
