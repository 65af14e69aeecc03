// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// The answer to one WebDAV request, read whole (within its bound) or not at all.
struct DavReply
{
    int status = 0; // HTTP status; 0 when no answer came
    QByteArray body;
    QString etag;
    QUrl location;        // of a redirect, resolved
    bool reached = false; // the server answered at all
    QString error;        // why not, for the user
};

// A small asynchronous WebDAV client: every request runs on the event loop, nothing waits.
// It talks HTTPS with the system's certificate checks, or plain HTTP to this computer only; it
// never follows redirects by itself and never reads more of an answer than its caller allows.
class DavClient : public QObject
{
    Q_OBJECT

public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    using Done = std::function<void(const DavReply&)>;

    explicit DavClient(QObject* parent = nullptr);
    ~DavClient() override;

    // HTTPS anywhere, HTTP only to the loopback address; false with the reason otherwise.
    static bool Allowed(const QUrl& url, QString* error = nullptr);

    void SetCredentials(const QString& user, const QString& password);
    // No answer within this long (between any two pieces of it) fails the request.
    void SetTimeout(int msecs) { TimeoutMs = msecs; }

    // `done` is called once, later, on the event loop; not after the client is destroyed.
    void Send(const QByteArray& method, const QUrl& url, const Headers& headers, const QByteArray& body,
              qint64 maxBytes, const Done& done);
    // Ends every request under way; their callbacks are not called.
    void AbortAll();

    // Requests sent since construction (for measurements).
    int Sent() const { return SentCount; }

private:
    struct Pending
    {
        Done done;
        qint64 maxBytes = 0;
        QByteArray body;
        QString failure;
    };
    void Fail(QNetworkReply* reply, const QString& why);
    void Finish(QNetworkReply* reply);

    QNetworkAccessManager* Manager;
    QHash<QNetworkReply*, Pending> Replies;
    QString User;
    QString Password;
    int TimeoutMs = 60000;
    int SentCount = 0;
};
