// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// The program's command-line options. --help and --version answer on the terminal and end the
// program before it needs a display or its data folder.
class CommandLine
{
public:
    // Nothing to answer: the program starts.
    static constexpr int Run = -1;
    // A wrong option or a stray argument.
    static constexpr int UsageExitCode = 2;

    // Writes the help or the version to `out`, or one line about a wrong argument to `err`, and
    // returns the exit status, or Run. Before the GUI application exists Qt's own options
    // (-platform, -style, ...) are still among the arguments: with `strict` false, arguments
    // this class does not know are left for the check that follows once Qt has taken its own.
    static int Answer(const QStringList& arguments, bool strict, QTextStream& out, QTextStream& err);
};
