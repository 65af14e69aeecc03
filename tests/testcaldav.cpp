// SPDX-License-Identifier: GPL-3.0-or-later
// Two computers syncing through a real Radicale server.
#include "core/sync/synccommand.h"
#include "support/synckit.h"

using namespace SyncKit;

class TestCalDav : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void eventsArriveExactly();
    void twoComputers_data();
    void twoComputers();
    void whatCannotBeRepresentedStaysOnTheServer();
    void aServerStoppedMidSyncLosesAndDoublesNothing();
    void theCommandLineSetsUpAndSyncs();

private:
    // A started server with the calendar "Pennibell".
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
    Computer maker(Made = Server->Url(QStringLiteral("alice/pennibell/")));
    int status = 0;
    maker.Client.Send("MKCALENDAR", Made, {}, {}, 65536, [&](const DavReply& r) { status = r.status; });
    return QTest::qWaitFor([&] { return status != 0; }, 10000) && status == 201 ? Made : QUrl();
}

int TestCalDav::ServerCount()
{
    Computer probe(Made);
    return probe.Sync(true).outcome == SyncResult::Outcome::Synced ? int(probe.Titles().size()) : -1;
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
    QVERIFY(reread.Load(work.StatePath) && reread.token == work.State.token);
    QCOMPARE(reread.entries.size(), EffectCodes::RowCount);
}

void TestCalDav::twoComputers_data()
{
    // Both start with A, B and C synced; then each changes its own ("edit X=new", "del X", "add X"),
    // and they sync work, home, work, home. A sync that would delete more than half of the events
    // asks first (`asks`: how many), and goes on when allowed.
    QTest::addColumn<QStringList>("onWork");
    QTest::addColumn<QStringList>("onHome");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("asks");
    const QString copy = QStringLiteral(" (changed on this computer)");
    // clang-format off
    QTest::newRow("added") << QStringList{"add D"} << QStringList{"add E"} << QStringList{"A", "B", "C", "D", "E"} << 0;
    QTest::newRow("edited") << QStringList{"edit A=A1"} << QStringList{"edit B=B1"} << QStringList{"A1", "B1", "C"} << 0;
    QTest::newRow("edited on both") << QStringList{"edit A=A1"} << QStringList{"edit A=A2"}
                                    << QStringList{"A1", "A2" + copy, "B", "C"} << 0;
    QTest::newRow("deleted") << QStringList{"del A"} << QStringList{"del B"} << QStringList{"C"} << 0;
    QTest::newRow("deleted on both") << QStringList{"del A"} << QStringList{"del A"} << QStringList{"B", "C"} << 0;
    QTest::newRow("edited there, deleted here") << QStringList{"edit A=A1"} << QStringList{"del A"}
                                                << QStringList{"A1", "B", "C"} << 0;
    QTest::newRow("deleted there, edited here") << QStringList{"del A"} << QStringList{"edit A=A2"}
                                                << QStringList{"A2", "B", "C"} << 0;
    QTest::newRow("most deleted") << QStringList{"del A", "del B"} << QStringList{} << QStringList{"C"} << 2;
    // clang-format on
}

void TestCalDav::twoComputers()
{
    QFETCH(QStringList, onWork);
    QFETCH(QStringList, onHome);
    QFETCH(QStringList, titles);
    QFETCH(int, asks);
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
                computer->Remove(what);
            } else {
                computer->Retitle(what, step.section(QLatin1Char('='), 1));
            }
        }
    }
    for (Computer* c : {&work, &home, &work, &home}) {
        SyncResult r = c->Sync();
        if (r.outcome == SyncResult::Outcome::AskFirst) {
            QCOMPARE(r.removals, std::exchange(asks, 0));
            QCOMPARE(c->Titles().size(), 3);
            r = c->Sync(true);
        }
        QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Synced));
    }
    QCOMPARE(asks, 0);
    QCOMPARE(work.Titles(), titles);
    QCOMPARE(home.Titles(), titles);
    QCOMPARE(ServerCount(), titles.size());
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
    const auto setUp = [&](PasswordKeeper& k, const QUrl& url, const char* password) {
        output.clear();
        errors.clear();
        return SyncCommand::SetUp(here.Side, here.Codec, k, url, QStringLiteral("alice"),
                                  QString::fromLatin1(password), out, err, here.StatePath);
    };
    QCOMPARE(setUp(keeper, Server->Url(), "wrong"), 1);
    QVERIFY2(errors.contains(QLatin1String("password")), qPrintable(errors));
    // The server's address: the calendar "Pennibell" is found through discovery, made and used.
    QCOMPARE(setUp(keeper, Server->Url(), "secret"), 0);
    QVERIFY2(output.contains(QLatin1String("Created")) && output.contains(QLatin1String("1 sent")),
             qPrintable(output + errors));
    QCOMPARE(keeper.Kept.value(QStringLiteral("alice@127.0.0.1")), QStringLiteral("secret"));
    QVERIFY(!TestEnv::readAll(here.StatePath).contains("secret"));
    // `--sync` reads the password back from the keyring.
    here.AddEvent(QStringLiteral("Second"));
    QCOMPARE(SyncCommand::SyncOnce(here.Side, here.Codec, keeper, out, err, here.StatePath), 0);
    QVERIFY2(output.contains(QLatin1String("1 sent")), qPrintable(output + errors));
    Made = Server->Url(QStringLiteral("alice/pennibell/"));
    QCOMPARE(here.State.Load(here.StatePath) ? here.State.collection : QUrl(), Made);
    QCOMPARE(here.State.entries.size(), 2); // kept for the next run
    QCOMPARE(ServerCount(), 2);
    // The calendar's own address; without a keyring it says so and syncs now, later runs cannot.
    QCOMPARE(setUp(none, Made, "secret"), 0);
    QVERIFY2(errors.contains(QLatin1String("keyring")) && !output.contains(QLatin1String("Created")),
             qPrintable(output + errors));
    QCOMPARE(SyncCommand::SyncOnce(here.Side, here.Codec, none, out, err, here.StatePath), 1);
    // A cron job learns from the status alone that the server was away.
    Server->Stop();
    QCOMPARE(SyncCommand::SyncOnce(here.Side, here.Codec, keeper, out, err, here.StatePath), 1);
}

QTEST_GUILESS_MAIN(TestCalDav)
#include "testcaldav.moc"
