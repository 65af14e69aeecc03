// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/donotdisturb.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QProcess>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString Gsettings = QStringLiteral("gsettings");
const QStringList GnomeKey{QStringLiteral("org.gnome.desktop.notifications"), QStringLiteral("show-banners")};
const QString Xfconf = QStringLiteral("xfconf-query");
const QStringList XfceKey{QStringLiteral("-c"), QStringLiteral("xfce4-notifyd"), QStringLiteral("-p"),
                          QStringLiteral("/do-not-disturb")};
// A settings tool's answer is one word; anything longer is not one.
const qint64 MaxLine = 4096;

bool isTrue(const QString& word)
{
    return word.trimmed() == QLatin1String("true");
}

} // namespace

DoNotDisturbWatch::DoNotDisturbWatch(QObject* parent)
    : DoNotDisturbWatch(QDBusConnection::sessionBus(), parent)
{
}

DoNotDisturbWatch::DoNotDisturbWatch(const QDBusConnection& bus, QObject* parent) : QObject(parent), Bus(bus)
{
}

DoNotDisturbWatch::~DoNotDisturbWatch()
{
    for (QProcess* monitor : {GnomeMonitor.data(), XfceMonitor.data()}) {
        if (monitor) {
            monitor->disconnect(this);
            monitor->kill();
            monitor->waitForFinished(1000);
        }
    }
}

void DoNotDisturbWatch::Start()
{
    // Any sender: naming the service would make Qt look up its owner, a call that waits.
    Bus.connect(QString(), Path, PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                SLOT(PropertiesChanged(QString, QVariantMap, QStringList)));
    auto* service = new QDBusServiceWatcher(Service, Bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(service, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                if (owner.isEmpty()) {
                    Set(&Inhibited, false);
                } else {
                    ReadInhibited();
                }
            });
    ReadInhibited();

    ReadGnome();
    ReadXfce();
}

void DoNotDisturbWatch::ReadInhibited()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, PropertiesInterface, QStringLiteral("Get"));
    call << Service << QStringLiteral("Inhibited");
    call.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(Bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        // No service, or one without the property: it says nothing about do not disturb.
        Set(&Inhibited, !reply.isError() && reply.value().variant().toBool());
    });
}

void DoNotDisturbWatch::PropertiesChanged(const QString& interface, const QVariantMap& changedValues,
                                          const QStringList& invalidated)
{
    if (interface != Service) {
        return;
    }
    if (changedValues.contains(QStringLiteral("Inhibited"))) {
        Set(&Inhibited, changedValues.value(QStringLiteral("Inhibited")).toBool());
    } else if (invalidated.contains(QStringLiteral("Inhibited"))) {
        ReadInhibited();
    }
}

void DoNotDisturbWatch::ReadGnome()
{
    // Followed before it is read, so that no change falls between the two.
    if (!GnomeMonitor) {
        // "show-banners: false" at every change. Ends by itself where there is no such setting.
        GnomeMonitor =
            Follow(Gsettings, QStringList{QStringLiteral("monitor")} + GnomeKey, [this](const QString& line) {
                Set(&GnomeQuiet, !isTrue(line.section(QLatin1Char(':'), -1)));
            });
    }
    Ask(Gsettings, QStringList{QStringLiteral("get")} + GnomeKey,
        [this](bool answered, const QString& answer) {
            // Banners off is GNOME's do not disturb; no such setting, not GNOME.
            Set(&GnomeQuiet, answered && !isTrue(answer));
        });
}

void DoNotDisturbWatch::ReadXfce()
{
    if (!XfceMonitor) {
        // Says only that the setting changed (it is made the first time the user turns do not
        // disturb on): it is read again.
        XfceMonitor = Follow(Xfconf, XfceKey + QStringList{QStringLiteral("-m")}, [this](const QString&) {
            Ask(Xfconf, XfceKey, [this](bool answered, const QString& answer) {
                Set(&XfceQuiet, answered && isTrue(answer));
            });
        });
    }
    Ask(Xfconf, XfceKey,
        [this](bool answered, const QString& answer) { Set(&XfceQuiet, answered && isTrue(answer)); });
}

void DoNotDisturbWatch::Ask(const QString& program, const QStringList& arguments,
                            std::function<void(bool, const QString&)> done)
{
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        // A tool that is not installed: this desktop does not keep the setting.
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
        }
    });
    connect(process, &QProcess::finished, this, [process, done](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        const bool answered = status == QProcess::NormalExit && code == 0;
        done(answered, answered ? QString::fromUtf8(process->read(MaxLine)).section(QLatin1Char('\n'), 0, 0)
                                : QString());
    });
    process->start(program, arguments, QIODevice::ReadOnly);
}

QProcess* DoNotDisturbWatch::Follow(const QString& program, const QStringList& arguments,
                                    std::function<void(const QString&)> line)
{
    auto* process = new QProcess(this);
    process->setStandardErrorFile(QProcess::nullDevice());
    // Not installed, or no such setting here: nothing to follow.
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
        }
    });
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::readyReadStandardOutput, this, [process, line] {
        while (process->canReadLine()) {
            line(QString::fromUtf8(process->readLine(MaxLine)).trimmed());
        }
        // A line that never ends is not one of the tool's.
        if (process->bytesAvailable() > MaxLine) {
            process->readAll();
        }
    });
    process->start(program, arguments, QIODevice::ReadOnly);
    return process;
}

void DoNotDisturbWatch::Set(bool* source, bool on)
{
    const bool before = Active();
    *source = on;
    if (Active() != before) {
        emit changed(Active());
    }
}
