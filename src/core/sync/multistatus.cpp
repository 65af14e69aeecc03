// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/multistatus.h"

#include <QXmlStreamReader>

namespace {

const QString Dav = QStringLiteral("DAV:");
const QString CalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

// Properties are small; a longer text is a hostile answer.
constexpr int MaxText = 4096;

int statusCode(const QString& line)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.size() < 2) {
        return 0;
    }
    bool ok = false;
    const int code = parts.at(1).toInt(&ok);
    return ok && code >= 100 && code <= 599 ? code : 0;
}

QString trimmedPath(const QUrl& url)
{
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path;
}

} // namespace

bool MultiStatus::SameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(a.scheme() == QLatin1String("https") ? 443 : 80) ==
               b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

bool MultiStatus::Inside(const QUrl& url, const QUrl& collection)
{
    if (!SameOrigin(url, collection)) {
        return false;
    }
    const QString path = url.path(QUrl::FullyDecoded);
    // A decoded ".." segment would climb out of the collection on the server.
    if (path.split(QLatin1Char('/')).contains(QLatin1String(".."))) {
        return false;
    }
    const QString dir = trimmedPath(collection);
    return path.startsWith(dir) || trimmedPath(url) == dir;
}

bool MultiStatus::Parse(const QByteArray& xml, const QUrl& base, const QUrl& inside, MultiStatus* out,
                        QString* error)
{
    MultiStatus result;
    QXmlStreamReader reader(xml);
    // Entity declarations are never expanded into our values.
    reader.setEntityResolver(nullptr);
    bool seenRoot = false;
    auto fail = [&](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    // The element path below the root, as (namespace, name) pairs.
    QList<QPair<QString, QString>> path;
    Response current;
    // Properties seen inside the propstat being read; kept only when its status is 2xx.
    Response pending;
    int propstatStatus = 0;
    bool inResponse = false;
    QString text;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD) {
            return fail(tr("The server's answer declares a document type."));
        }
        if (token == QXmlStreamReader::StartElement) {
            const QString ns = reader.namespaceUri().toString();
            const QString name = reader.name().toString();
            if (!seenRoot) {
                if (ns != Dav || name != QLatin1String("multistatus")) {
                    return fail(tr("The server's answer is not a WebDAV listing."));
                }
                seenRoot = true;
                continue;
            }
            if (path.size() > 32) {
                return fail(tr("The server's answer is nested too deeply."));
            }
            path.append({ns, name});
            text.clear();
            if (ns == Dav && name == QLatin1String("response") && path.size() == 1) {
                if (result.responses.size() >= MaxResponses) {
                    return fail(tr("The server's answer lists too many entries."));
                }
                current = Response();
                current.status = 0;
                inResponse = true;
            } else if (ns == Dav && name == QLatin1String("propstat") && inResponse) {
                pending = current;
                propstatStatus = 0;
            } else if (ns == Dav && name == QLatin1String("collection") && path.size() >= 2 &&
                       path.at(path.size() - 2).second == QLatin1String("resourcetype")) {
                pending.collection = true;
            } else if (ns == CalDav && name == QLatin1String("calendar") && path.size() >= 2 &&
                       path.at(path.size() - 2).second == QLatin1String("resourcetype")) {
                pending.calendar = true;
            } else if (ns == CalDav && name == QLatin1String("supported-calendar-component-set")) {
                pending.eventsAllowed = false;
            } else if (ns == CalDav && name == QLatin1String("comp") &&
                       reader.attributes().value(QLatin1String("name")) == QLatin1String("VEVENT")) {
                pending.eventsAllowed = true;
            }
            continue;
        }
        if (token == QXmlStreamReader::Characters) {
            if (text.size() + reader.text().size() > MaxText) {
                return fail(tr("The server's answer holds an overlong value."));
            }
            text += reader.text();
            continue;
        }
        if (token != QXmlStreamReader::EndElement || path.isEmpty()) {
            continue;
        }
        const auto [ns, name] = path.takeLast();
        const QString value = text.trimmed();
        text.clear();
        const QString parent = path.isEmpty() ? QString() : path.last().second;
        if (ns == Dav && name == QLatin1String("href")) {
            const QUrl url = base.resolved(QUrl(value, QUrl::StrictMode));
            if (!url.isValid() || !SameOrigin(url, base)) {
                return fail(tr("The server's answer points to another server."));
            }
            if (parent == QLatin1String("response")) {
                if (!inside.isEmpty() && !Inside(url, inside)) {
                    return fail(tr("The server's answer names an entry outside the calendar."));
                }
                current.url = url;
            } else if (parent == QLatin1String("current-user-principal")) {
                pending.principal = url;
            } else if (parent == QLatin1String("calendar-home-set") && pending.calendarHome.isEmpty()) {
                pending.calendarHome = url;
            }
        } else if (ns == Dav && name == QLatin1String("status")) {
            if (parent == QLatin1String("propstat")) {
                propstatStatus = statusCode(value);
            } else if (parent == QLatin1String("response")) {
                current.status = statusCode(value);
            }
        } else if (ns == Dav && name == QLatin1String("getetag")) {
            pending.etag = value;
        } else if (ns == Dav && name == QLatin1String("displayname")) {
            pending.displayName = value;
        } else if (ns == Dav && name == QLatin1String("sync-token") && path.isEmpty()) {
            result.syncToken = value;
        } else if (ns == Dav && name == QLatin1String("propstat") && inResponse) {
            if (propstatStatus >= 200 && propstatStatus < 300) {
                const QUrl url = current.url;
                current = pending;
                current.url = url;
                current.status = propstatStatus;
            }
        } else if (ns == Dav && name == QLatin1String("response") && path.isEmpty()) {
            if (current.url.isEmpty()) {
                return fail(tr("The server's answer has an entry without an address."));
            }
            if (current.status == 0) {
                // A response whose every property set failed still names a resource.
                current.status = 200;
            }
            result.responses.append(current);
            inResponse = false;
        }
    }
    if (reader.hasError() || !seenRoot) {
        return fail(tr("The server's answer is not well-formed: %1").arg(reader.errorString()));
    }
    *out = result;
    return true;
}
