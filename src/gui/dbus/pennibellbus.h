// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <optional>

class ReminderBook;

// The running program on the session bus: org.pennibell.Pennibell at /org/pennibell/Pennibell,
// interface org.pennibell.Pennibell1. Every call goes through the same commands as the command
// line, so the bus accepts and refuses exactly what the terminal does.
class PennibellBus : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.pennibell.Pennibell1")
    Q_PROPERTY(QString NextDue READ NextDue)

public:
    static const char* const Service;
    static const char* const Path;
    static const char* const Interface;

    explicit PennibellBus(ReminderBook& book, QObject* parent = nullptr);

    // Puts the object and the name on the session bus; false, and why, without a bus or when
    // another program holds the name.
    bool Register(QString* error = nullptr);

    // The next reminder's moment in ISO 8601 with its offset; empty for none.
    QString NextDue() const;

public slots:
    QString Add(const QVariantMap& event);
    QList<QVariantMap> List();
    void Remove(const QString& id);
    void Show(const QString& id);
    void Dismiss();
    void Snooze(uint minutes);

signals:
    void ReminderShown(const QString& id, const QString& title);
    void ReminderDismissed(const QString& id);
    void EventsChanged();

private:
    // Carries out a command-line request; a failure becomes the call's named error.
    QString Run(const QVariantMap& request);
    bool Known(const QString& id);
    void AnnounceNextDue();

    ReminderBook& Book;
    // What List() answered, until the list or the next reminder changes.
    std::optional<QList<QVariantMap>> Listed;
};
