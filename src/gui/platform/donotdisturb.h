// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

// Whether the desktop is set to "do not disturb", read where desktops publish it: the
// `Inhibited` property of the notification service (Plasma and others), GNOME's
// show-banners setting (false is do not disturb) and Xfce's notifyd do-not-disturb setting.
// A desktop that has none of them is never in do-not-disturb. Nothing here waits: the bus is
// asked asynchronously and the settings through their command-line tools, each left running
// to report changes.
class DoNotDisturbWatch : public QObject
{
    Q_OBJECT

public:
    explicit DoNotDisturbWatch(QObject* parent = nullptr);
    DoNotDisturbWatch(const QDBusConnection& bus, QObject* parent = nullptr);
    ~DoNotDisturbWatch() override;

    // Starts watching; `changed` follows the first answers.
    void Start();
    bool Active() const { return Inhibited || GnomeQuiet || XfceQuiet; }

signals:
    void changed(bool active);

private slots:
    void PropertiesChanged(const QString& interface, const QVariantMap& changedValues,
                           const QStringList& invalidated);

private:
    void ReadInhibited();
    void ReadGnome();
    void ReadXfce();
    // Runs a settings tool once and hands `done` whether it answered and its first output line;
    // nothing at all when the tool is not installed.
    void Ask(const QString& program, const QStringList& arguments,
             std::function<void(bool answered, const QString& answer)> done);
    // Keeps a tool running that prints a line at every change.
    QProcess* Follow(const QString& program, const QStringList& arguments,
                     std::function<void(const QString&)> line);
    void Set(bool* source, bool on);

    QDBusConnection Bus;
    bool Inhibited = false;
    bool GnomeQuiet = false;
    bool XfceQuiet = false;
    QPointer<QProcess> GnomeMonitor;
    QPointer<QProcess> XfceMonitor;
};
