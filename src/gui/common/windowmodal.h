// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QDialog;
class QWidget;

// Runs the program's dialogs and message boxes modal to the window they belong to, never to the
// whole program: an application-modal box would block the reminder on the desktop too, which
// then could not be clicked away until the box was answered. Each box needs its parent, since a
// window-modal box without one blocks nothing.
class WindowModal
{
public:
    // exec() of the dialog, modal to its parent's window.
    static int Exec(QDialog* dialog);
    // A warning with Yes and No, No being the default: true for Yes.
    static bool Ask(QWidget* parent, const QString& title, const QString& text);
    static void Warn(QWidget* parent, const QString& title, const QString& text);
    static void Inform(QWidget* parent, const QString& title, const QString& text);
    // Open on the current value, which they replace when the user accepts.
    static bool ChooseColor(QWidget* parent, QColor* color);
    static bool ChooseFont(QWidget* parent, QFont* font);
};
