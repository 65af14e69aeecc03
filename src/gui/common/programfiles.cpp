// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/programfiles.h"

#include "core/storage/datalocation.h"
#include "gui/common/windowmodal.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString ProgramFiles::IconPath()
{
    // An installed copy finds its icon in the shared data folder, a portable one beside itself.
    const QString found = DataLocation::resource(QStringLiteral("./icon/Pennibell.png"));
    if (QFileInfo(found).isAbsolute()) {
        return found;
    }
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("icon/Pennibell.png"));
}

QString ProgramFiles::HelpPath()
{
    const QString chm = DataLocation::resource(QStringLiteral("./PennibellHelp.chm"));
    if (QFileInfo::exists(chm)) {
        return QFileInfo(chm).absoluteFilePath();
    }
    return QFileInfo(DataLocation::resource(QStringLiteral("./help/index.html"))).absoluteFilePath();
}

void ProgramFiles::OpenHelp(QWidget* parent)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(HelpPath()))) {
        // The main window's texts: its menu entry asked.
        WindowModal::Inform(parent, QCoreApplication::translate("MainWindow", "Contents"),
                            QCoreApplication::translate("MainWindow",
                                                        "No program could be started to show the manual. You "
                                                        "can open it yourself:\n%1")
                                .arg(QDir::toNativeSeparators(HelpPath())));
    }
}
