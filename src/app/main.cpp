// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/reminderbook.h"
#include "core/options/esettings.h"
#include "core/options/options.h"
#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"
#include "core/system/commandline.h"
#include "core/system/makerinfo.h"
#include "core/system/platformchoice.h"
#include "core/system/singleinstance.h"
#include "core/system/termination.h"
#include "gui/dbus/pennibellbus.h"
#include "gui/main/mainwindow.h"
#include "gui/main/reminderscreen.h"
#include "gui/platform/displayscreens.h"
#include "gui/sync/syncfront.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char* argv[])
{
    // A Wayland session refuses to place and raise the reminder window: go through XWayland.
    PlatformChoice::apply();
    QCoreApplication::setApplicationName(QStringLiteral("Pennibell"));
    QCoreApplication::setApplicationVersion(MakerInfo::VersionNumber());
    // The system's language: Qt's own texts (standard buttons, file dialogs) where Qt ships
    // them, and ours from the translations built into the program.
    QTranslator qtTexts;
    const bool haveQtTexts = qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QTranslator ownTexts;
    const bool haveOwnTexts =
        ownTexts.load(QLocale(), QStringLiteral("pennibell"), QStringLiteral("_"), QStringLiteral(":/i18n"));
    const auto speak = [&] {
        if (haveQtTexts) {
            QCoreApplication::installTranslator(&qtTexts);
        }
        if (haveOwnTexts) {
            QCoreApplication::installTranslator(&ownTexts);
        }
    };
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The command line is answered before any display is needed: --help, --version, a wrong
    // option, and every event command, which the running program carries out when there is one.
    QVariantMap request;
    {
        QCoreApplication early(argc, argv);
        speak();
        const int answered = CommandLine::Answer(QCoreApplication::arguments(), out, err, &request);
        if (answered != CommandLine::Run) {
            return answered;
        }
        if (!request.isEmpty()) {
            DataLocation::forApplication().enter();
            const int carried = CommandLine::Carry(request, false, out, err);
            if (carried != CommandLine::NotRunning) {
                return carried;
            }
        } else if (!PlatformChoice::haveDisplay(QCoreApplication::arguments())) {
            err << CommandLine::NoDisplay() << Qt::endl;
            return CommandLine::FailedExitCode;
        }
    }
    if (!request.isEmpty()) {
        // No program runs here: this process edits the store itself. A picture made from a
        // title needs fonts, which need a GUI application, which needs no display offscreen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication headless(argc, argv);
        DisplayScreens screens;
        ScreenSize::Install(&screens);
        speak();
        DataLocation::forApplication().enter();
        return CommandLine::Carry(request, true, out, err);
    }

    QApplication app(argc, argv);
    DisplayScreens screens;
    ScreenSize::Install(&screens);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pennibell.Pennibell"));
    speak();
    // Every data file lives relative to the program's folder, or to the user's own data folder
    // when the program is installed where its user cannot write.
    DataLocation location = DataLocation::forApplication();
    QString unusable;
    if (!location.Usable(&unusable)) {
        QMessageBox::critical(nullptr, QStringLiteral("Pennibell"), unusable);
        return 1;
    }
    location.enter();

    // Two copies on one data folder would show every reminder twice and overwrite each
    // other's saves: a second start only brings the running one forward.
    SingleInstance single(QDir::currentPath());
    if (!single.claim()) {
        if (!single.failure().isEmpty()) {
            QMessageBox::critical(nullptr, QStringLiteral("Pennibell"), single.failure());
        }
        return SingleInstance::AlreadyRunningExitCode;
    }
    // What a write cut short by a crash or a power cut left behind; this copy holds the data
    // folder's lock, so no other is writing there now.
    for (const QString& folder :
         {QStringLiteral("."), DataLocation::DataFolder(), DataLocation::BackupFolder()}) {
        SafeFile::RemoveStale(folder);
    }

    // The window hides to the tray; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Log-out ends the program through the event loop, which records when it last ran.
    Termination::Install(nullptr);

    DataLocation::MakeFolders();
    Options options(ESettings::DefaultPath());
    ReminderBook book;
    QString unreadable;
    const bool loaded = book.Load(&unreadable);
    MainWindow window(book, options);
    if (!loaded) {
        QMessageBox::warning(nullptr, QStringLiteral("Pennibell"), unreadable);
    }
    book.Start();
    QObject::connect(&single, &SingleInstance::secondStarted, &window, &MainWindow::Bring);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &book, &ReminderBook::Stop);
    // Commands from a terminal or a cron job, over the local socket, which needs no session bus.
    single.setRequestHandler([&book](const QVariantMap& r) { return CommandLine::Serve(r, book); });
    // Other programs on the session bus, where there is one.
    PennibellBus bus(book);
    bus.Register();
    window.Screen()->WatchDesktop();
    // Other computers' events through a CalDAV calendar, when an account is set.
    SyncFront sync(book, &window);
    window.SetSync(&sync);
    sync.Start();
    window.ShowAtStart(options.Current().GetMinStart());
    window.ShowMissed();
    return app.exec();
}
