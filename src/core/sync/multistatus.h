// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QUrl>

// One WebDAV multistatus answer, reduced to the few properties the sync reads. The reader keeps
// nothing else of the document, and refuses the whole answer rather than use part of one.
class MultiStatus
{
    Q_DECLARE_TR_FUNCTIONS(MultiStatus)

public:
    struct Response
    {
        QUrl url;         // the href resolved against the request
        int status = 200; // of the response, or of its successful property set
        QString etag;
        bool collection = false;
        bool calendar = false;
        bool eventsAllowed = true; // the calendar takes VEVENTs (true when it says nothing)
        QString displayName;
        QUrl principal;    // current-user-principal
        QUrl calendarHome; // calendar-home-set
    };

    // Far above any calendar the program would keep (its event limit) and the few properties asked.
    static constexpr int MaxResponses = 20000;

    // Parses `xml`, an answer to a request for `base`. When `inside` is not empty every href must
    // lie in that collection (or be it); hrefs must always stay on the host of `base`.
    static bool Parse(const QByteArray& xml, const QUrl& base, const QUrl& inside, MultiStatus* out,
                      QString* error);

    QList<Response> responses;
    QString syncToken;

    // The same scheme, host and port.
    static bool SameOrigin(const QUrl& a, const QUrl& b);
    // `url` is the collection itself or a resource directly or deeper inside it.
    static bool Inside(const QUrl& url, const QUrl& collection);
};
