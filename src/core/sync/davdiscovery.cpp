// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/davdiscovery.h"

#include "core/sync/multistatus.h"

namespace {

const QByteArray Properties =
    QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
                      "<d:resourcetype/><d:displayname/><d:current-user-principal/><c:calendar-home-set/>"
                      "<c:supported-calendar-component-set/></d:prop></d:propfind>");

constexpr qint64 MaxAnswer = 4 * 1024 * 1024;

QUrl AsFolder(QUrl url)
{
    if (!url.path().endsWith(QLatin1Char('/'))) {
        url.setPath(url.path() + QLatin1Char('/'));
    }
    return url;
}

} // namespace

DavDiscovery::DavDiscovery(DavClient* client, QObject* parent) : QObject(parent), Client(client) {}

void DavDiscovery::Find(const QUrl& address)
{
    Found.clear();
    HomeUrl.clear();
    TriedWellKnown = false;
    Redirects = 0;
    Start = address;
    QString why;
    if (!DavClient::Allowed(address, &why)) {
        QMetaObject::invokeMethod(
            this, [this, why] { Fail(why); }, Qt::QueuedConnection);
        return;
    }
    Ask(address, Step::Address, "0");
}

void DavDiscovery::Ask(const QUrl& url, Step step, const QByteArray& depth)
{
    Client->Send("PROPFIND", url, {{"Content-Type", "application/xml; charset=utf-8"}, {"Depth", depth}},
                 Properties, MaxAnswer,
                 [this, url, step](const DavReply& reply) { Answered(url, step, reply); });
}

void DavDiscovery::Fail(const QString& error)
{
    emit found(false, error);
}

void DavDiscovery::Answered(const QUrl& url, Step step, const DavReply& reply)
{
    if (!reply.reached || reply.status == 401) {
        Fail(reply.error);
        return;
    }
    if (reply.status >= 300 && reply.status < 400 && !reply.location.isEmpty()) {
        // Only within the same server: the password is never handed to another one.
        if (++Redirects > 5 || !MultiStatus::SameOrigin(reply.location, Start)) {
            Fail(tr("The server sent the request to another address (%1).")
                     .arg(reply.location.toDisplayString()));
            return;
        }
        Ask(reply.location, step, step == Step::Home ? "1" : "0");
        return;
    }
    MultiStatus answer;
    QString error;
    const bool parsed = reply.status == 207 && MultiStatus::Parse(reply.body, url, QUrl(), &answer, &error);
    if (!parsed || answer.responses.isEmpty()) {
        if (step == Step::Address && !TriedWellKnown) {
            TriedWellKnown = true;
            QUrl wellKnown = Start;
            wellKnown.setPath(QStringLiteral("/.well-known/caldav"));
            Ask(wellKnown, Step::Address, "0");
            return;
        }
        Fail(error.isEmpty()
                 ? tr("No calendar was found at %1 (%2).").arg(url.toDisplayString()).arg(reply.status)
                 : error);
        return;
    }
    if (step == Step::Home) {
        for (const MultiStatus::Response& r : answer.responses) {
            if (r.calendar && r.eventsAllowed) {
                const QUrl calendar = AsFolder(r.url);
                Found.append({calendar, r.displayName.isEmpty() ? calendar.path() : r.displayName});
            }
        }
        emit found(true, QString());
        return;
    }
    const MultiStatus::Response& first = answer.responses.first();
    if (first.calendar) {
        // The address is a calendar itself; its home is the folder above it.
        const QUrl calendar = AsFolder(first.url);
        HomeUrl = calendar.resolved(QUrl(QStringLiteral("..")));
        Found.append({calendar, first.displayName.isEmpty() ? calendar.path() : first.displayName});
        emit found(true, QString());
    } else if (!first.calendarHome.isEmpty()) {
        HomeUrl = AsFolder(first.calendarHome);
        Ask(HomeUrl, Step::Home, "1");
    } else if (!first.principal.isEmpty() && step == Step::Address) {
        Ask(first.principal, Step::Principal, "0");
    } else if (step == Step::Address && !TriedWellKnown) {
        TriedWellKnown = true;
        QUrl wellKnown = Start;
        wellKnown.setPath(QStringLiteral("/.well-known/caldav"));
        Ask(wellKnown, Step::Address, "0");
    } else {
        Fail(tr("No calendar was found at %1.").arg(url.toDisplayString()));
    }
}

void DavDiscovery::Create()
{
    const QByteArray body = QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop>"
        "<d:displayname>Pennibell</d:displayname><c:supported-calendar-component-set><c:comp "
        "name=\"VEVENT\"/>"
        "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>");
    if (HomeUrl.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { emit created(false, QUrl(), tr("No calendar home was found on the server.")); },
            Qt::QueuedConnection);
        return;
    }
    const QUrl url = HomeUrl.resolved(QUrl(QStringLiteral("pennibell/")));
    Client->Send(
        "MKCALENDAR", url, {{"Content-Type", "application/xml; charset=utf-8"}}, body, MaxAnswer,
        [this, url](const DavReply& reply) {
            if (reply.reached && (reply.status == 201 || reply.status == 200)) {
                Found.append({url, QStringLiteral("Pennibell")});
                emit created(true, url, QString());
            } else if (reply.reached && reply.status != 401) {
                emit created(
                    false, QUrl(),
                    tr("The server does not let the program create a calendar (%1).").arg(reply.status));
            } else {
                emit created(false, QUrl(), reply.error);
            }
        });
}
