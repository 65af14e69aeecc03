// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"

#include <QDir>
#include <QSettings>

AutoStart::Outcome AutoStart::Apply(bool on, const QString& programPath, const QString&)
{
    QSettings run(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    const QString name = QStringLiteral("Pennibell");
    if (!on) {
        if (!run.contains(name)) {
            return Outcome::Unchanged;
        }
        run.remove(name);
        run.sync();
        return run.status() == QSettings::NoError ? Outcome::Removed : Outcome::Failed;
    }
    // Stored bare, without quotes, with backslashes as Windows writes paths.
    const QString path = QDir::toNativeSeparators(programPath);
    if (run.value(name, QString()).toString() == path) {
        return Outcome::Unchanged;
    }
    run.setValue(name, path);
    run.sync();
    return run.status() == QSettings::NoError ? Outcome::Written : Outcome::Failed;
}
