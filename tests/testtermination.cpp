// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/lastrunning.h"
#include "support/testenv.h"

#include <QtTest>

#include <csignal>

// The program as the session ends it: a signal to a real process, which must leave through its
// event loop and record when it last ran.
class TestTermination : public QObject
{
    Q_OBJECT

private slots:
    void endsCleanly_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("log-out") << int(SIGTERM);
        QTest::newRow("Ctrl+C") << int(SIGINT);
        QTest::newRow("terminal closed") << int(SIGHUP);
    }
    void endsCleanly()
    {
        QFETCH(int, signal);
        TestEnv::ScratchDir scratch;
        const QString record = scratch.file(QStringLiteral("lastrun.ini"));
        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QStringLiteral(PENNIBELL_TERMINATION_PROBE), {record});
        QVERIFY(probe.waitForReadyRead(10000));
        QCOMPARE(probe.readLine().trimmed(), QByteArray("ready"));
        QCOMPARE(::kill(pid_t(probe.processId()), signal), 0);
        QVERIFY(probe.waitForFinished(10000)); // else QProcess kills it on the way out
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 0);
        QCOMPARE(LastRunning(record).Recorded(), std::optional<qint64>(4242));
    }
};

QTEST_GUILESS_MAIN(TestTermination)
#include "testtermination.moc"
