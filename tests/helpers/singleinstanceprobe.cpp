// A stand-in for the program in the single-instance tests: claims a data folder given on the
// command line, says "ready" once it holds it and "second" each time a later copy knocks.
#include "singleinstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.claim()) {
        return SingleInstance::AlreadyRunningExitCode;
    }
    QObject::connect(&instance, &SingleInstance::secondStarted, [] {
        std::fputs("second\n", stdout);
        std::fflush(stdout);
    });
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    // Never outlive a test that forgot it.
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
