// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"
#include "core/storage/datalocation.h"
#include "core/system/platformchoice.h"
#include "core/system/singleinstance.h"
#include "gui/main/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    // A Wayland session refuses to place and raise the reminder window: go through XWayland.
    PlatformChoice::apply();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pennibell"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pennibell.Pennibell"));
    // The system's language: Qt's own texts (standard buttons, file dialogs) where Qt ships
    // them, and ours from the translations built into the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    QTranslator ownTexts;
    if (ownTexts.load(QLocale(), QStringLiteral("pennibell"), QStringLiteral("_"),
                      QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&ownTexts);
    }
    // Every data file lives relative to the program's folder, or to the user's own data folder
    // when the program is installed where its user cannot write.
    DataLocation::forApplication().enter();

    // Two copies on one data folder would show every reminder twice and overwrite each
    // other's saves: a second start only brings the running one forward.
    SingleInstance single(QDir::currentPath());
    if (!single.claim()) {
        return SingleInstance::AlreadyRunningExitCode;
    }

    // The window hides to the tray; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    window.InitWindow();
    QObject::connect(&single, &SingleInstance::secondStarted, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.ShowAtStart(window.AppOptions()->Current().GetMinStart());
    return app.exec();
}
