// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the program in the termination test: installs the handlers, records the last
// running moment in the file named on the command line as the program does on its way out, and
// says "ready" once the loop runs.
#include "core/system/lastrunning.h"
#include "core/system/termination.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    LastRunning running(app.arguments().value(1));
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&running] { running.Mark(4242, true); });
    QString error;
    if (!Termination::Install(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    QTimer::singleShot(0, [] {
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
    });
    // Never outlive a test that forgot it; a timeout is not a clean end.
    QTimer::singleShot(60000, [] { QCoreApplication::exit(3); });
    return app.exec();
}
