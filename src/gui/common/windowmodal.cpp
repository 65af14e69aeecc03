// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/windowmodal.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QMessageBox>

int WindowModal::Exec(QDialog* dialog)
{
    dialog->setWindowModality(Qt::WindowModal);
    return dialog->exec();
}

namespace {

int ShowBox(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton preset)
{
    QMessageBox box(icon, title, text, buttons, parent);
    // Our messages carry no markup, but some quote an event's title, which must show as typed.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preset);
    return WindowModal::Exec(&box);
}

} // namespace

bool WindowModal::Ask(QWidget* parent, const QString& title, const QString& text)
{
    return ShowBox(QMessageBox::Warning, parent, title, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) == QMessageBox::Yes;
}

void WindowModal::Warn(QWidget* parent, const QString& title, const QString& text)
{
    ShowBox(QMessageBox::Warning, parent, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void WindowModal::Inform(QWidget* parent, const QString& title, const QString& text)
{
    ShowBox(QMessageBox::Information, parent, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool WindowModal::ChooseColor(QWidget* parent, QColor* color)
{
    QColorDialog chooser(*color, parent);
    if (Exec(&chooser) != QDialog::Accepted || !chooser.selectedColor().isValid()) {
        return false;
    }
    *color = chooser.selectedColor();
    return true;
}

bool WindowModal::ChooseFont(QWidget* parent, QFont* font)
{
    QFontDialog chooser(*font, parent);
    if (Exec(&chooser) != QDialog::Accepted) {
        return false;
    }
    *font = chooser.selectedFont();
    return true;
}
