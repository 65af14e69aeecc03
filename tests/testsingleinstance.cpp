// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/singleinstance.h"
#include "support/testenv.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <memory>

namespace {
// One budget for every wait of a test, so that waits failing one after another under a fault
// still end the test in time.
QDeadlineTimer Budget;
int Left()
{
    return int(qMax<qint64>(0, Budget.remainingTime()));
}

// Another copy of the program on dataDir; killed rather than left running when it goes.
class Probe : public QProcess
{
public:
    explicit Probe(const QString& dataDir, const QString& runtimeDir = QString())
    {
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!runtimeDir.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
            setProcessEnvironment(env);
        }
        start(QStringLiteral(PENNIBELL_PROBE), {dataDir});
    }
    ~Probe() override
    {
        kill();
        waitForFinished(2000);
    }
    // True once it holds its folder.
    bool ready()
    {
        while (!canReadLine() && waitForReadyRead(Left())) {
        }
        return readLine().trimmed() == "ready";
    }
};
} // namespace

// Each other copy of the program is played by the probe program, started as its own process.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    // The user's own runtime folder, inherited by the probes.
    void initTestCase()
    {
        QVERIFY(Runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", Runtime.path().toLocal8Bit());
    }
    void init() { Budget.setRemainingTime(25000); }

    // A killed copy leaves its lock and socket behind; they do not block the next one, which
    // answers on the socket it took over. Every later start on the same folder leaves at once
    // and knocks again; one on another folder runs side by side; the folder is free again once
    // the first copy ends.
    void oneCopyPerFolder()
    {
        QTemporaryDir mine;
        QTemporaryDir other;
        const QString key = SingleInstance::keyFor(mine.path());
        Probe crashed(mine.path());
        QVERIFY(crashed.ready());
        crashed.kill();
        QVERIFY(crashed.waitForFinished(Left()));
        QVERIFY(QFile::exists(Runtime.filePath(key + QStringLiteral(".lock"))) &&
                QFile::exists(Runtime.filePath(key)));
        {
            SingleInstance first(mine.path());
            QSignalSpy raised(&first, &SingleInstance::secondStarted);
            QVERIFY(first.claim());
            QVERIFY(Probe(other.path()).ready());
            QCOMPARE(raised.count(), 0);
            for (int n = 1; n <= 2; ++n) {
                expectAlreadyRunning(mine.path());
                QTRY_COMPARE_WITH_TIMEOUT(raised.count(), n, Left());
            }
        }
        QVERIFY(Probe(mine.path()).ready());
    }

    // Another login (another runtime folder) on the same data folder: the data folder's own lock
    // keeps it out, and it leaves the running copy's half-written files alone. Once the first
    // copy is gone it runs, and clears them.
    void oneCopyPerDataFolderAcrossLogins()
    {
        QTemporaryDir data;
        QTemporaryDir otherRuntime;
        const QString staging = data.filePath(QStringLiteral(".pennibell-staging-AbC123"));
        auto first = std::make_unique<Probe>(data.path());
        QVERIFY(first->ready());
        TestEnv::writeAll(staging, "half written");
        {
            Probe second(data.path(), otherRuntime.path());
            QVERIFY(second.waitForFinished(Left()));
            QCOMPARE(second.exitCode(), SingleInstance::AlreadyRunningExitCode);
        }
        QVERIFY(QFile::exists(staging));
        first.reset();
        QVERIFY(Probe(data.path(), otherRuntime.path()).ready());
        QVERIFY(!QFile::exists(staging));
    }

    // Another local user can plant files in the shared temporary folder, not in ours; and a
    // lock that is not our own regular file is never trusted, but reported.
    void plantedFilesDoNotStopIt()
    {
        QTemporaryDir data;
        const QString key = SingleInstance::keyFor(data.path());
        QFile::link(QStringLiteral("/dev/null"), QDir::temp().filePath(key + QStringLiteral(".lock")));
        QFile::link(QStringLiteral("/dev/null"), QDir::temp().filePath(key));
        {
            SingleInstance first(data.path());
            QVERIFY(first.claim());
        }
        QFile::remove(QDir::temp().filePath(key + QStringLiteral(".lock")));
        QFile::remove(QDir::temp().filePath(key));
        QVERIFY(QFile::link(data.filePath("target"), Runtime.filePath(key + QStringLiteral(".lock"))));
        SingleInstance second(data.path());
        QVERIFY(!second.claim());
        QVERIFY(second.failure().contains(key));
        QVERIFY(!QFile::exists(data.filePath("target")));
        QFile::remove(Runtime.filePath(key + QStringLiteral(".lock")));
    }

    // A command asks the running copy: one that came while the copy was still starting is
    // answered once the copy can; with no copy running, the command hears so at once.
    void requestsReachTheRunningCopy()
    {
        QTemporaryDir data;
        QVariantMap reply;
        const auto ask = [&] {
            return std::async(std::launch::async, [&] {
                return SingleInstance(data.path())
                    .send({{QStringLiteral("command"), QStringLiteral("next")}}, &reply, 5000);
            });
        };
        QCOMPARE(int(ask().get()), int(SingleInstance::Exchange::NotRunning));
        SingleInstance first(data.path());
        QVERIFY(first.claim());
        auto early = ask();
        QTest::qWait(300);
        first.setRequestHandler([](const QVariantMap& request) {
            return QVariantMap{{QStringLiteral("status"), 0},
                               {QStringLiteral("out"), request.value("command")}};
        });
        QTRY_VERIFY_WITH_TIMEOUT(early.wait_for(std::chrono::seconds(0)) == std::future_status::ready,
                                 Left());
        QCOMPARE(int(early.get()), int(SingleInstance::Exchange::Answered));
        QCOMPARE(reply.value(QStringLiteral("out")).toString(), QStringLiteral("next"));
    }

private:
    QTemporaryDir Runtime;

    static void expectAlreadyRunning(const QString& dataDir)
    {
        Probe p(dataDir);
        QVERIFY(p.waitForFinished(Left()) && p.exitStatus() == QProcess::NormalExit);
        QCOMPARE(p.exitCode(), SingleInstance::AlreadyRunningExitCode);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "testsingleinstance.moc"
