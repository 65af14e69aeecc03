// SPDX-License-Identifier: GPL-3.0-or-later
// The sync's decisions and its defences, without a real server: three-way rules, hostile answers
// from a stand-in server, and which addresses may be used at all.
#include "core/sync/davdiscovery.h"
#include "core/sync/multistatus.h"
#include "core/sync/syncservice.h"
#include "core/system/commandline.h"
#include "support/synckit.h"

#include <QSignalSpy>
#include <QTcpServer>

using namespace SyncKit;

namespace {

// Answers every request with the canned answer for its method, one request a connection, and
// remembers the methods.
class StandIn : public QTcpServer
{
public:
    StandIn()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->property("done").toBool() && socket->peek(1 << 20).contains("\r\n\r\n")) {
                        socket->setProperty("done", true);
                        const QByteArray method = socket->readLine().split(' ').first();
                        QByteArray answer =
                            Answers.value(method, "HTTP/1.1 500 No\r\nContent-Length: 0\r\n\r\n");
                        socket->write(answer.insert(answer.indexOf("\r\n") + 2, "Connection: close\r\n"));
                        socket->disconnectFromHost();
                        Methods.append(method);
                    }
                });
            }
        });
    }
    QUrl Collection() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/cal/").arg(serverPort())); }

    QHash<QByteArray, QByteArray> Answers;
    QList<QByteArray> Methods;
};

QByteArray MultiStatusAnswer(const QByteArray& xml)
{
    return "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: " +
           QByteArray::number(xml.size()) + "\r\n\r\n" + xml;
}

QByteArray Listing(const QByteArray& href)
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>" + href +
           "</d:href><d:propstat><d:prop><d:getetag>\"2\"</d:getetag></d:prop><d:status>HTTP/1.1 200 OK"
           "</d:status></d:propstat></d:response><d:sync-token>t2</d:sync-token></d:multistatus>";
}

} // namespace

class TestSyncRules : public QObject
{
    Q_OBJECT

private slots:
    void decisions_data();
    void decisions();
    void onlySafeAddresses();
    void hostileAnswersChangeNothing_data();
    void hostileAnswersChangeNothing();
    void listingRefused_data();
    void listingRefused();
    void discoveryReadsTheAnswer();
    void aChangeHereIsSentSoon();
    void noKeyringIsAnError();
    void theCommandLine_data();
    void theCommandLine();
};

void TestSyncRules::decisions_data()
{
    // One event synced as href a.ics, tag "1", content "h0". The local side now has `local`
    // (empty: deleted); the server reports it changed to `remote` (empty: not), or gone. What is
    // sent afterwards is checked against the real server.
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("remote");
    QTest::addColumn<bool>("gone");
    QTest::addColumn<QString>("pull");
    // clang-format off
    QTest::newRow("nothing") << "h0" << "" << false << "";
    QTest::newRow("changed here") << "h1" << "" << false << "";
    QTest::newRow("deleted here") << "" << "" << false << "";
    QTest::newRow("changed there") << "h0" << "h2" << false << "replace";
    QTest::newRow("changed on both") << "h1" << "h2" << false << "copy,replace";
    QTest::newRow("same change on both") << "h2" << "h2" << false << "record";
    QTest::newRow("own write back") << "h0" << "h0" << false << "record";
    QTest::newRow("deleted here, changed there") << "" << "h2" << false << "add";
    QTest::newRow("gone there") << "h0" << "" << true << "remove,forget";
    QTest::newRow("gone there, changed here") << "h1" << "" << true << "forget";
    QTest::newRow("gone on both") << "" << "" << true << "forget";
    // clang-format on
}

void TestSyncRules::decisions()
{
    QFETCH(QString, local);
    QFETCH(QString, remote);
    QFETCH(bool, gone);
    QFETCH(QString, pull);
    SyncState state;
    state.entries.append({QStringLiteral("e1"), QStringLiteral("u1"), QStringLiteral("/cal/a.ics"),
                          QStringLiteral("1"), QStringLiteral("h0")});
    const QList<SyncPlan::Local> locals =
        local.isEmpty() ? QList<SyncPlan::Local>{} : QList<SyncPlan::Local>{{QStringLiteral("e1"), local}};
    QList<SyncPlan::Remote> changed;
    if (!remote.isEmpty()) {
        changed.append({QStringLiteral("/cal/a.ics"), QStringLiteral("2"), true, {}, {}, remote});
    }
    QSet<QString> goneHrefs;
    if (gone) {
        goneHrefs.insert(QStringLiteral("/cal/a.ics"));
    }
    const SyncPlan::Pull decided = SyncPlan::Decide(state, locals, changed, goneHrefs, {});
    const QStringList names{"add", "replace", "remove", "copy", "record", "forget", "foreign"};
    QStringList got;
    for (const SyncPlan::Action& a : decided.actions) {
        got.append(names.at(int(a.kind)));
    }
    QCOMPARE(got.join(QLatin1Char(',')), pull);
}

void TestSyncRules::onlySafeAddresses()
{
    for (const char* url : {"https://dav.example.org/cal/", "http://127.0.0.1:5232/", "http://[::1]:5232/",
                            "http://localhost/"}) {
        QVERIFY2(DavClient::Allowed(QUrl(QString::fromLatin1(url))), url);
    }
    for (const char* url :
         {"http://dav.example.org/", "http://192.168.1.2/", "file:///etc/passwd", "https:///cal/"}) {
        QVERIFY2(!DavClient::Allowed(QUrl(QString::fromLatin1(url))), url);
    }
}

void TestSyncRules::hostileAnswersChangeNothing_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QByteArray>("get");
    QTest::addColumn<QString>("message");
    const QByteArray fine = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
    const QByteArray chunk = "1000000\r\n" + QByteArray(0x1000000, ' ') + "\r\n";
    // clang-format off
    QTest::newRow("1 GB listing") << QByteArray("HTTP/1.1 207 Multi-Status\r\nContent-Length: 1073741824\r\n\r\n<d:")
                                  << fine << "too large";
    QTest::newRow("1 GB listing, no length")
        << "HTTP/1.1 207 Multi-Status\r\nTransfer-Encoding: chunked\r\n\r\n" + chunk + chunk << fine << "too large";
    QTest::newRow("1 GB event") << MultiStatusAnswer(Listing("/cal/b.ics"))
                                << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1073741824\r\n\r\nBEGIN") << "too large";
    QTest::newRow("malformed") << MultiStatusAnswer("<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>") << fine
                               << "not well-formed";
    QTest::newRow("not a listing") << MultiStatusAnswer("<html><body>hello</body></html>") << fine << "not a WebDAV";
    QTest::newRow("other host") << MultiStatusAnswer(Listing("http://evil.example.org/cal/b.ics")) << fine
                                << "another server";
    QTest::newRow("outside") << MultiStatusAnswer(Listing("/other/b.ics")) << fine << "outside";
    QTest::newRow("climbing out") << MultiStatusAnswer(Listing("/cal/%2e%2e/other/b.ics")) << fine << "outside";
    QTest::newRow("entities") << MultiStatusAnswer("<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY a \"aaaa\">"
                                                   "<!ENTITY b \"&a;&a;&a;&a;\">]><d:multistatus xmlns:d=\"DAV:\">&b;"
                                                   "</d:multistatus>") << fine << "document type";
    // clang-format on
}

void TestSyncRules::hostileAnswersChangeNothing()
{
    QFETCH(QByteArray, report);
    QFETCH(QByteArray, get);
    QFETCH(QString, message);
    StandIn server;
    server.Answers.insert("REPORT", report);
    server.Answers.insert("GET", get);
    Computer computer(server.Collection());
    const QString id = computer.AddEvent(QStringLiteral("Kept"));
    computer.State.token = QStringLiteral("t1");
    SyncSession probe(nullptr, &computer.Side, nullptr, nullptr, QString());
    computer.State.entries.append({id, QStringLiteral("u"), QStringLiteral("/cal/a.ics"),
                                   QStringLiteral("\"1\""), probe.Locals().first().hash});
    const SyncResult r = computer.Sync(false, 10000);
    QVERIFY(r.outcome != SyncResult::Outcome::Synced);
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(computer.Titles(), QStringList{QStringLiteral("Kept")});
    QCOMPARE(computer.State.token, QStringLiteral("t1"));
    QCOMPARE(computer.State.entries.size(), 1);
    QVERIFY(!server.Methods.contains("PUT") && !server.Methods.contains("DELETE"));
}

void TestSyncRules::listingRefused_data()
{
    // A refused listing: with a token, a client error means the token is stale (list again
    // without); otherwise a plain listing may still work. A PROPFIND the stand-in fails ends it.
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("token");
    QTest::addColumn<QString>("methods");
    QTest::addColumn<int>("outcome");
    const int offline = int(SyncResult::Outcome::Offline), refused = int(SyncResult::Outcome::Refused);
    // clang-format off
    QTest::newRow("stale token") << 400 << true << "REPORT,REPORT,PROPFIND" << offline;
    QTest::newRow("no sync-collection") << 400 << false << "REPORT,PROPFIND" << offline;
    QTest::newRow("server error, token") << 501 << true << "REPORT,PROPFIND" << offline;
    QTest::newRow("no calendar") << 404 << true << "REPORT,REPORT" << refused;
    QTest::newRow("no such status") << 600 << false << "REPORT" << offline;
    QTest::newRow("password") << 401 << true << "REPORT" << refused;
    // clang-format on
}

void TestSyncRules::listingRefused()
{
    QFETCH(int, status);
    QFETCH(bool, token);
    QFETCH(QString, methods);
    QFETCH(int, outcome);
    StandIn server;
    server.Answers.insert("REPORT",
                          "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: 0\r\n\r\n");
    Computer computer(server.Collection());
    computer.AddEvent(QStringLiteral("Kept"));
    computer.State.token = token ? QStringLiteral("t1") : QString();
    QCOMPARE(int(computer.Sync(false, 10000).outcome), outcome);
    QCOMPARE(server.Methods.join(','), methods.toLatin1());
    QCOMPARE(computer.Titles(), QStringList{QStringLiteral("Kept")});
}

void TestSyncRules::discoveryReadsTheAnswer()
{
    const QByteArray xml =
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:response><d:href>/cal/tasks/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/"
        "><c:calendar/>"
        "</d:resourcetype><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
        "</c:supported-calendar-component-set><d:displayname>Tasks</d:displayname></d:prop>"
        "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
        "<d:response><d:href>/cal/home/</d:href><d:propstat><d:prop><d:resourcetype><c:calendar/></"
        "d:resourcetype>"
        "<c:supported-calendar-component-set><c:comp name=\"VTODO\"/><c:comp name=\"VEVENT\"/>"
        "</c:supported-calendar-component-set></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
        "</d:response><d:response><d:href>/cal/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status>"
        "</d:response></d:multistatus>";
    const QUrl base(QStringLiteral("http://127.0.0.1/cal/"));
    MultiStatus answer;
    QString error;
    QVERIFY2(MultiStatus::Parse(xml, base, base, &answer, &error), qPrintable(error));
    QCOMPARE(answer.responses.size(), 3);
    const MultiStatus::Response &tasks = answer.responses.at(0), &home = answer.responses.at(1);
    QVERIFY(tasks.collection && tasks.calendar && !tasks.eventsAllowed);
    QCOMPARE(tasks.displayName, QStringLiteral("Tasks"));
    QVERIFY(!home.collection && home.calendar && home.eventsAllowed);
    QCOMPARE(answer.responses.at(2).status, 404);

    // An address that is no calendar: the server's well-known address is asked next.
    StandIn server;
    server.Answers.insert("PROPFIND", "HTTP/1.1 404 No\r\nContent-Length: 0\r\n\r\n");
    DavClient client;
    DavDiscovery discovery(&client);
    QSignalSpy found(&discovery, &DavDiscovery::found);
    discovery.Find(server.Collection());
    QVERIFY(found.wait(10000));
    QVERIFY(!found.first().first().toBool());
    QCOMPARE(server.Methods, (QList<QByteArray>{"PROPFIND", "PROPFIND"}));
}

void TestSyncRules::aChangeHereIsSentSoon()
{
    StandIn server;
    server.Answers.insert("REPORT",
                          MultiStatusAnswer("<d:multistatus xmlns:d=\"DAV:\"><d:sync-token>t</d:sync-token>"
                                            "</d:multistatus>"));
    server.Answers.insert("PUT", "HTTP/1.1 201 Created\r\nContent-Length: 0\r\n\r\n");
    Computer computer(server.Collection());
    SyncService service(&computer.Side, &computer.Codec, computer.StatePath);
    QVERIFY(service.Configure(server.Collection(), QStringLiteral("alice")));
    service.SetPassword(QStringLiteral("secret"));
    QSignalSpy finished(&service, &SyncService::finished);
    // The second change comes while the next regular sync is minutes away.
    for (const char* title : {"First", "Second"}) {
        computer.AddEvent(QString::fromLatin1(title));
        service.LocalChanged();
        QVERIFY(finished.wait(SyncService::AfterChangeMs + 5000));
        QCOMPARE(int(finished.last().first().value<SyncResult>().outcome), int(SyncResult::Outcome::Synced));
    }
    QCOMPARE(server.Methods.count("PUT"), 2);
}

void TestSyncRules::noKeyringIsAnError()
{
    // Told apart from a keyring that holds no password, which would sync without one.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DISPLAY");
    std::optional<bool> ok;
    QString error;
    KeychainKeeper().Read(QStringLiteral("alice@example.org"), [&](bool k, const QString&, const QString& e) {
        ok = k;
        error = e;
    });
    QTRY_VERIFY_WITH_TIMEOUT(ok.has_value(), 10000);
    QVERIFY2(!*ok && !error.isEmpty(), qPrintable(error));
}

void TestSyncRules::theCommandLine_data()
{
    // None of these reads the password: each is settled before.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("command");
    // clang-format off
    QTest::newRow("sync") << QStringList{"--sync"} << int(CommandLine::Run) << "sync";
    QTest::newRow("Qt's -sync is ours") << QStringList{"-sync"} << int(CommandLine::Run) << "sync";
    QTest::newRow("no user") << QStringList{"--sync-to", "https://dav.example.org/"} << 2 << "";
    QTest::newRow("plain http elsewhere") << QStringList{"--sync-to", "http://dav.example.org/", "--user", "bob"} << 2 << "";
    QTest::newRow("user alone") << QStringList{"--sync", "--user", "bob"} << 2 << "";
    // clang-format on
}

void TestSyncRules::theCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, command);
    QString printed;
    QTextStream out(&printed), err(&printed);
    QVariantMap request;
    QCOMPARE(CommandLine::Answer(QStringList{"pennibell"} + arguments, out, err, &request), status);
    QCOMPARE(request.value(QStringLiteral("command")).toString(), command);
    QCOMPARE(CommandLine::IsSync(request), !command.isEmpty());
}

QTEST_GUILESS_MAIN(TestSyncRules)
#include "testsyncrules.moc"
