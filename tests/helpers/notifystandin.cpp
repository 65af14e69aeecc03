// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in desktop notification service on the session bus: it owns the service name, keeps
// an `Inhibited` property that a test can change, records every Notify and CloseNotification
// call, and invokes actions when told. Started with "inhibited" it begins in do not disturb.
// Prints "ready" once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

class StandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
    Q_PROPERTY(bool Inhibited READ inhibited)

public:
    explicit StandIn(bool inhibited) : Quiet(inhibited) {}
    bool inhibited() const { return Quiet; }

public slots:
    uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        Log << QStringLiteral("Notify %1|%2|%3|%4|%5|%6|%7")
                   .arg(app)
                   .arg(replaces)
                   .arg(summary, body, actions.join(QLatin1Char(',')),
                        hints.value(QStringLiteral("desktop-entry")).toString())
                   .arg(timeout);
        return ++Last;
    }
    void CloseNotification(uint id)
    {
        Log << QStringLiteral("Close %1").arg(id);
        emit NotificationClosed(id, 3);
    }

    // The test's own controls.
    QStringList Calls() { return Log; }
    void SetInhibited(bool on)
    {
        Quiet = on;
        QDBusMessage changed = QDBusMessage::createSignal(
            Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        changed << Service << QVariantMap{{QStringLiteral("Inhibited"), on}} << QStringList();
        QDBusConnection::sessionBus().send(changed);
    }
    void Invoke(uint id, const QString& key) { emit ActionInvoked(id, key); }

signals:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    bool Quiet = false;
    uint Last = 0;
    QStringList Log;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    StandIn service(app.arguments().contains(QStringLiteral("inhibited")));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(Path, &service,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties) ||
        !bus.registerService(Service)) {
        std::fprintf(stderr, "cannot own %s\n", qPrintable(Service));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "notifystandin.moc"
