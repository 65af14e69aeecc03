// SPDX-License-Identifier: GPL-3.0-or-later
// On a private session bus with a stand-in notification service, and with stand-in GNOME and Xfce
// settings tools on the path.
#include "gui/platform/desktopnotice.h"
#include "gui/platform/donotdisturb.h"
#include "support/testenv.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int Deadline = 10000;

// Prints the setting the test writes to `file` ("get"), or a line at each change of it
// ("monitor" / "-m"), as the desktops' tools do; fails when there is no such setting.
QByteArray tool(const QString& file, const QByteArray& changeLine)
{
    const QByteArray f = file.toUtf8();
    return "#!/bin/sh\nf='" + f + "'\n" +
           "for a in \"$@\"; do case \"$a\" in monitor|-m) old=$(/bin/cat \"$f\" 2>/dev/null);\n"
           "  while /bin/sleep 0.05; do new=$(/bin/cat \"$f\" 2>/dev/null);\n"
           "    if [ \"$new\" != \"$old\" ]; then echo \"" +
           changeLine +
           "\"; old=$new; fi; done;; esac; done\n"
           "[ -f \"$f\" ] || exit 1\n/bin/cat \"$f\"\n";
}

} // namespace

class TestDesktopBus : public QObject
{
    Q_OBJECT

    QProcess Daemon;
    QProcess StandIn;
    QString Address;
    QDBusConnection Bus{QString()};
    QTemporaryDir Tools;

    void StartStandIn(bool inhibited)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), Address);
        StandIn.setProcessEnvironment(env);
        StandIn.start(QStringLiteral(PENNIBELL_NOTIFY), inhibited ? QStringList{"inhibited"} : QStringList());
        QVERIFY(StandIn.waitForReadyRead(Deadline));
        QCOMPARE(StandIn.readLine(), QByteArray("ready\n"));
    }
    void StopStandIn()
    {
        if (StandIn.state() != QProcess::NotRunning) {
            StandIn.kill();
            StandIn.waitForFinished(Deadline);
        }
    }
    // A method of the stand-in service; "Calls" answers what it was asked so far.
    QDBusMessage CallStandIn(const QString& method, const QVariantList& args = {})
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                           "org.freedesktop.Notifications", method);
        call.setArguments(args);
        return Bus.call(call, QDBus::Block, Deadline);
    }
    QStringList Calls() { return CallStandIn("Calls").arguments().value(0).toStringList(); }

private slots:
    void cleanup() { StopStandIn(); }
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            QSKIP("No dbus-daemon here to run a private session bus (package dbus)");
        }
        Daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY(Daemon.waitForReadyRead(Deadline));
        Address = QString::fromUtf8(Daemon.readLine()).trimmed();
        Bus = QDBusConnection::connectToBus(Address, QStringLiteral("private"));
        QVERIFY2(Bus.isConnected(), qPrintable(Address));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        qunsetenv("XDG_CURRENT_DESKTOP");
        for (const auto& [name, script] :
             {std::pair{"gsettings", tool(Tools.filePath("gnome-banners"), "show-banners: $new")},
              std::pair{"xfconf-query", tool(Tools.filePath("xfce-dnd"), "set: /do-not-disturb")}}) {
            TestEnv::writeAll(Tools.filePath(name), script);
            QFile(Tools.filePath(name)).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    void cleanupTestCase()
    {
        Daemon.kill();
        Daemon.waitForFinished(Deadline);
    }
    // Each desktop's way of saying "do not disturb", turned on before the program starts and off
    // while it runs; where a desktop has none, reminders are never held.
    void doNotDisturb_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("setting"); // the file the stand-in tool reads
        QTest::addColumn<QByteArray>("on");
        QTest::addColumn<QByteArray>("off");
        QTest::newRow("notification service") << "service"
                                              << "" << QByteArray() << QByteArray();
        QTest::newRow("GNOME") << "gnome"
                               << "gnome-banners" << QByteArray("false\n") << QByteArray("true\n");
        QTest::newRow("Xfce") << "xfce"
                              << "xfce-dnd" << QByteArray("true\n") << QByteArray("false\n");
        QTest::newRow("none of them") << "none"
                                      << "" << QByteArray() << QByteArray();
    }
    void doNotDisturb()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, setting);
        QFETCH(QByteArray, on);
        QFETCH(QByteArray, off);
        // Only the stand-in settings tools, never the machine's own; each row leaves its setting
        // off, which the next one does not mind.
        qputenv("PATH", desktop == "none" ? QByteArray("/nonexistent") : Tools.path().toUtf8());
        if (desktop == "service") {
            StartStandIn(true);
        } else if (!setting.isEmpty()) {
            TestEnv::writeAll(Tools.filePath(setting), on);
        }

        DoNotDisturbWatch watch(Bus);
        QSignalSpy changed(&watch, &DoNotDisturbWatch::changed);
        watch.Start();
        if (desktop == "none") {
            QTest::qWait(300);
            QVERIFY(!watch.Active() && changed.isEmpty());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(watch.Active(), Deadline);
        if (desktop == "service") {
            QCOMPARE(CallStandIn("SetInhibited", {false}).type(), QDBusMessage::ReplyMessage);
            QTRY_VERIFY_WITH_TIMEOUT(!watch.Active(), Deadline);
            QCOMPARE(CallStandIn("SetInhibited", {true}).type(), QDBusMessage::ReplyMessage);
            QTRY_VERIFY_WITH_TIMEOUT(watch.Active(), Deadline);
            // The service went away: nothing holds reminders any longer.
            StopStandIn();
        } else {
            QTest::qWait(200); // the stand-in tool has seen the setting as it was
            TestEnv::writeAll(Tools.filePath(setting), off);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!watch.Active(), Deadline);
        QCOMPARE(changed.count(), desktop == "service" ? 4 : 2);
    }
    // The notification carries the title as text, the time and the two actions; its actions answer
    // for its own reminder only; it goes with the reminder, even when the reminder went first.
    void notification()
    {
        DesktopNotice notice(Bus);
        QSignalSpy chosen(&notice, &DesktopNotice::chosen);
        // No service: nothing, and nothing goes wrong.
        notice.Show("lost", "Nobody hears", QDateTime(QDate(2026, 1, 1), QTime(9, 5)));
        QTest::qWait(200);
        notice.Close();

        StartStandIn(false);
        notice.Show("tea", "Tea & <b>cake</b>", QDateTime(QDate(2026, 1, 1), QTime(9, 5)));
        QTRY_COMPARE_WITH_TIMEOUT(
            Calls(),
            QStringList{"Notify Pennibell|0|Reminder at 09:05|Tea &amp; &lt;b&gt;cake&lt;/b&gt;|"
                        "dismiss,Dismiss,snooze-5,Again in 5 minutes|org.pennibell.Pennibell|0"},
            Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(notice.Showing() == "tea", Deadline);
        // The body, another program's notification, then the two actions: as the signals come in
        // order, the two answers show that the first two went unanswered.
        for (const auto& [id, key] : {std::pair{1u, "default"}, std::pair{7u, "dismiss"},
                                      std::pair{1u, "snooze-5"}, std::pair{1u, "dismiss"}}) {
            QCOMPARE(CallStandIn("Invoke", {id, QString(key)}).type(), QDBusMessage::ReplyMessage);
        }
        QTRY_COMPARE_WITH_TIMEOUT(chosen.count(), 2, Deadline);
        QCOMPARE(chosen.at(0), (QVariantList{"tea", QVariant::fromValue(SnoozeChoice::FiveMinutes)}));
        QCOMPARE(chosen.at(1), (QVariantList{"tea", QVariant::fromValue(SnoozeChoice::Dismiss)}));
        notice.Close();
        QTRY_VERIFY_WITH_TIMEOUT(Calls().contains("Close 1"), Deadline);
        // Gone before the service answered: closed as soon as it does.
        notice.Show("walk", "Walk", QDateTime::currentDateTime());
        notice.Close();
        QTRY_VERIFY_WITH_TIMEOUT(Calls().contains("Close 2"), Deadline);
    }
};

QTEST_MAIN(TestDesktopBus)
#include "testdesktopbus.moc"
