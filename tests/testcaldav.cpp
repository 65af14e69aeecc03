// SPDX-License-Identifier: GPL-3.0-or-later
// Two computers syncing through a real Radicale server.
#include "core/events/reminderbook.h"
#include "core/sync/booksync.h"
#include "core/sync/davdiscovery.h"
#include "core/sync/synccommand.h"
#include "support/synckit.h"

#include <QSignalSpy>

using namespace SyncKit;

namespace {
QByteArray TestEnvRead(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestCalDav : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void discoveryFindsAndCreatesTheCalendar();
    void eventsTravelBothWays();
    void changesOnBothSidesAreBothKept();
    void aWipedCalendarAsksFirst();
    void whatCannotBeRepresentedStaysOnTheServer();
    void aServerStoppedMidSyncLosesAndDoublesNothing();
    void theCommandLineSetsUpAndSyncs();
    void theReminderBookSyncsWithItsPictures();

private:
    QUrl MakeCalendar(Radicale& server);
    int ServerCount(Radicale& server, const QUrl& calendar);
};

void TestCalDav::initTestCase()
{
    if (Radicale::Program().isEmpty()) {
        QSKIP("radicale is not installed");
    }
}

QUrl TestCalDav::MakeCalendar(Radicale& server)
{
    DavClient client;
    client.SetCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
    DavDiscovery discovery(&client);
    QSignalSpy found(&discovery, &DavDiscovery::found);
    discovery.Find(server.Url());
    if (!found.wait(10000) || !found.at(0).at(0).toBool()) {
        return {};
    }
    QSignalSpy created(&discovery, &DavDiscovery::created);
    discovery.Create();
    if (!created.wait(10000) || !created.at(0).at(0).toBool()) {
        return {};
    }
    return created.at(0).at(1).toUrl();
}

int TestCalDav::ServerCount(Radicale& server, const QUrl& calendar)
{
    Q_UNUSED(server);
    Computer probe(QStringLiteral("probe"), calendar);
    const SyncResult r = probe.Sync(true);
    return r.outcome == SyncResult::Outcome::Synced ? int(probe.Book.List.size()) : -1;
}

void TestCalDav::discoveryFindsAndCreatesTheCalendar()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    QCOMPARE(calendar, server.Url(QStringLiteral("alice/pennibell/")));
    // Found again from the server's address, and from the calendar's own.
    for (const QUrl& address : {server.Url(), calendar}) {
        DavClient client;
        client.SetCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
        DavDiscovery discovery(&client);
        QSignalSpy found(&discovery, &DavDiscovery::found);
        discovery.Find(address);
        QVERIFY(found.wait(10000));
        QVERIFY2(found.at(0).at(0).toBool(), qPrintable(found.at(0).at(1).toString()));
        QCOMPARE(discovery.Calendars().size(), 1);
        QCOMPARE(discovery.Calendars().first().url, calendar);
        QCOMPARE(discovery.Calendars().first().name, QStringLiteral("Pennibell"));
    }
    // A wrong password is said so.
    DavClient client;
    client.SetCredentials(QStringLiteral("alice"), QStringLiteral("wrong"));
    DavDiscovery discovery(&client);
    QSignalSpy found(&discovery, &DavDiscovery::found);
    discovery.Find(server.Url());
    QVERIFY(found.wait(10000));
    QVERIFY(!found.at(0).at(0).toBool());
    QVERIFY(found.at(0).at(1).toString().contains(QLatin1String("password")));
}

void TestCalDav::eventsTravelBothWays()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    QVERIFY(!calendar.isEmpty());
    Computer work(QStringLiteral("w"), calendar);
    Computer home(QStringLiteral("h"), calendar);
    work.Book.AddEvent(QStringLiteral("Dentist, 3; floor\nB"), Qt::blue);
    work.Book.AddEvent(QStringLiteral("Call mother"));
    QCOMPARE(work.Sync().sent, 2);

    SyncResult r = home.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Synced));
    QCOMPARE(r.added, 2);
    QCOMPARE(home.Book.Titles(), work.Book.Titles());
    const AffairInfo dentist =
        home.Book.List.at(home.Book.List.at(0).GetAffairTitle().startsWith('D') ? 0 : 1);
    QCOMPARE(dentist.GetAffairTitle(), QStringLiteral("Dentist, 3; floor\nB"));
    QCOMPARE(dentist.GetPeriod().day, 1);
    QCOMPARE(dentist.GetEffect().direction, 2);
    QCOMPARE(home.Book.Picture(dentist).pixelColor(5, 5), QColor(Qt::blue));

    // Removed at home: gone at work too; nothing changed is one request with the token.
    QVERIFY(home.Book.Remove(dentist.GetAffairID(), nullptr));
    QCOMPARE(home.Sync().sent, 1);
    r = work.Sync();
    QCOMPARE(r.removed, 1);
    QCOMPARE(work.Book.Titles(), QStringList{QStringLiteral("Call mother")});
    r = work.Sync();
    QCOMPARE(r.requests, 1);
    QCOMPARE(r.added + r.changed + r.removed + r.sent, 0);

    // The state survives a restart of the program.
    SyncState reread;
    QVERIFY(reread.Load(work.StatePath));
    QCOMPARE(reread.entries.size(), 1);
    QCOMPARE(reread.token, work.State.token);
}

void TestCalDav::changesOnBothSidesAreBothKept()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    Computer work(QStringLiteral("w"), calendar);
    Computer home(QStringLiteral("h"), calendar);
    const QString id = work.Book.AddEvent(QStringLiteral("Meeting"));
    work.Sync();
    home.Sync();
    QCOMPARE(home.Book.List.size(), 1);

    auto retitle = [](MemoryBook& book, const QString& id, const QString& title) {
        AffairInfo r = *book.Find(id);
        const AffairPeriod p = r.GetPeriod();
        r.SetInfo(id, title, r.GetUserDateTime(), p.year, p.month, p.day, p.hour, p.minute);
        book.Replace(id, r, book.Picture(r), nullptr);
    };
    retitle(work.Book, id, QStringLiteral("Meeting at ten"));
    retitle(home.Book, home.Book.List.first().GetAffairID(), QStringLiteral("Meeting at eleven"));
    QCOMPARE(home.Sync().sent, 1);
    SyncResult r = work.Sync();
    QCOMPARE(r.kept, 1);
    const QStringList both{QStringLiteral("Meeting at eleven"),
                           QStringLiteral("Meeting at ten (changed on this computer)")};
    QCOMPARE(work.Book.Titles(), both);
    home.Sync();
    QCOMPARE(home.Book.Titles(), both);
    QCOMPARE(ServerCount(server, calendar), 2);
}

void TestCalDav::aWipedCalendarAsksFirst()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    Computer work(QStringLiteral("w"), calendar);
    Computer home(QStringLiteral("h"), calendar);
    for (int i = 0; i < 4; ++i) {
        work.Book.AddEvent(QStringLiteral("Event %1").arg(i));
    }
    work.Sync();
    home.Sync();
    for (int i = 0; i < 3; ++i) {
        home.Book.Remove(home.Book.List.first().GetAffairID(), nullptr);
    }
    home.Sync();
    SyncResult r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::AskFirst));
    QCOMPARE(r.removals, 3);
    QCOMPARE(work.Book.List.size(), 4);
    r = work.Sync(true);
    QCOMPARE(r.removed, 3);
    QCOMPARE(work.Book.List.size(), 1);
}

void TestCalDav::whatCannotBeRepresentedStaysOnTheServer()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    Computer work(QStringLiteral("w"), calendar);
    const QByteArray weekly = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:weekdays\r\n"
                              "DTSTAMP:20240101T000000Z\r\nDTSTART:20300101T090000\r\nSUMMARY:Standup\r\n"
                              "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    bool stored = false;
    work.Client.Send("PUT", calendar.resolved(QUrl(QStringLiteral("weekdays.ics"))),
                     {{"Content-Type", "text/calendar"}}, weekly, 4096,
                     [&stored](const DavReply& reply) { stored = reply.status == 201; });
    QTRY_VERIFY_WITH_TIMEOUT(stored, 10000);
    work.Book.AddEvent(QStringLiteral("Mine"));
    SyncResult r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Synced));
    QCOMPARE(work.Book.Titles(), QStringList{QStringLiteral("Mine")});
    QCOMPARE(work.State.foreign.size(), 1);
    QCOMPARE(work.State.foreign.first().reason, QStringLiteral("repeats by a rule"));
    // Listed again at every full listing, and never touched.
    work.State.token.clear();
    work.Sync();
    QCOMPARE(work.State.foreign.size(), 1);
    QCOMPARE(work.Book.List.size(), 1);
}

void TestCalDav::aServerStoppedMidSyncLosesAndDoublesNothing()
{
    QTemporaryDir storage;
    Radicale server(storage.filePath(QStringLiteral("s")));
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    Computer work(QStringLiteral("w"), calendar);
    for (int i = 0; i < 40; ++i) {
        work.Book.AddEvent(QStringLiteral("Event %1").arg(i, 2, 10, QLatin1Char('0')));
    }
    // The server goes away after a few of the writes.
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (work.Client.Sent() >= 12) {
            server.Stop();
            watch.stop();
        }
    });
    watch.start();
    SyncResult r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Offline));
    QVERIFY(r.waiting > 0);
    QCOMPARE(r.waiting + r.sent, 40);

    QVERIFY(server.Start());
    r = work.Sync();
    QCOMPARE(int(r.outcome), int(SyncResult::Outcome::Synced));
    QCOMPARE(work.Book.List.size(), 40);
    Computer home(QStringLiteral("h"), calendar);
    home.Sync();
    QCOMPARE(home.Book.Titles(), work.Book.Titles());
    QCOMPARE(ServerCount(server, calendar), 40);
}

void TestCalDav::theCommandLineSetsUpAndSyncs()
{
    Radicale server;
    QVERIFY(server.Start());
    QTemporaryDir folder;
    const QString statePath = folder.filePath(QStringLiteral("sync.json"));
    MemoryBook book;
    book.AddEvent(QStringLiteral("From the shell"));
    PlainCodec codec;
    KeeperDouble keeper;
    QString input = QStringLiteral("secret\n");
    QString output;
    QString errors;
    QTextStream in(&input);
    QTextStream out(&output);
    QTextStream err(&errors);
    // The server's address: the calendar "Pennibell" is made and used.
    QCOMPARE(SyncCommand::SetUp(book, codec, keeper, server.Url(), QStringLiteral("alice"), in, out, err,
                                statePath),
             0);
    QVERIFY2(output.contains(QLatin1String("Synced")), qPrintable(output + errors));
    QCOMPARE(keeper.Kept.value(QStringLiteral("alice@127.0.0.1")), QStringLiteral("secret"));
    QVERIFY(!TestEnvRead(statePath).contains("secret"));

    // `--sync` reads the password back from the keyring.
    book.AddEvent(QStringLiteral("Second"));
    output.clear();
    QCOMPARE(SyncCommand::SyncOnce(book, codec, keeper, out, err, statePath), 0);
    QVERIFY2(output.contains(QLatin1String("1 sent")), qPrintable(output + errors));
    QCOMPARE(ServerCount(server, server.Url(QStringLiteral("alice/pennibell/"))), 2);

    // Without a keyring it says so and still syncs now; later runs cannot.
    KeeperDouble none;
    none.broken = true;
    input = QStringLiteral("secret\n");
    in.seek(0);
    errors.clear();
    QCOMPARE(
        SyncCommand::SetUp(book, codec, none, server.Url(), QStringLiteral("alice"), in, out, err, statePath),
        0);
    QVERIFY(errors.contains(QLatin1String("keyring")));
    QCOMPARE(SyncCommand::SyncOnce(book, codec, none, out, err, statePath), 1);
}

void TestCalDav::theReminderBookSyncsWithItsPictures()
{
    Radicale server;
    QVERIFY(server.Start());
    const QUrl calendar = MakeCalendar(server);
    // Two data folders; pictures live relative to the current folder, so each computer syncs in its own.
    QTemporaryDir folders[2];
    const QString start = QDir::currentPath();
    auto enter = [&](int i) {
        QDir().mkpath(folders[i].filePath(QStringLiteral("data")));
        QDir::setCurrent(folders[i].path());
    };
    std::unique_ptr<ReminderBook> books[2];
    std::unique_ptr<BookSync> sides[2];
    std::unique_ptr<Computer> computers[2];
    for (int i = 0; i < 2; ++i) {
        enter(i);
        books[i] = std::make_unique<ReminderBook>(QStringLiteral("./data/eventinfor.eda"),
                                                  QStringLiteral("./data/lastrun.ini"));
        QVERIFY(books[i]->Load());
        sides[i] = std::make_unique<BookSync>(books[i].get());
        computers[i] = std::make_unique<Computer>(QString(), calendar);
    }
    auto sync = [&](int i) {
        enter(i);
        SyncSession session(&computers[i]->Client, sides[i].get(), &computers[i]->Codec, &computers[i]->State,
                            computers[i]->StatePath);
        SyncResult result;
        QEventLoop loop;
        connect(&session, &SyncSession::finished, &loop, [&](const SyncResult& r) {
            result = r;
            loop.quit();
        });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        session.Start();
        loop.exec();
        return result;
    };

    enter(0);
    AffairInfo record;
    record.SetInfo(QString(), QStringLiteral("Water the plants"), QDateTime(QDate(2031, 5, 6), QTime(8, 0)),
                   0, 0, 7, 0, 0);
    record.SetEffect({EffectChoice::Blinds, EffectChoice::Vertical});
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(10, 10, qRgb(0, 0, 255));
    QString id;
    QVERIFY(books[0]->Add(record, picture, &id));
    QCOMPARE(sync(0).sent, 1);
    QCOMPARE(sync(1).added, 1);
    const AffairInfo there = books[1]->Events().At(0);
    QCOMPARE(there.GetAffairTitle(), record.GetAffairTitle());
    QCOMPARE(there.GetPeriod().day, 7);
    QCOMPARE(sides[1]->Picture(there).size(), QSize(64, 48));
    QCOMPARE(sides[1]->Picture(there).pixelColor(10, 10), QColor(Qt::blue));
    // Nothing changed on either side: nothing travels, in either direction.
    QCOMPARE(sync(0).requests, 1);
    QCOMPARE(sync(1).requests, 1);

    // An edit on the second computer, picture and all, reaches the first in place.
    enter(1);
    picture.setPixel(20, 20, qRgb(255, 0, 0));
    QVERIFY(sides[1]->Replace(there.GetAffairID(), there, picture, nullptr));
    QCOMPARE(sync(1).sent, 1);
    const SyncResult back = sync(0);
    QCOMPARE(back.changed, 1);
    QCOMPARE(books[0]->Events().Count(), 1);
    QCOMPARE(sides[0]->Picture(books[0]->Events().At(0)).pixelColor(20, 20), QColor(Qt::red));
    QDir::setCurrent(start);
}

QTEST_GUILESS_MAIN(TestCalDav)
#include "testcaldav.moc"
