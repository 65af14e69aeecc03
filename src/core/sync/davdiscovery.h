// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/davclient.h"

#include <QList>
#include <QObject>
#include <QUrl>

// Finds the calendars of an account from the address the user typed: a calendar's own address,
// the server's (through /.well-known/caldav), a principal or a calendar home.
class DavDiscovery : public QObject
{
    Q_OBJECT

public:
    struct Calendar
    {
        QUrl url;
        QString name;
    };

    explicit DavDiscovery(DavClient* client, QObject* parent = nullptr);

    void Find(const QUrl& address);
    // Makes the calendar "Pennibell" in the home found last.
    void Create();

    QList<Calendar> Calendars() const { return Found; }
    QUrl Home() const { return HomeUrl; }

signals:
    void found(bool ok, const QString& error);
    void created(bool ok, const QUrl& url, const QString& error);

private:
    enum class Step
    {
        Address,
        Principal,
        Home
    };
    void Ask(const QUrl& url, Step step, const QByteArray& depth);
    void Answered(const QUrl& url, Step step, const DavReply& reply);
    void Fail(const QString& error);

    DavClient* Client;
    QList<Calendar> Found;
    QUrl HomeUrl;
    QUrl Start;
    bool TriedWellKnown = false;
    int Redirects = 0;
};
