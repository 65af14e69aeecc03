// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dbus/pennibellbus.h"

#include "core/events/eventrequest.h"
#include "core/events/reminderbook.h"
#include "core/system/commandline.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>

const char* const PennibellBus::Service = "org.pennibell.Pennibell";
const char* const PennibellBus::Path = "/org/pennibell/Pennibell";
const char* const PennibellBus::Interface = "org.pennibell.Pennibell1";

namespace {
QString errorName(const char* kind)
{
    return QLatin1String(PennibellBus::Interface) + QLatin1String(".Error.") + QLatin1String(kind);
}
} // namespace

PennibellBus::PennibellBus(ReminderBook& book, QObject* parent) : QObject(parent), Book(book)
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
    connect(&Book, &ReminderBook::reminderDue, this, [this](const AffairInfo& record, bool preview) {
        if (!preview) {
            emit ReminderShown(record.GetAffairID(), record.GetAffairTitle());
        }
    });
    connect(&Book, &ReminderBook::reminderGone, this, [this](const QString& id) {
        if (!id.isEmpty()) {
            emit ReminderDismissed(id);
        }
    });
    connect(&Book, &ReminderBook::eventsChanged, this, [this] {
        Listed.reset();
        emit EventsChanged();
    });
    connect(&Book, &ReminderBook::nextChanged, this, [this] {
        Listed.reset();
        AnnounceNextDue();
    });
}

bool PennibellBus::Register(QString* error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (error) {
            *error = bus.lastError().message();
        }
        return false;
    }
    if (!bus.registerObject(QLatin1String(Path), this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties)) {
        if (error) {
            *error = bus.lastError().message();
        }
        return false;
    }
    if (!bus.registerService(QLatin1String(Service))) {
        if (error) {
            *error = bus.lastError().message();
        }
        bus.unregisterObject(QLatin1String(Path));
        return false;
    }
    return true;
}

QString PennibellBus::NextDue() const
{
    const std::optional<QDateTime> next = Book.NextDueTime();
    return next ? EventRequest::IsoWithOffset(*next) : QString();
}

void PennibellBus::AnnounceNextDue()
{
    QDBusMessage changed =
        QDBusMessage::createSignal(QLatin1String(Path), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    changed << QLatin1String(Interface) << QVariantMap{{QStringLiteral("NextDue"), NextDue()}}
            << QStringList();
    QDBusConnection::sessionBus().send(changed);
}

QString PennibellBus::Run(const QVariantMap& request)
{
    QString out, err;
    const int status = CommandLine::Execute(request, Book, true, &out, &err);
    if (status == CommandLine::UsageExitCode) {
        sendErrorReply(errorName("InvalidArgument"), err);
    } else if (status != 0) {
        sendErrorReply(errorName("Failed"), err);
    }
    return out.trimmed();
}

bool PennibellBus::Known(const QString& id)
{
    if (Book.Find(id)) {
        return true;
    }
    sendErrorReply(errorName("NoSuchEvent"), tr("No event has the identifier %1.").arg(id.left(80)));
    return false;
}

QString PennibellBus::Add(const QVariantMap& event)
{
    return Run({{QStringLiteral("command"), QStringLiteral("add")}, {QStringLiteral("event"), event}});
}

QList<QVariantMap> PennibellBus::List()
{
    if (!Listed) {
        QList<QVariantMap> events;
        const AffairList& list = Book.Events();
        events.reserve(list.Count());
        for (int i = 0; i < list.Count(); ++i) {
            events << EventRequest::Describe(list.At(i));
        }
        Listed = events;
    }
    return *Listed;
}

void PennibellBus::Remove(const QString& id)
{
    if (Known(id)) {
        Run({{QStringLiteral("command"), QStringLiteral("remove")}, {QStringLiteral("id"), id}});
    }
}

void PennibellBus::Show(const QString& id)
{
    if (Known(id)) {
        Run({{QStringLiteral("command"), QStringLiteral("show")}, {QStringLiteral("id"), id}});
    }
}

void PennibellBus::Dismiss()
{
    Run({{QStringLiteral("command"), QStringLiteral("dismiss")}});
}

void PennibellBus::Snooze(uint minutes)
{
    Run({{QStringLiteral("command"), QStringLiteral("snooze")},
         {QStringLiteral("minutes"), qint64(minutes)}});
}
