// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/desktopnotice.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLocale>
#include <QPointer>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString DismissKey = QStringLiteral("dismiss");
const QString SnoozeKey = QStringLiteral("snooze-5");
// A service that does not answer within this is taken for none.
const int ReplyMs = 10000;

} // namespace

DesktopNotice::DesktopNotice(QObject* parent) : DesktopNotice(QDBusConnection::sessionBus(), parent) {}

DesktopNotice::DesktopNotice(const QDBusConnection& bus, QObject* parent) : QObject(parent), Bus(bus)
{
    // Any sender: naming the service would make Qt look up its owner, a call that waits.
    Bus.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
                SLOT(ActionInvoked(uint, QString)));
    Bus.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
                SLOT(NotificationClosed(uint, uint)));
}

DesktopNotice::~DesktopNotice()
{
    Close();
}

void DesktopNotice::Show(const QString& eventId, const QString& title, const QDateTime& when)
{
    Close();
    EventID = eventId;
    const quint64 serial = ++Serial;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const QString time = QLocale().toString(when.time(), QLocale::ShortFormat);
    // The body may be read as markup: the title is the user's text, shown as it was typed.
    call << QStringLiteral("Pennibell") << uint(0) << QStringLiteral("pennibell")
         << tr("Reminder at %1").arg(time) << title.toHtmlEscaped()
         << QStringList{DismissKey, tr("Dismiss"), SnoozeKey, tr("Again in 5 minutes")}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("org.pennibell.Pennibell")},
                        {QStringLiteral("category"), QStringLiteral("x-pennibell.reminder")}}
         // The reminder stays until it is clicked away; so does its notification.
         << qint32(0);
    // Not auto-started: a desktop without the service has chosen to have no notifications.
    call.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(Bus.asyncCall(call, ReplyMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, serial](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            return;
        }
        if (serial != Serial || EventID.isEmpty()) {
            CloseNotice(reply.value());
        } else {
            NoticeID = reply.value();
        }
    });
}

void DesktopNotice::Close()
{
    EventID.clear();
    if (NoticeID != 0) {
        CloseNotice(NoticeID);
        NoticeID = 0;
    }
}

void DesktopNotice::CloseNotice(uint id)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CloseNotification"));
    call << id;
    call.setAutoStartService(false);
    Bus.send(call);
}

void DesktopNotice::ActionInvoked(uint id, const QString& key)
{
    if (id == 0 || id != NoticeID || EventID.isEmpty()) {
        return;
    }
    // Clicking the notification's body ("default") only opens it.
    const QString event = EventID;
    if (key == DismissKey) {
        emit chosen(event, SnoozeChoice::Dismiss);
    } else if (key == SnoozeKey) {
        emit chosen(event, SnoozeChoice::FiveMinutes);
    }
}

void DesktopNotice::NotificationClosed(uint id, uint /*reason*/)
{
    // Closed by the user or the service: the reminder on screen stays.
    if (id != 0 && id == NoticeID) {
        NoticeID = 0;
    }
}
