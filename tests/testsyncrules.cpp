// SPDX-License-Identifier: GPL-3.0-or-later
// The sync's decisions and its defences, without a real server: three-way rules, hostile answers
// from a stand-in server, and which addresses may be used at all.
#include "core/sync/multistatus.h"
#include "support/synckit.h"

#include <QTcpServer>

using namespace SyncKit;

namespace {

// Answers every request with the canned answer for its method and remembers the methods.
class StandIn : public QObject
{
public:
    StandIn()
    {
        Server.listen(QHostAddress::LocalHost, 0);
        connect(&Server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = Server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
            }
        });
    }
    QUrl Collection() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/cal/").arg(Server.serverPort()));
    }

    QHash<QByteArray, QByteArray> Answers;
    QList<QByteArray> Methods;

private:
    void Read(QTcpSocket* socket)
    {
        QByteArray& got = Buffers[socket];
        got += socket->readAll();
        const int end = got.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        const QByteArray method = got.left(got.indexOf(' '));
        const int lengthAt = got.toLower().indexOf("content-length:");
        const int length =
            lengthAt >= 0 && lengthAt < end
                ? got.mid(lengthAt + 15, got.indexOf("\r\n", lengthAt) - lengthAt - 15).trimmed().toInt()
                : 0;
        if (got.size() < end + 4 + length) {
            return;
        }
        got.remove(0, end + 4 + length);
        Methods.append(method);
        socket->write(Answers.value(method, "HTTP/1.1 500 No\r\nContent-Length: 0\r\n\r\n"));
    }

    QTcpServer Server;
    QHash<QTcpSocket*, QByteArray> Buffers;
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

SyncPlan::Remote Remote(const QString& href, const QString& etag, const QString& hash,
                        const QString& uid = {})
{
    SyncPlan::Remote r;
    r.href = href;
    r.etag = etag;
    r.hash = hash;
    r.uid = uid;
    return r;
}

} // namespace

class TestSyncRules : public QObject
{
    Q_OBJECT

private slots:
    void decisions_data();
    void decisions();
    void onlySafeAddresses_data();
    void onlySafeAddresses();
    void hostileAnswersChangeNothing_data();
    void hostileAnswersChangeNothing();
};

void TestSyncRules::decisions_data()
{
    // One event synced as href a.ics, tag "1", content "h0". The local side now has `local`
    // (empty: deleted); the server reports it changed to `remote` (empty: not), or gone.
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("remote");
    QTest::addColumn<bool>("gone");
    QTest::addColumn<QString>("pull");
    QTest::addColumn<QString>("push");
    // clang-format off
    QTest::newRow("nothing") << "h0" << "" << false << "" << "";
    QTest::newRow("changed here") << "h1" << "" << false << "" << "update";
    QTest::newRow("deleted here") << "" << "" << false << "" << "delete";
    QTest::newRow("changed there") << "h0" << "h2" << false << "replace" << "";
    QTest::newRow("changed on both") << "h1" << "h2" << false << "copy,replace" << "";
    QTest::newRow("same change on both") << "h2" << "h2" << false << "record" << "";
    QTest::newRow("own write back") << "h0" << "h0" << false << "record" << "";
    QTest::newRow("deleted here, changed there") << "" << "h2" << false << "add" << "";
    QTest::newRow("gone there") << "h0" << "" << true << "remove,forget" << "";
    QTest::newRow("gone there, changed here") << "h1" << "" << true << "forget" << "create";
    QTest::newRow("gone on both") << "" << "" << true << "forget" << "";
    // clang-format on
}

void TestSyncRules::decisions()
{
    QFETCH(QString, local);
    QFETCH(QString, remote);
    QFETCH(bool, gone);
    QFETCH(QString, pull);
    QFETCH(QString, push);
    SyncState state;
    state.entries.append({QStringLiteral("e1"), QStringLiteral("u1"), QStringLiteral("/cal/a.ics"),
                          QStringLiteral("1"), QStringLiteral("h0")});
    const QList<SyncPlan::Local> locals =
        local.isEmpty() ? QList<SyncPlan::Local>{} : QList<SyncPlan::Local>{{QStringLiteral("e1"), local}};
    QList<SyncPlan::Remote> changed;
    if (!remote.isEmpty()) {
        changed.append(Remote(QStringLiteral("/cal/a.ics"), QStringLiteral("2"), remote));
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

    // The pushes that follow once the pull is applied as the session applies it.
    for (const SyncPlan::Action& a : decided.actions) {
        if (a.kind == SyncPlan::Kind::Forget || a.kind == SyncPlan::Kind::PullRemove) {
            state.DropLocal(a.localId);
        } else if (a.kind != SyncPlan::Kind::KeepCopy) {
            state.Put({a.localId, {}, QStringLiteral("/cal/a.ics"), QStringLiteral("2"), remote});
        }
    }
    QList<SyncPlan::Local> after = locals;
    if (pull.contains(QLatin1String("replace")) || pull.contains(QLatin1String("add"))) {
        after = {{QStringLiteral("e1"), remote}};
    }
    if (pull.contains(QLatin1String("remove"))) {
        after.clear();
    }
    const QStringList kinds{"create", "update", "delete"};
    QStringList pushes;
    for (const SyncPlan::Push& p : SyncPlan::Pushes(state, after, decided.held)) {
        pushes.append(kinds.at(int(p.kind)));
    }
    QCOMPARE(pushes.join(QLatin1Char(',')), push);
}

void TestSyncRules::onlySafeAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("https") << "https://dav.example.org/cal/" << true;
    QTest::newRow("http here") << "http://127.0.0.1:5232/" << true;
    QTest::newRow("http here v6") << "http://[::1]:5232/" << true;
    QTest::newRow("http localhost") << "http://localhost/" << true;
    QTest::newRow("http elsewhere") << "http://dav.example.org/" << false;
    QTest::newRow("http private net") << "http://192.168.1.2/" << false;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("no host") << "https:///cal/" << false;
}

void TestSyncRules::onlySafeAddresses()
{
    QFETCH(QString, url);
    QFETCH(bool, allowed);
    QCOMPARE(DavClient::Allowed(QUrl(url)), allowed);
}

void TestSyncRules::hostileAnswersChangeNothing_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QByteArray>("get");
    QTest::addColumn<QString>("message");
    const QByteArray fine = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
    QTest::newRow("1 GB listing") << QByteArray(
                                         "HTTP/1.1 207 Multi-Status\r\nContent-Length: 1073741824\r\n\r\n<d:")
                                  << fine << "too large";
    QTest::newRow("1 GB listing, no length")
        << QByteArray("HTTP/1.1 207 Multi-Status\r\nTransfer-Encoding: chunked\r\n\r\n") +
               QByteArray("1000000\r\n") + QByteArray(0x1000000, ' ') + "\r\n1000000\r\n" +
               QByteArray(0x1000000, ' ') + "\r\n"
        << fine << "too large";
    QTest::newRow("1 GB event") << MultiStatusAnswer(Listing("/cal/b.ics"))
                                << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1073741824\r\n\r\nBEGIN")
                                << "too large";
    QTest::newRow("malformed") << MultiStatusAnswer("<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>")
                               << fine << "not well-formed";
    QTest::newRow("not a listing") << MultiStatusAnswer("<html><body>hello</body></html>") << fine
                                   << "not a WebDAV";
    QTest::newRow("other host") << MultiStatusAnswer(Listing("http://evil.example.org/cal/b.ics")) << fine
                                << "another server";
    QTest::newRow("outside") << MultiStatusAnswer(Listing("/other/b.ics")) << fine << "outside";
    QTest::newRow("climbing out") << MultiStatusAnswer(Listing("/cal/%2e%2e/other/b.ics")) << fine
                                  << "outside";
    QTest::newRow("entities") << MultiStatusAnswer("<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY a \"aaaa\">"
                                                   "<!ENTITY b \"&a;&a;&a;&a;\">]><d:multistatus "
                                                   "xmlns:d=\"DAV:\">&b;</d:multistatus>")
                              << fine << "document type";
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
    QElapsedTimer clock;
    clock.start();
    const SyncResult r = computer.Sync();
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(r.outcome != SyncResult::Outcome::Synced);
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(computer.Titles(), QStringList{QStringLiteral("Kept")});
    QCOMPARE(computer.State.token, QStringLiteral("t1"));
    QCOMPARE(computer.State.entries.size(), 1);
    QVERIFY(!server.Methods.contains("PUT") && !server.Methods.contains("DELETE"));
}

QTEST_GUILESS_MAIN(TestSyncRules)
#include "testsyncrules.moc"
