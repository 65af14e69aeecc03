// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Where the program's own files are: beside it in a portable copy, in the shared data folder
// in an installed one.
namespace ProgramFiles {
// The program icon, by its full path (the autostart entry names it too).
QString IconPath();
// The help document "Contents" opens where there is no Windows help viewer.
QString HelpPath();
// Opens the manual in the desktop's viewer, or tells the user where it is when none opens it.
void OpenHelp(QWidget* parent);
} // namespace ProgramFiles
