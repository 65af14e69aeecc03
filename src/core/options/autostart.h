// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The entry that makes the desktop start the program when the user logs on. On Windows it is
// the value "Pennibell" under the per-user Run key; elsewhere the XDG autostart file
// Pennibell.desktop. The entry is written only when its content would change and removed when
// auto-start is off.
class AutoStart
{
public:
    enum class Outcome
    {
        Unchanged,
        Written,
        Removed,
        Failed
    };

    static Outcome Apply(bool on, const QString& programPath, const QString& iconPath);

#ifndef Q_OS_WIN
    // $XDG_CONFIG_HOME/autostart/Pennibell.desktop, with ~/.config when the variable is unset.
    static QString EntryPath();
    static QByteArray EntryText(const QString& programPath, const QString& iconPath);
    // One argument of an Exec line, quoted when the Desktop Entry rules ask for it.
    static QString QuoteExecArgument(const QString& argument);
#endif
};
