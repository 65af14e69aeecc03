// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/snoozechoice.h"

#include <QDBusConnection>
#include <QDateTime>
#include <QObject>
#include <QString>

// The desktop notification that goes with a reminder on screen, through the desktop's
// notification service, so that screen readers announce the reminder and phones that mirror
// notifications carry it. Its two actions answer like the reminder's own menu. Without a
// service nothing shows and nothing is reported: the reminder on screen is still there.
// Every call to the service is asynchronous; the program never waits on it.
class DesktopNotice : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotice(QObject* parent = nullptr);
    DesktopNotice(const QDBusConnection& bus, QObject* parent = nullptr);
    // A notification still open goes with the program.
    ~DesktopNotice() override;

    // A notification for this event's reminder, due at `when`, in place of any earlier one.
    void Show(const QString& eventId, const QString& title, const QDateTime& when);
    // The reminder went: so does its notification.
    void Close();
    QString Showing() const { return EventID; }

signals:
    // The user chose an action on the notification of this event's reminder.
    void chosen(const QString& eventId, SnoozeChoice::Choice choice);

private slots:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    void CloseNotice(uint id);

    QDBusConnection Bus;
    QString EventID;
    uint NoticeID = 0;
    // Which Show a reply belongs to: one that comes after its reminder went is closed at once.
    quint64 Serial = 0;
};
