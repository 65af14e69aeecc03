// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the program in the single-instance tests: claims the data folder given on the
// command line and says "ready" once it holds it.
#include "core/storage/safefile.h"
#include "core/system/singleinstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SingleInstance instance(app.arguments().value(1));
    if (!instance.claim()) {
        return SingleInstance::AlreadyRunningExitCode;
    }
    // As the program does: what an interrupted write left, now that no other copy writes here.
    SafeFile::RemoveStale(app.arguments().value(1));
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    // Never outlive a test that forgot it.
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
