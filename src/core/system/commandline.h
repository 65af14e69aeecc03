// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QVariantMap>

class QTextStream;
class ReminderBook;

// The program's command-line options. --help and --version answer on the terminal and end the
// program before it needs a display or its data folder. The event commands (--add, --list, ...)
// become a request that the running program carries out, or, when none runs, this process
// itself under the data folder's lock; neither needs a display or a session bus.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Nothing to answer: the tray program starts.
    static constexpr int Run = -1;
    // Carry(): no program runs on the data folder, and this process was not allowed to work.
    static constexpr int NotRunning = -2;
    static constexpr int FailedExitCode = 1;
    // A wrong option, a stray argument, or a value the command cannot take.
    static constexpr int UsageExitCode = 2;

    // Writes the help or the version to `out`, or one line about a wrong argument to `err`, and
    // returns the exit status. Returns Run when the program is to start, with `request` empty,
    // or when the command in `request` is to be carried out. Qt's own options (-platform,
    // -style, ...) are known here, so the check needs no application but the core one.
    static int Answer(const QStringList& arguments, QTextStream& out, QTextStream& err,
                      QVariantMap* request = nullptr);

    // Carries out a request from Answer for the data folder that is the current directory: by
    // the program running there, or, with `here`, by this process under the data folder's lock,
    // waiting a while for a running program or another command to let go. Without `here`,
    // NotRunning when no program answers. Returns the exit status.
    static int Carry(const QVariantMap& request, bool here, QTextStream& out, QTextStream& err);

    // The one line the tray program says when started without a display.
    static QString NoDisplay() { return tr("Pennibell needs a graphical desktop."); }

    // --sync and --sync-to: the running program answers them when the sync ends.
    static bool IsSync(const QVariantMap& request);
    // In the running program: the answer to a request ("status", "out", "err").
    static QVariantMap Serve(const QVariantMap& request, ReminderBook& book);
    // Carries out a request on a book; `running` tells whether a reminder can be on screen.
    static int Execute(const QVariantMap& request, ReminderBook& book, bool running, QString* out,
                       QString* err);
};
