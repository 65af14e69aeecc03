// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/singleinstance.h"
#include "gui/dbus/pennibellbus.h"
#include "support/testenv.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

} // namespace

// The built program itself, as a portable copy in a folder of its own (so its data are the test's
// alone), with no display: the command line with the tray program running and stopped, and the
// session bus against the running program.
class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Home;
    QString Program;
    QProcessEnvironment Env;
    std::unique_ptr<QProcess> Tray;
    std::unique_ptr<QProcess> Bus;
    QString BusAddress;

    QProcess* start(const QStringList& args, const QProcessEnvironment& env)
    {
        auto* p = new QProcess(this);
        p->setProcessEnvironment(env);
        p->start(Program, args);
        return p;
    }
    Result finish(QProcess* p)
    {
        Result r;
        if (p->waitForFinished(25000) && p->exitStatus() == QProcess::NormalExit) {
            r.code = p->exitCode();
        } else {
            p->kill();
            p->waitForFinished(5000);
        }
        r.out = QString::fromUtf8(p->readAllStandardOutput());
        r.err = QString::fromUtf8(p->readAllStandardError());
        p->deleteLater();
        return r;
    }
    Result run(const QStringList& args) { return finish(start(args, Env)); }

    QJsonArray list()
    {
        const Result r = run({"--list", "--json"});
        return r.code == 0 ? QJsonDocument::fromJson(r.out.toUtf8()).array()
                           : QJsonArray{QStringLiteral("failed")};
    }
    QStringList pictures() const
    {
        return QDir(Home->filePath("data")).entryList({"dap*"}, QDir::Files | QDir::System);
    }

    // The tray program, offscreen, on the test's data folder; true once it answers on its socket.
    bool startTray()
    {
        QProcessEnvironment env = Env;
        env.insert("QT_QPA_PLATFORM", "offscreen");
        Tray = std::make_unique<QProcess>();
        Tray->setProcessEnvironment(env);
        Tray->setProcessChannelMode(QProcess::ForwardedChannels);
        Tray->start(Program, {});
        const QString socket =
            QDir(Env.value("XDG_RUNTIME_DIR")).filePath(SingleInstance::keyFor(Home->path()));
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && Tray->state() != QProcess::NotRunning) {
            QLocalSocket probe;
            probe.connectToServer(socket);
            if (probe.waitForConnected(200)) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }
    void stopTray()
    {
        if (Tray) {
            Tray->terminate();
            if (!Tray->waitForFinished(10000)) {
                Tray->kill();
                Tray->waitForFinished(5000);
            }
            Tray.reset();
        }
    }
    void setRunning(bool running)
    {
        stopTray();
        if (running) {
            QVERIFY(startTray());
        }
    }

private slots:
    void initTestCase()
    {
        // The copy's folder must lie on the build's file system for a hard link.
        Home = std::make_unique<QTemporaryDir>(QFileInfo(QStringLiteral(PENNIBELL_PROGRAM)).absolutePath() +
                                               QStringLiteral("/clitest-XXXXXX"));
        QVERIFY(Home->isValid());
        Program = Home->filePath("pennibell");
        if (::link(PENNIBELL_PROGRAM, QFile::encodeName(Program).constData()) != 0) {
            QVERIFY(QFile::copy(QStringLiteral(PENNIBELL_PROGRAM), Program));
        }
        QVERIFY(QDir().mkpath(Home->filePath("runtime")));
        QFile::setPermissions(Home->filePath("runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        Env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) {
            Env.remove(name);
        }
        Env.insert("XDG_RUNTIME_DIR", Home->filePath("runtime"));
        Env.insert("HOME", Home->path());
        Env.insert("LANG", "C");
        Env.insert("LANGUAGE", "C");
        Env.insert("TZ", "Europe/Berlin");
    }
    void cleanup() { stopTray(); }
    void cleanupTestCase()
    {
        stopTray();
        if (Bus) {
            Bus->kill();
            Bus->waitForFinished(5000);
        }
    }

    // Every refusal: one line on stderr, the right status, and nothing left behind.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        const QString fifo = Home->filePath("fifo");
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        QTest::newRow("unknown option") << QStringList{"--frob"} << 2 << "Unknown option";
        QTest::newRow("stray") << QStringList{"x"} << 2 << "Unexpected argument";
        QTest::newRow("tray without display") << QStringList{} << 1 << "needs a graphical desktop";
        QTest::newRow("empty title") << QStringList{"--add", "", "--at", "+1 h"} << 2 << "empty";
        QTest::newRow("newline") << QStringList{"--add", "a\nb", "--at", "+1 h"} << 2 << "line break";
        QTest::newRow("long title") << QStringList{"--add", QString(100000, 'x'), "--at", "+1 h"} << 2
                                    << "longer";
        QTest::newRow("bad date") << QStringList{"--add", "x", "--at", "2027-02-30 09:00"} << 2 << "no date";
        QTest::newRow("bad unit") << QStringList{"--add", "x", "--at", "+1", "fortnight"} << 2
                                  << "Unexpected";
        QTest::newRow("bad every") << QStringList{"--add", "x", "--at", "+1h", "--every", "2 eons"} << 2
                                   << "unit";
        QTest::newRow("bad effect") << QStringList{"--add", "x", "--at", "+1h", "--effect", "Wobble"} << 2
                                    << "effect";
        QTest::newRow("no --at") << QStringList{"--add", "x"} << 2 << "--at";
        QTest::newRow("--at alone") << QStringList{"--at", "+1h"} << 2 << "only with --add";
        QTest::newRow("two commands") << QStringList{"--list", "--next"} << 2 << "together";
        QTest::newRow("snooze 0") << QStringList{"--snooze", "0"} << 2 << "minutes";
        QTest::newRow("no such id") << QStringList{"--remove", "nope"} << 1 << "nope";
        QTest::newRow("/dev/zero") << QStringList{"--add", "x", "--at", "+1h", "--picture", "/dev/zero"} << 1
                                   << "regular";
        QTest::newRow("fifo") << QStringList{"--add", "x", "--at", "+1h", "--picture", fifo} << 1
                              << "regular";
        QTest::newRow("missing picture")
            << QStringList{"--add", "x", "--at", "+1h", "--picture", "nothere.png"} << 1 << "nothere.png";
        QTest::newRow("nothing on screen") << QStringList{"--dismiss"} << 1 << "on screen";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, says);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(says) && r.err.count('\n') == 1, qPrintable(r.err));
        QCOMPARE(list(), QJsonArray());
        QVERIFY(pictures().isEmpty());
    }

    // The same commands give the same results whether they are carried out by the running
    // program or by the command itself.
    void commands_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("stopped") << false;
        QTest::newRow("running") << true;
    }
    void commands()
    {
        QFETCH(bool, running);
        setRunning(running);
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(Home->filePath("red.png")));
        const Result added = run({"--add", "Dentist", "--at", "2030-01-31", "09:00", "--every", "2", "days",
                                  "--effect", "Push Left", "--picture", Home->filePath("red.png")});
        QCOMPARE(added.code, 0);
        const QString id = added.out.trimmed();
        QVERIFY(!id.isEmpty() && !id.contains('\n'));
        const QJsonArray events = list();
        QCOMPARE(events.size(), 1);
        const QJsonObject e = events.first().toObject();
        QCOMPARE(e.value("id").toString(), id);
        QCOMPARE(e.value("title").toString(), "Dentist");
        QCOMPARE(e.value("first").toString(), "2030-01-31T09:00:00+01:00");
        QCOMPARE(e.value("every").toInt(), 2);
        QCOMPARE(e.value("unit").toString(), "days");
        QVERIFY(e.value("active").toBool());
        QVERIFY(QFile::exists(e.value("picture").toString()));
        QCOMPARE(QStringList(e.keys()).size(), 9);
        const Result table = run({"--list"});
        QVERIFY(table.code == 0 && table.out.contains("Dentist") && table.out.contains(id));
        const Result next = run({"--next"});
        QCOMPARE(next.code, 0);
        QVERIFY(next.out.contains("Dentist"));
        if (running) {
            QCOMPARE(run({"--show", id}).code, 0);
            QCOMPARE(run({"--dismiss"}).code, 0);
        } else {
            QCOMPARE(run({"--show", id}).code, 1);
        }
        QCOMPARE(run({"--remove", id}).code, 0);
        QCOMPARE(list(), QJsonArray());
        QVERIFY(pictures().isEmpty());
        QCOMPARE(run({"--next"}).code, 1);
    }

    // Twenty at once: twenty events, twenty identifiers, whoever carries them out.
    void concurrent_data() { commands_data(); }
    void concurrent()
    {
        QFETCH(bool, running);
        setRunning(running);
        QList<QProcess*> adds;
        for (int i = 0; i < 20; ++i) {
            adds << start({"--add", QStringLiteral("Event %1").arg(i), "--at", "+1 day"}, Env);
        }
        QSet<QString> ids;
        for (QProcess* p : adds) {
            const Result r = finish(p);
            QVERIFY2(r.code == 0, qPrintable(r.err));
            ids.insert(r.out.trimmed());
        }
        QCOMPARE(ids.size(), 20);
        const QJsonArray events = list();
        QCOMPARE(events.size(), 20);
        for (const QJsonValue& e : events) {
            QVERIFY(ids.contains(e.toObject().value("id").toString()));
            QCOMPARE(run({"--remove", e.toObject().value("id").toString()}).code, 0);
        }
    }

    // The interface on a private session bus, as gdbus or busctl would call it.
    void dbus()
    {
        Bus = std::make_unique<QProcess>();
        Bus->start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!Bus->waitForStarted(5000)) {
            QSKIP("dbus-daemon is not installed");
        }
        QVERIFY(Bus->waitForReadyRead(10000));
        BusAddress = QString::fromUtf8(Bus->readLine()).trimmed();
        Env.insert("DBUS_SESSION_BUS_ADDRESS", BusAddress);
        QVERIFY(startTray());
        Env.remove("DBUS_SESSION_BUS_ADDRESS");
        QDBusConnection bus = QDBusConnection::connectToBus(BusAddress, "testcli");
        QVERIFY(bus.isConnected());
        qDBusRegisterMetaType<QList<QVariantMap>>();
        QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(PennibellBus::Service), 10000);
        QDBusInterface pennibell(PennibellBus::Service, PennibellBus::Path, PennibellBus::Interface, bus);
        QVERIFY(pennibell.isValid());
        QSignalSpy changed(&pennibell, SIGNAL(EventsChanged()));

        struct Call
        {
            const char* method;
            QVariantList args;
            const char* error; // empty: succeeds
        };
        QDBusReply<QString> added = pennibell.call(
            "Add", QVariantMap{{"title", "Call mum"}, {"first", "+1 hour"}, {"every", 1}, {"unit", "weeks"}});
        QVERIFY2(added.isValid(), qPrintable(added.error().message()));
        const QString id = added.value();
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 10000);
        QVERIFY(!pennibell.property("NextDue").toString().isEmpty());
        const QList<Call> calls = {
            {"Add", {QVariantMap{{"title", ""}, {"first", "+1 h"}}}, "InvalidArgument"},
            {"Add", {QVariantMap{{"title", QString(1 << 20, 'x')}, {"first", "+1 h"}}}, "InvalidArgument"},
            {"Add", {QVariantMap{{"title", "x"}, {"first", "+1 h"}, {"pictureFile", "/dev/zero"}}}, "Failed"},
            {"Remove", {"nope"}, "NoSuchEvent"},
            {"Show", {"nope"}, "NoSuchEvent"},
            {"Snooze", {0u}, "InvalidArgument"},
            {"Dismiss", {}, "Failed"},
            {"Show", {id}, ""},
            {"Dismiss", {}, ""},
        };
        for (const Call& c : calls) {
            const QDBusMessage reply = pennibell.callWithArgumentList(QDBus::Block, c.method, c.args);
            const QString expected =
                *c.error ? PennibellBus::Interface + QStringLiteral(".Error.") + c.error : "";
            QCOMPARE(reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString(), expected);
            QVERIFY(!*c.error || !reply.errorMessage().isEmpty());
        }
        const QDBusMessage listed = pennibell.call("List");
        QCOMPARE(listed.signature(), "aa{sv}");
        const auto events = qdbus_cast<QList<QVariantMap>>(listed.arguments().first());
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().value("id").toString(), id);
        QCOMPARE(events.first().value("unit").toString(), "weeks");
        QVERIFY(pennibell.call("Remove", id).type() == QDBusMessage::ReplyMessage);
        QCOMPARE(list(), QJsonArray());
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    TestCli test;
    return QTest::qExec(&test, argc, argv);
}
#include "testcli.moc"
