// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/platformchoice.h"
#include "core/system/singleinstance.h"
#include "gui/dbus/pennibellbus.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
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

    QTemporaryDir Home{QFileInfo(QStringLiteral(PENNIBELL_PROGRAM)).absolutePath() + "/clitest-XXXXXX"};
    QString Program = Home.filePath("pennibell");
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<QProcess> Tray;
    QProcess Bus; // killed with the test

    QProcess* start(const QStringList& args)
    {
        auto* p = new QProcess(this);
        p->setProcessEnvironment(Env);
        p->start(Program, args);
        return p;
    }
    static Result finish(QProcess* p)
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
    Result run(const QStringList& args) { return finish(start(args)); }
    QJsonArray list()
    {
        const Result r = run({"--list", "--json"});
        return r.code == 0 ? QJsonDocument::fromJson(r.out.toUtf8()).array() : QJsonArray{"failed"};
    }
    QStringList pictures() const
    {
        return QDir(Home.filePath("data")).entryList({"dap*"}, QDir::Files | QDir::System);
    }

    // The tray program, offscreen, on the test's data folder, when `running`: once it answers on
    // its socket. A program killed outright leaves nothing a later one trips over.
    void setRunning(bool running, const QString& bus = QString())
    {
        Tray.reset();
        if (!running) {
            return;
        }
        QProcessEnvironment env = Env;
        env.insert("QT_QPA_PLATFORM", "offscreen");
        bus.isEmpty() ? env.remove("DBUS_SESSION_BUS_ADDRESS") : env.insert("DBUS_SESSION_BUS_ADDRESS", bus);
        Tray = std::make_unique<QProcess>();
        Tray->setProcessEnvironment(env);
        Tray->setProcessChannelMode(QProcess::ForwardedChannels);
        Tray->start(Program, {});
        QLocalSocket probe;
        const QString socket =
            QDir(Env.value("XDG_RUNTIME_DIR")).filePath(SingleInstance::keyFor(Home.path()));
        for (QDeadlineTimer deadline(20000);
             !deadline.hasExpired() && Tray->state() != QProcess::NotRunning;) {
            probe.connectToServer(socket);
            if (probe.waitForConnected(200)) {
                return;
            }
            QTest::qWait(50);
        }
        QFAIL("the tray program does not answer");
    }

private slots:
    void initTestCase()
    {
        // The copy's folder lies on the build's file system for a hard link.
        QVERIFY(Home.isValid());
        if (::link(PENNIBELL_PROGRAM, QFile::encodeName(Program).constData()) != 0) {
            QVERIFY(QFile::copy(QStringLiteral(PENNIBELL_PROGRAM), Program));
        }
        QVERIFY(QDir().mkpath(Home.filePath("runtime")));
        QFile::setPermissions(Home.filePath("runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) {
            Env.remove(name);
        }
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", Home.filePath("runtime")},
                                          {"HOME", Home.path()},
                                          {"LANG", "C"},
                                          {"LANGUAGE", "C"},
                                          {"TZ", "Europe/Berlin"}}) {
            Env.insert(name, value);
        }
    }
    void cleanup() { setRunning(false); }

    // Every refusal: one line on stderr, the right status, and nothing left behind.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        const QString fifo = Home.filePath("fifo");
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        const auto row = [](const char* name, const QStringList& args, int code, const char* says) {
            QTest::newRow(name) << args << code << QString(says);
        };
        const QStringList add{"--add", "x", "--at", "+1h"};
        row("unknown option", {"--frob"}, 2, "Unknown option 'frob'");
        row("stray", {"x"}, 2, "Unexpected argument");
        row("tray without display", {}, 1, "needs a graphical desktop");
        // Read as short options these would be -r -e -v... and -p -l -a...
        row("Qt's word options are no clusters", {"-reverse", "-platform", "xcb"}, 1, "graphical desktop");
        row("empty title", {"--add", "", "--at", "+1 h"}, 2, "empty");
        row("newline", {"--add", "a\nb", "--at", "+1 h"}, 2, "line break");
        row("long title", {"--add", QString(100000, 'x'), "--at", "+1 h"}, 2, "longer");
        row("bad date", {"--add", "x", "--at", "2027-02-30 09:00"}, 2, "no date");
        row("bad unit", {"--add", "x", "--at", "+1", "fortnight"}, 2, "Unexpected");
        row("bad every", add + QStringList{"--every", "2 eons"}, 2, "unit");
        row("bad effect", add + QStringList{"--effect", "Wobble"}, 2, "effect");
        row("no --at", {"--add", "x"}, 2, "--at");
        row("--at alone", {"--at", "+1h"}, 2, "only with --add");
        row("two commands", {"--list", "--next"}, 2, "together");
        row("snooze 0", {"--snooze", "0"}, 2, "minutes");
        row("snooze beyond a year", {"--snooze", "527041"}, 2, "minutes");
        row("no such id", {"--remove", "nope"}, 1, "nope");
        row("/dev/zero", add + QStringList{"--picture", "/dev/zero"}, 1, "regular");
        row("fifo", add + QStringList{"--picture", fifo}, 1, "regular");
        row("missing picture", add + QStringList{"--picture", "nothere.png"}, 1, "nothere.png");
        row("nothing on screen", {"--dismiss"}, 1, "on screen");
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

    // The password comes on standard input; a server that cannot be reached is a failure with its
    // reason, not a usage error.
    void syncToReadsThePassword()
    {
        QProcess* p = start({"--sync-to", "http://127.0.0.1:9/", "--user", "bob"});
        p->write("secret\n");
        p->closeWriteChannel();
        const Result r = finish(p);
        QCOMPARE(r.code, 1);
        QVERIFY2(!r.err.isEmpty(), qPrintable(r.err));
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
        QVERIFY(run({"-v"}).out.startsWith("Pennibell "));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(Home.filePath("red.png")));
        // The date and time as the shell splits them.
        const Result added = run({"--add", "Dentist", "--at", "2030-01-31", "09:00", "--every", "2", "days",
                                  "--effect", "Push Left", "--picture", Home.filePath("red.png")});
        QCOMPARE(added.code, 0);
        const QString id = added.out.trimmed();
        QVERIFY(!id.isEmpty() && !id.contains('\n'));
        const QJsonArray events = list();
        QCOMPARE(events.size(), 1);
        const QJsonObject e = events.first().toObject();
        QCOMPARE(QStringList(e.keys()).size(), 9);
        QCOMPARE(QStringList({e["id"].toString(), e["title"].toString(), e["first"].toString(),
                              e["unit"].toString()}),
                 QStringList({id, "Dentist", "2030-01-31T09:00:00+01:00", "days"}));
        QVERIFY(e["every"].toInt() == 2 && e["active"].toBool() && QFile::exists(e["picture"].toString()));
        const Result table = run({"--list"});
        QVERIFY(table.code == 0 && table.out.contains("Dentist") && table.out.contains(id));
        const Result next = run({"--next"});
        QVERIFY(next.code == 0 && next.out.contains("Dentist"));
        QCOMPARE(run({"--show", id}).code, running ? 0 : 1);
        QCOMPARE(run({"--dismiss"}).code, running ? 0 : 1);
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
            adds << start({"--add", QStringLiteral("Event %1").arg(i), "--at", "+1 day"});
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
            QVERIFY(ids.contains(e["id"].toString()));
            QCOMPARE(run({"--remove", e["id"].toString()}).code, 0);
        }
    }

    // The interface on a private session bus, as gdbus or busctl would call it.
    void dbus()
    {
        Bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!Bus.waitForStarted(5000)) {
            QSKIP("dbus-daemon is not installed");
        }
        QVERIFY(Bus.waitForReadyRead(10000));
        const QString address = QString::fromUtf8(Bus.readLine()).trimmed();
        setRunning(true, address);
        QDBusConnection bus = QDBusConnection::connectToBus(address, "testcli");
        qDBusRegisterMetaType<QList<QVariantMap>>();
        QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(PennibellBus::Service), 10000);
        QDBusInterface pennibell(PennibellBus::Service, PennibellBus::Path, PennibellBus::Interface, bus);
        QVERIFY(pennibell.isValid());
        QSignalSpy changed(&pennibell, SIGNAL(EventsChanged()));
        QDBusReply<QString> added = pennibell.call(
            "Add", QVariantMap{{"title", "Call mum"}, {"first", "+1 hour"}, {"every", 1}, {"unit", "weeks"}});
        QVERIFY2(added.isValid(), qPrintable(added.error().message()));
        const QString id = added.value();
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 10000);
        QVERIFY(!pennibell.property("NextDue").toString().isEmpty());
        const QList<std::tuple<const char*, QVariantList, QString>> calls = {
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
        for (const auto& [method, args, error] : calls) {
            const QDBusMessage reply = pennibell.callWithArgumentList(QDBus::Block, method, args);
            QCOMPARE(reply.errorName(), error.isEmpty() ? "" : PennibellBus::Interface + (".Error." + error));
            QVERIFY(error.isEmpty() || !reply.errorMessage().isEmpty());
        }
        const QDBusMessage listed = pennibell.call("List");
        QCOMPARE(listed.signature(), "aa{sv}");
        const auto events = qdbus_cast<QList<QVariantMap>>(listed.arguments().first());
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first(), QJsonDocument::fromJson(run({"--list", "--json"}).out.toUtf8())
                                     .array()
                                     .first()
                                     .toObject()
                                     .toVariantMap());
        QVERIFY(pennibell.call("Remove", id).type() == QDBusMessage::ReplyMessage);
        QCOMPARE(list(), QJsonArray());
    }

    // The display platform: X11 through XWayland when there is one, unless the user chose.
    void platform_data()
    {
        QTest::addColumn<QByteArrayList>(
            "env"); // QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("wayland display alone")
            << QByteArrayList{"", "tty", "wayland-1", ":0"} << QByteArray("xcb");
        QTest::newRow("user's own choice")
            << QByteArrayList{"offscreen", "wayland", "w-0", ":0"} << QByteArray();
        QTest::newRow("no XWayland") << QByteArrayList{"", "wayland", "wayland-0", ""} << QByteArray();
    }
    void platform()
    {
        QFETCH(QByteArrayList, env);
        QFETCH(QByteArray, expected);
        QCOMPARE(PlatformChoice::choose(env[0], env[1], env[2], env[3]), expected);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    TestCli test;
    return QTest::qExec(&test, argc, argv);
}
#include "testcli.moc"
