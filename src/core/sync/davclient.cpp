// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/davclient.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslError>

DavClient::DavClient(QObject* parent) : QObject(parent), Manager(new QNetworkAccessManager(this))
{
    Manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    Manager->setAutoDeleteReplies(false);
}

DavClient::~DavClient()
{
    AbortAll();
}

bool DavClient::Allowed(const QUrl& url, QString* error)
{
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && !url.host().isEmpty() && scheme == QLatin1String("https")) {
        return true;
    }
    if (url.isValid() && scheme == QLatin1String("http")) {
        const QString host = url.host().toLower();
        const QHostAddress address(host);
        if (host == QLatin1String("localhost") || (!address.isNull() && address.isLoopback())) {
            return true;
        }
        if (error) {
            *error = tr("Plain HTTP is only used to this computer; use an https:// address.");
        }
        return false;
    }
    if (error) {
        *error = tr("%1 is not an https:// address.").arg(url.toDisplayString());
    }
    return false;
}

void DavClient::SetCredentials(const QString& user, const QString& password)
{
    User = user;
    Password = password;
}

void DavClient::Send(const QByteArray& method, const QUrl& url, const Headers& headers,
                     const QByteArray& body, qint64 maxBytes, const Done& done)
{
    QString why;
    if (!Allowed(url, &why)) {
        DavReply reply;
        reply.error = why;
        QPointer<DavClient> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, done, reply] {
                if (self) {
                    done(reply);
                }
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(TimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Pennibell"));
    if (!User.isEmpty()) {
        // Sent with the first request: the address was checked to be HTTPS or this computer.
        request.setRawHeader("Authorization",
                             "Basic " + (User + QLatin1Char(':') + Password).toUtf8().toBase64());
    }
    for (const auto& [name, value] : headers) {
        request.setRawHeader(name, value);
    }
    ++SentCount;
    QNetworkReply* reply = Manager->sendCustomRequest(request, method, body);
    Replies.insert(reply, Pending{done, maxBytes, {}, {}});
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        const auto it = Replies.constFind(reply);
        if (it != Replies.constEnd() && length.isValid() && length.toLongLong() > it->maxBytes) {
            Fail(reply, tr("The server's answer is too large (%1 bytes).").arg(length.toLongLong()));
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        const auto it = Replies.find(reply);
        if (it == Replies.end() || !it->failure.isEmpty()) {
            return;
        }
        if (it->body.size() + reply->bytesAvailable() > it->maxBytes) {
            Fail(reply, tr("The server's answer is too large."));
            return;
        }
        it->body += reply->readAll();
    });
    connect(reply, &QNetworkReply::sslErrors, this, [this, reply](const QList<QSslError>& errors) {
        QStringList texts;
        for (const QSslError& e : errors) {
            texts.append(e.errorString());
        }
        // Never ignored: a certificate the system does not trust ends the request.
        Fail(reply, tr("The server's certificate is not trusted (%1); nothing was sent.")
                        .arg(texts.join(QStringLiteral("; "))));
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Finish(reply); });
}

void DavClient::Fail(QNetworkReply* reply, const QString& why)
{
    const auto it = Replies.find(reply);
    if (it != Replies.end() && it->failure.isEmpty()) {
        it->failure = why;
    }
    reply->abort();
}

void DavClient::Finish(QNetworkReply* reply)
{
    reply->deleteLater();
    const auto it = Replies.find(reply);
    if (it == Replies.end()) {
        return;
    }
    Pending pending = std::move(*it);
    Replies.erase(it);
    DavReply answer;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.reached = status.isValid() && pending.failure.isEmpty();
    answer.status = answer.reached ? status.toInt() : 0;
    if (!pending.failure.isEmpty()) {
        answer.error = pending.failure;
    } else if (answer.reached) {
        if (pending.body.size() + reply->bytesAvailable() > pending.maxBytes) {
            answer.reached = false;
            answer.status = 0;
            answer.error = tr("The server's answer is too large.");
        } else {
            answer.body = pending.body + reply->readAll();
            answer.etag = QString::fromLatin1(reply->rawHeader("ETag"));
            const QByteArray location = reply->rawHeader("Location");
            if (!location.isEmpty()) {
                answer.location = reply->url().resolved(QUrl::fromEncoded(location));
            }
            if (answer.status == 401) {
                answer.error = tr("The server refused the user name or password.");
            }
        }
    } else {
        answer.error = tr("Cannot reach the server: %1").arg(reply->errorString());
    }
    pending.done(answer);
}

void DavClient::AbortAll()
{
    const QList<QNetworkReply*> replies = Replies.keys();
    Replies.clear();
    for (QNetworkReply* reply : replies) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}
