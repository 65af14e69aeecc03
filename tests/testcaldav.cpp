// SPDX-License-Identifier: GPL-3.0-or-later
// Two computers syncing through a real Radicale server.
#include "core/sync/davdiscovery.h"
#include "core/sync/synccommand.h"
#include "support/synckit.h"

#include <QSignalSpy>

using namespace SyncKit;

class TestCalDav : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void discoveryFindsAndCreatesTheCalendar();
    void eventsArriveExactly();
    void twoComputers_data();
    void twoComputers();
    void aWipedCalendarAsksFirst();
    void whatCannotBeRepresentedStaysOnTheServer();
    void aServerStoppedMidSyncLosesAndDoublesNothing();
    void theCommandLineSetsUpAndSyncs();

private:
    // A started server with the calendar "Pennibell", made through discovery.
    QUrl Calendar();
    int ServerCount();

    std::unique_ptr<Radicale> Server;
    QUrl Made;
};

void TestCalDav::init()
{
    if (Radicale::Program().isEmpty()) {
        QSKIP("radicale is not installed");
    }
    Server = std::make_unique<Radicale>();
    QVERIFY(Server->Start());
}

QUrl TestCalDav::Calendar()
{
    DavClient client;
    client.SetCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
    DavDiscovery discovery(&client);
    QSignalSpy found(&discovery, &DavDiscovery::found);
    QSignalSpy created(&discovery, &DavDiscovery::created);
    discovery.Find(Server->Url());
    if (found.wait(10000) && found.at(0).at(0).toBool()) {
        discovery.Create();
        created.wait(10000);
    }
    Made = created.isEmpty() ? QUrl() : created.at(0).at(1).toUrl();
    return Made;
}

int TestCalDav::ServerCount()
{
    Computer probe(Made);
    const SyncResult r = probe.Sync(true);
    return r.outcome == SyncResult::Outcome::Synced ? probe.Count() : -1;
}

void TestCalDav::discoveryFindsAndCreatesTheCalendar()
{
    const QUrl calendar = Calendar();
    QCOMPARE(calendar, Server->Url(QStringLiteral("alice/pennibell/")));
    // Found again from the server's address and from the calendar's own; a wrong password is said so.
    for (const auto& [address, password] : {std::pair{Server->Url(), "secret"}, std::pair{calendar, "secret"},
                                            std::pair{Server->Url(), "wrong"}}) {
        DavClient client;
        client.SetCredentials(QStringLiteral("alice"), QString::fromLatin1(password));
        DavDiscovery discovery(&client);
        QSignalSpy found(&discovery, &DavDiscovery::found);
        discovery.Find(address);
        QVERIFY(found.wait(10000));
        const bool right = qstrcmp(password, "secret") == 0;
        QCOMPARE(found.at(0).at(0).toBool(), right);
        QCOMPARE(found.at(0).at(1).toString().contains(QLatin1String("password")), !right);
        QCOMPARE(discovery.Calendars().size(), right ? 1 : 0);
        QVERIFY(!right || discovery.Calendars().first().url == calendar);
    }
}

void TestCalDav::eventsArriveExactly()
{
    Computer work(Calendar()), home(Made);
    // Every effect (Radicale rewrites the properties it does not know), and a title that needs
    // iCalendar's escapes.
    for (int row = 0; row < EffectCodes::RowCount; ++row) {
        work.AddEvent(QStringLiteral("%1: a, b; c\\d\ne").arg(row, 2, 10, QLatin1Char('0')), Qt::blue,
                      {64, 48}, row);
    }
    QCOMPARE(work.Sync().sent, EffectCodes::RowCount);
    QCOMPARE(home.Sync().added, EffectCodes::RowCount);
    QCOMPARE(home.Titles(), work.Titles());
    for (const AffairInfo& sent : work.Side.Events()) {
        const std::optional<AffairInfo> got = home.ByTitle(sent.GetAffairTitle());
        QVERIFY(got);
        QCOMPARE(got->GetEffect(), sent.GetEffect());
        QCOMPARE(got->GetPeriod().day, 1);
        QCOMPARE(got->GetUserDateTime(), sent.GetUserDateTime());
        QCOMPARE(home.Picture(*got), work.Picture(sent).convertToFormat(home.Picture(*got).format()));
    }
    // Nothing changed: one request each, and nothing travels.
    for (Computer* c : {&work, &home}) {
        const SyncResult r = c->Sync();
        QCOMPARE(r.requests, 1);
        QCOMPARE(r.added + r.changed + r.removed + r.sent, 0);
    }
    // A new picture reaches the other computer in place; the state survives a restart.
    const AffairInfo first = *home.ByTitle(home.Titles().first());
    QImage picture = home.Picture(first);
    picture.setPixelColor(20, 20, Qt::red);
    home.Enter();
    QVERIFY(home.Side.Replace(first.GetAffairID(), first, picture, nullptr));
    QCOMPARE(home.Sync().sent, 1);
    QCOMPARE(work.Sync().changed, 1);
    QCOMPARE(work.Picture(*work.ByTitle(first.GetAffairTitle())).pixelColor(20, 20), QColor(Qt::red));
    SyncState reread;
    QVERIFY(reread.Load(work.StatePath));
    QCOMPARE(reread.entries.size(), EffectCodes::RowCount);
    QCOMPARE(reread.token, work.State.token);
}

void TestCalDav::twoComputers_data()
{
    // Both start with A, B and C synced; then each changes its own ("edit X=new", "del X", "add X"),
    // and they sync work, home, work, home.
    QTest::addColumn<QStringList>("onWork");
    QTest::addColumn<QStringList>("onHome");
    QTest::addColumn<QStringList>("titles");
    const QString copy = QStringLiteral(" (changed on this computer)");
    QTest::newRow("added") << QStringList{"add D"} << QStringList{"add E"}
                           << QStringList{"A", "B", "C", "D", "E"};
    QTest::newRow("edited") << QStringList{"edit A=A1"} << QStringList{"edit B=B1"}
                            << QStringList{"A1", "B1", "C"};
    QTest::newRow("edited on both") << QStringList{"edit A=A1"} << QStringList{"edit A=A2"}
                                    << QStringList{"A1", "A2" + copy, "B", "C"};
    QTest::newRow("deleted") << QStringList{"del A"} << QStringList{"del B"} << QStringList{"C"};
    QTest::newRow("deleted on both") << QStringList{"del A"} << QStringList{"del A"} << QStringList{"B", "C"};
    QTest::newRow("edited there, deleted here")
        << QStringList{"edit A=A1"} << QStringList{"del A"} << QStringList{"A1", "B", "C"};
    QTest::newRow("deleted there, edited here")
        << QStringList{"del A"} << QStringList{"edit A=A2"} << QStringList{"A2", "B", "C"};
}

void TestCalDav::twoComputers()
{
    QFETCH(QStringList, onWork);
    QFETCH(QStringList, onHome);
    QFETCH(QStringList, titles);
    Computer work(Calendar()), home(Made);
    for (const char* title : {"A", "B", "C"}) {
        work.AddEvent(QString::fromLatin1(title));
    }
    QCOMPARE(work.Sync().sent, 3);
    QCOMPARE(home.Sync().added, 3);
    for (auto [computer, steps] : {std::pair{&work, onWork}, std::pair{&home, onHome}}) {
        for (const QString& step : steps) {
            const QString what = step.section(QLatin1Char(' '), 1).section(QLatin1Char('='), 0, 0);
            if (step.startsWith(QLatin1String("add"))) {
                computer->AddEvent(what);
            } else if (step.startsWith(QLatin1String("del"))) {
                computer->Remove(computer->ByTitle(what)->GetAffairID());
            } else {
                computer->Retitle(computer->ByTitle(what)->GetAffairID(), step.section(QLatin1Char('='), 1));
            }
        }
    }
    for (Computer* c : {&work, &home, &work, &home}) {
        QCOMPARE(int(c->Sync().outcome), int(SyncResult::Outcome::Synced));
    }
    QCOMPARE(work.Titles(), titles);
    QCOMPARE(home.Titles(), titles);
    QCOMPARE(ServerCount(), titles.size());
}

void TestCalDav::aWipedCalendarAsksFirst()
{
    Computer work(Calendar()), home(Made);
    for (int i = 0; i < 4; ++i) {
        work.AddEvent(QStringLiteral("Event %1").arg(i));
    }
    work.Sync();
    home.Sync();
    for (int i = 0; i < 3; ++i) {
        home.Remove(home.Side.Events().first().GetAffairID());
    }
    home.Sync();
    SyncResult r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::AskFirst));
    QCOMPARE(r.removals, 3);
    QCOMPARE(work.Count(), 4);
    QCOMPARE(work.Sync(true).removed, 3);
    QCOMPARE(work.Count(), 1);
}

void TestCalDav::whatCannotBeRepresentedStaysOnTheServer()
{
    Computer work(Calendar());
    const QByteArray weekdays =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:weekdays\r\n"
        "DTSTAMP:20240101T000000Z\r\nDTSTART:20300101T090000\r\nSUMMARY:Standup\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    int stored = 0;
    work.Client.Send("PUT", Made.resolved(QUrl(QStringLiteral("weekdays.ics"))),
                     {{"Content-Type", "text/calendar"}}, weekdays, 4096,
                     [&stored](const DavReply& reply) { stored = reply.status; });
    QTRY_COMPARE_WITH_TIMEOUT(stored, 201, 10000);
    work.AddEvent(QStringLiteral("Mine"));
    // Listed again at every full listing, and never touched.
    for (int round = 0; round < 2; ++round) {
        work.State.token.clear();
        QCOMPARE(int(work.Sync().outcome), int(SyncResult::Outcome::Synced));
        QCOMPARE(work.Titles(), QStringList{QStringLiteral("Mine")});
        QCOMPARE(work.State.foreign.size(), 1);
        QVERIFY(!work.State.foreign.first().reason.isEmpty());
    }
    QCOMPARE(ServerCount(), 1);
}

void TestCalDav::aServerStoppedMidSyncLosesAndDoublesNothing()
{
    Computer work(Calendar());
    for (int i = 0; i < 40; ++i) {
        work.AddEvent(QStringLiteral("Event %1").arg(i, 2, 10, QLatin1Char('0')));
    }
    // The server goes away after a few of the writes.
    QTimer watch;
    watch.callOnTimeout([&] {
        if (work.Client.Sent() >= 12) {
            Server->Stop();
            watch.stop();
        }
    });
    watch.start(1);
    SyncResult r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Offline));
    QVERIFY(r.waiting > 0);
    QCOMPARE(r.waiting + r.sent, 40);

    QVERIFY(Server->Start());
    QCOMPARE(int(work.Sync().outcome), int(SyncResult::Outcome::Synced));
    QCOMPARE(work.Count(), 40);
    Computer home(Made);
    home.Sync();
    QCOMPARE(home.Titles(), work.Titles());
    QCOMPARE(ServerCount(), 40);
}

void TestCalDav::theCommandLineSetsUpAndSyncs()
{
    Computer here(QUrl{});
    here.AddEvent(QStringLiteral("From the shell"));
    KeeperDouble keeper, none;
    none.broken = true;
    QString output, errors;
    QTextStream out(&output), err(&errors);
    const QString password = QStringLiteral("secret");
    // The server's address: the calendar "Pennibell" is made and used.
    QCOMPARE(SyncCommand::SetUp(here.Side, here.Codec, keeper, Server->Url(), QStringLiteral("alice"),
                                password, out, err, here.StatePath),
             0);
    QVERIFY2(output.contains(QLatin1String("Synced")), qPrintable(output + errors));
    QCOMPARE(keeper.Kept.value(QStringLiteral("alice@127.0.0.1")), password);
    QVERIFY(!TestEnv::readAll(here.StatePath).contains("secret"));

    // `--sync` reads the password back from the keyring.
    here.AddEvent(QStringLiteral("Second"));
    output.clear();
    QCOMPARE(SyncCommand::SyncOnce(here.Side, here.Codec, keeper, out, err, here.StatePath), 0);
    QVERIFY2(output.contains(QLatin1String("1 sent")), qPrintable(output + errors));
    Made = Server->Url(QStringLiteral("alice/pennibell/"));
    QCOMPARE(ServerCount(), 2);

    // Without a keyring it says so and still syncs now; later runs cannot.
    errors.clear();
    QCOMPARE(SyncCommand::SetUp(here.Side, here.Codec, none, Server->Url(), QStringLiteral("alice"), password,
                                out, err, here.StatePath),
             0);
    QVERIFY(errors.contains(QLatin1String("keyring")));
    QCOMPARE(SyncCommand::SyncOnce(here.Side, here.Codec, none, out, err, here.StatePath), 1);
}

QTEST_GUILESS_MAIN(TestCalDav)
#include "testcaldav.moc"
