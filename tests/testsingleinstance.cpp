#include "singleinstance.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Each copy of the program is played by the probe program, started as its own process.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void keyNamesTheFolder();
    void secondCopyLeavesAndRaisesFirst();
    void firstCopyInAnotherProcessIsRaised();
    void leftoversOfKilledCopyDoNotBlock();
    void otherFoldersRunSideBySide();
    void folderIsFreedWhenTheCopyEnds();

private:
    static std::unique_ptr<QProcess> startProbe(const QString& dataDir);
    static bool waitForLine(QProcess& p, const QByteArray& line);
    static void stop(QProcess& p);
};

std::unique_ptr<QProcess> TestSingleInstance::startProbe(const QString& dataDir)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(PENNIBELL_PROBE), {dataDir});
    return p;
}

bool TestSingleInstance::waitForLine(QProcess& p, const QByteArray& line)
{
    while (true) {
        while (p.canReadLine()) {
            if (p.readLine().trimmed() == line) {
                return true;
            }
        }
        if (p.state() == QProcess::NotRunning || !p.waitForReadyRead(10000)) {
            return false;
        }
    }
}

void TestSingleInstance::stop(QProcess& p)
{
    p.kill();
    p.waitForFinished(10000);
}

void TestSingleInstance::keyNamesTheFolder()
{
    TestEnv::ScratchDir scratch;
    QVERIFY(QDir().mkpath(QStringLiteral("a/data")));
    QVERIFY(QDir().mkpath(QStringLiteral("b")));
    QVERIFY(QFile::link(scratch.file(QStringLiteral("a")), scratch.file(QStringLiteral("link"))));

    const QString key = SingleInstance::keyFor(scratch.file(QStringLiteral("a")));
    QVERIFY(key.startsWith(QStringLiteral("pennibell-")));
    QCOMPARE(SingleInstance::keyFor(scratch.file(QStringLiteral("a/"))), key);
    QCOMPARE(SingleInstance::keyFor(scratch.file(QStringLiteral("a/data/.."))), key);
    QCOMPARE(SingleInstance::keyFor(scratch.file(QStringLiteral("link"))), key);
    QCOMPARE(SingleInstance::keyFor(QStringLiteral("a")), key);
    QVERIFY(SingleInstance::keyFor(scratch.file(QStringLiteral("b"))) != key);
    QVERIFY(SingleInstance::keyFor(scratch.file(QStringLiteral("a/data"))) != key);
}

void TestSingleInstance::secondCopyLeavesAndRaisesFirst()
{
    QTemporaryDir data;
    SingleInstance first(data.path());
    QSignalSpy raised(&first, &SingleInstance::secondStarted);
    QVERIFY(first.claim());
    QVERIFY(first.isPrimary());

    auto second = startProbe(data.path());
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), SingleInstance::AlreadyRunningExitCode);
    QVERIFY(!second->readAllStandardOutput().contains("ready"));
    QTRY_COMPARE(raised.count(), 1);

    // Every later start knocks again.
    auto third = startProbe(data.path());
    QVERIFY(third->waitForFinished(10000));
    QCOMPARE(third->exitCode(), SingleInstance::AlreadyRunningExitCode);
    QTRY_COMPARE(raised.count(), 2);
}

void TestSingleInstance::firstCopyInAnotherProcessIsRaised()
{
    QTemporaryDir data;
    auto first = startProbe(data.path());
    QVERIFY(waitForLine(*first, "ready"));

    SingleInstance second(data.path());
    QVERIFY(!second.claim());
    QVERIFY(!second.isPrimary());
    QVERIFY(waitForLine(*first, "second"));
    QCOMPARE(first->state(), QProcess::Running);
    stop(*first);
}

void TestSingleInstance::leftoversOfKilledCopyDoNotBlock()
{
    QTemporaryDir data;
    const QString key = SingleInstance::keyFor(data.path());
    auto crashed = startProbe(data.path());
    QVERIFY(waitForLine(*crashed, "ready"));
    stop(*crashed);
    QCOMPARE(crashed->exitStatus(), QProcess::CrashExit);
    // A killed copy cleans nothing up: its lock and socket stay behind.
    QVERIFY(QFile::exists(QDir::temp().filePath(key + QStringLiteral(".lock"))));
    QVERIFY(QFile::exists(QDir::temp().filePath(key)));

    SingleInstance next(data.path());
    QSignalSpy raised(&next, &SingleInstance::secondStarted);
    QVERIFY(next.claim());

    // And it answers on the socket it took over.
    auto later = startProbe(data.path());
    QVERIFY(later->waitForFinished(10000));
    QCOMPARE(later->exitCode(), SingleInstance::AlreadyRunningExitCode);
    QTRY_COMPARE(raised.count(), 1);
}

void TestSingleInstance::otherFoldersRunSideBySide()
{
    QTemporaryDir mine;
    QTemporaryDir other;
    SingleInstance first(mine.path());
    QSignalSpy raised(&first, &SingleInstance::secondStarted);
    QVERIFY(first.claim());

    auto neighbour = startProbe(other.path());
    QVERIFY(waitForLine(*neighbour, "ready"));
    stop(*neighbour);
    QCOMPARE(raised.count(), 0);
}

void TestSingleInstance::folderIsFreedWhenTheCopyEnds()
{
    QTemporaryDir data;
    {
        SingleInstance first(data.path());
        QVERIFY(first.claim());
    }
    auto next = startProbe(data.path());
    QVERIFY(waitForLine(*next, "ready"));
    stop(*next);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "testsingleinstance.moc"
