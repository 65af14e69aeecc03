// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"

#include "core/storage/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The general escapes of string values in a desktop entry.
QString EscapeValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            out += QStringLiteral("\\\\");
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\t");
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\r");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString AutoStart::EntryPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG base directory rules call a relative value invalid: it must be ignored.
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/autostart/Pennibell.desktop");
}

QString AutoStart::QuoteExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted;
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument) {
        if (reserved.contains(c)) {
            needsQuotes = true;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        // A literal percent sign would otherwise start a field code.
        if (c == QLatin1Char('%')) {
            quoted += QLatin1Char('%');
        }
        quoted += c;
    }
    return needsQuotes ? QLatin1Char('"') + quoted + QLatin1Char('"') : quoted;
}

QByteArray AutoStart::EntryText(const QString& programPath, const QString& iconPath)
{
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=Pennibell\n");
    text += QStringLiteral("Comment=Picture reminders on the desktop\n");
    text += QStringLiteral("Exec=") + EscapeValue(QuoteExecArgument(programPath)) + QLatin1Char('\n');
    text += QStringLiteral("Icon=") + EscapeValue(iconPath) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

AutoStart::Outcome AutoStart::Apply(bool on, const QString& programPath, const QString& iconPath)
{
    const QString path = EntryPath();
    if (!on) {
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
            return Outcome::Unchanged;
        }
        return QFile::remove(path) ? Outcome::Removed : Outcome::Failed;
    }
    const QByteArray text = EntryText(programPath, iconPath);
    QByteArray current;
    if (SafeFile::Read(path, 64 * 1024, &current) && current == text) {
        return Outcome::Unchanged;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !SafeFile::Write(path, text)) {
        return Outcome::Failed;
    }
    return Outcome::Written;
}
