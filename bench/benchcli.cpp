// SPDX-License-Identifier: GPL-3.0-or-later
// The command line against the running program, as a ratio to the program's cheapest answer
// (--version), and List() over the session bus with a full event list.
#include "core/events/affairinfo.h"
#include "core/events/affairlist.h"
#include "core/events/affairstore.h"
#include "core/system/singleinstance.h"
#include "gui/dbus/pennibellbus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int Runs = 50;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// A portable copy of the program in a folder of its own, so its data are the bench's alone.
class Copy
{
public:
    Copy()
        : Home(QFileInfo(QStringLiteral(PENNIBELL_PROGRAM)).absolutePath() +
               QStringLiteral("/benchcli-XXXXXX"))
    {
        Program = Home.filePath(QStringLiteral("pennibell"));
        if (::link(PENNIBELL_PROGRAM, QFile::encodeName(Program).constData()) != 0) {
            QFile::copy(QStringLiteral(PENNIBELL_PROGRAM), Program);
        }
        QDir().mkpath(Home.filePath(QStringLiteral("runtime")));
        QFile::setPermissions(Home.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Home.filePath(QStringLiteral("runtime")));
        Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    ~Copy() { stop(); }

    double runMs(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(Env);
        QElapsedTimer t;
        t.start();
        p.start(Program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            std::fprintf(stderr, "pennibell %s failed: %s\n", qPrintable(args.join(' ')),
                         p.readAllStandardError().constData());
            std::exit(1);
        }
        return t.nsecsElapsed() / 1e6;
    }
    bool start(const QString& busAddress = QString())
    {
        QProcessEnvironment env = Env;
        if (!busAddress.isEmpty()) {
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        }
        Tray.setProcessEnvironment(env);
        Tray.start(Program, {});
        const QString socket =
            QDir(Env.value(QStringLiteral("XDG_RUNTIME_DIR"))).filePath(SingleInstance::keyFor(Home.path()));
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            QLocalSocket probe;
            probe.connectToServer(socket);
            if (probe.waitForConnected(200)) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
    void stop()
    {
        if (Tray.state() != QProcess::NotRunning) {
            Tray.terminate();
            if (!Tray.waitForFinished(10000)) {
                Tray.kill();
                Tray.waitForFinished(5000);
            }
        }
    }
    QString file(const QString& name) const { return Home.filePath(name); }

private:
    QTemporaryDir Home;
    QString Program;
    QProcessEnvironment Env;
    QProcess Tray;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    bool ok = true;
    {
        Copy copy;
        if (!copy.start()) {
            std::fprintf(stderr, "the program did not start\n");
            return 1;
        }
        QList<double> version, add;
        // Alternating, so that a busy moment of the machine falls on both alike.
        for (int i = 0; i < Runs; ++i) {
            version << copy.runMs({QStringLiteral("--version")});
            add << copy.runMs({QStringLiteral("--add"), QStringLiteral("Bench %1").arg(i),
                               QStringLiteral("--at"), QStringLiteral("+1 day")});
        }
        const double ratio = median(add) / median(version);
        std::printf(
            "--version median %.1f ms, --add (program running) median %.1f ms, ratio %.2f (target <= 1.5)\n",
            median(version), median(add), ratio);
        ok = ok && ratio <= 1.5;
    }

    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                 QStringLiteral("--print-address=1")});
    if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(10000)) {
        std::printf("List() over D-Bus: skipped, no dbus-daemon\n");
        return ok ? 0 : 1;
    }
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    {
        Copy copy;
        QDir().mkpath(copy.file(QStringLiteral("data")));
        AffairList list;
        const QDateTime first = QDateTime::currentDateTime().addDays(1);
        for (int i = 0; i < AffairStore::MaxEvents; ++i) {
            AffairInfo r;
            r.SetInfo(QStringLiteral("2020-01-01T00:00:%1").arg(i), QStringLiteral("Event number %1").arg(i),
                      first.addSecs(i), 0, 0, i % 3, 0, 0);
            r.SetEffect({EffectChoice::Bounce, 0});
            list.AppendAffair(r);
        }
        AffairStore(copy.file(QStringLiteral("data/eventinfor.eda"))).SaveAffairs(list);
        if (!copy.start(address)) {
            std::fprintf(stderr, "the program did not start on the bus\n");
            return 1;
        }
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("bench"));
        const QDeadlineTimer deadline(20000);
        while (!bus.interface()->isServiceRegistered(QLatin1String(PennibellBus::Service)) &&
               !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        qDBusRegisterMetaType<QList<QVariantMap>>();
        QList<double> times;
        int count = 0;
        for (int i = 0; i < 11; ++i) {
            const QDBusMessage call = QDBusMessage::createMethodCall(
                QLatin1String(PennibellBus::Service), QLatin1String(PennibellBus::Path),
                QLatin1String(PennibellBus::Interface), QStringLiteral("List"));
            QElapsedTimer t;
            t.start();
            const QDBusMessage reply = bus.call(call, QDBus::Block, 30000);
            times << t.nsecsElapsed() / 1e6;
            count = reply.type() == QDBusMessage::ReplyMessage
                        ? int(qdbus_cast<QList<QVariantMap>>(reply.arguments().value(0)).size())
                        : -1;
        }
        std::printf("List() over D-Bus with %d events: median %.1f ms (target < 50)\n", count, median(times));
        ok = ok && count == AffairStore::MaxEvents && median(times) < 50;
    }
    daemon.kill();
    daemon.waitForFinished(5000);
    return ok ? 0 : 1;
}
