#include "datalocation.h"
#include "testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void noHomeFolderStaysPortable();
    void portableCopyWorksBesideTheProgram();
    void installedCopyWorksInTheUserFolder();
    void unreachableUserFolderFallsBackToProgramFolder();

    void resolve_data();
    void resolve();
    void resourceBeforeEnterIsUnchanged();

    void writableCheck_data();
    void writableCheck();
    void applicationLooksBesideItsPrefix();

private:
    static void touch(const QString& path);
};

void TestDataLocation::cleanup()
{
    DataLocation::clearCurrent();
}

void TestDataLocation::touch(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    TestEnv::writeAll(path, "x");
    QVERIFY(QFile::exists(path));
}

void TestDataLocation::noHomeFolderStaysPortable()
{
    QString asked;
    DataLocation loc(QStringLiteral("/opt/p/bin"), QString(), {}, [&](const QString& dir) {
        asked = dir;
        return false;
    });
    QCOMPARE(asked, QStringLiteral("/opt/p/bin"));
    QVERIFY(loc.isPortable());
    QCOMPARE(loc.workingDir(), QStringLiteral("/opt/p/bin"));
}

void TestDataLocation::portableCopyWorksBesideTheProgram()
{
    TestEnv::ScratchDir scratch;
    const QString program = scratch.file(QStringLiteral("portable"));
    QVERIFY(QDir().mkpath(program));
    touch(program + QStringLiteral("/icon/Pennibell.png"));

    // The real check, on a folder that is really writable.
    DataLocation loc(program, scratch.file(QStringLiteral("home/Pennibell")), {});
    QVERIFY(loc.isPortable());
    QVERIFY(loc.enter());
    QCOMPARE(QDir::currentPath(), QFileInfo(program).canonicalFilePath());
    touch(QStringLiteral("./ESetting.ini"));
    QVERIFY(QFile::exists(program + QStringLiteral("/ESetting.ini")));
    QVERIFY(!QFile::exists(scratch.file(QStringLiteral("home"))));
    QCOMPARE(DataLocation::resource(QStringLiteral("./icon/Pennibell.png")),
             program + QStringLiteral("/icon/Pennibell.png"));
}

void TestDataLocation::installedCopyWorksInTheUserFolder()
{
    TestEnv::ScratchDir scratch;
    const QString prefix = scratch.file(QStringLiteral("usr"));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
    const QString share = prefix + QStringLiteral("/share/pennibell");
    touch(share + QStringLiteral("/icon/Pennibell.png"));
    touch(share + QStringLiteral("/help/index.html"));
    const QString user = scratch.file(QStringLiteral("home/.local/share/Pennibell"));

    DataLocation loc(prefix + QStringLiteral("/bin"), user, {share}, [](const QString&) { return false; });
    QVERIFY(!loc.isPortable());
    QVERIFY(loc.enter());
    QCOMPARE(QDir::currentPath(), QFileInfo(user).canonicalFilePath());
    QVERIFY(QDir().mkpath(QStringLiteral("./data")));
    touch(QStringLiteral("./ESetting.ini"));
    QVERIFY(QFileInfo(user + QStringLiteral("/data")).isDir());
    QVERIFY(QFile::exists(user + QStringLiteral("/ESetting.ini")));
    QVERIFY(!QFile::exists(prefix + QStringLiteral("/bin/ESetting.ini")));

    QCOMPARE(DataLocation::resource(QStringLiteral("./icon/Pennibell.png")),
             share + QStringLiteral("/icon/Pennibell.png"));
    QCOMPARE(DataLocation::resource(QStringLiteral("./help/index.html")),
             share + QStringLiteral("/help/index.html"));
}

void TestDataLocation::unreachableUserFolderFallsBackToProgramFolder()
{
    TestEnv::ScratchDir scratch;
    // Nothing, not even root, can make a folder under /proc.
    DataLocation loc(scratch.path(), QStringLiteral("/proc/pennibell-test/Pennibell"), {},
                     [](const QString&) { return false; });
    QVERIFY(!loc.enter());
    QCOMPARE(QDir::currentPath(), QFileInfo(scratch.path()).canonicalFilePath());
}

void TestDataLocation::resolve_data()
{
    QTest::addColumn<QStringList>("inProgram");
    QTest::addColumn<QStringList>("inFirstShare");
    QTest::addColumn<QStringList>("inSecondShare");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("expected"); // folder name: program, share1 or share2

    const QString icon = QStringLiteral("icon/Pennibell.png");
    QTest::newRow("program folder first")
        << QStringList{icon} << QStringList{icon} << QStringList{} << QStringLiteral("./icon/Pennibell.png")
        << QStringLiteral("program");
    QTest::newRow("share when not beside program")
        << QStringList{} << QStringList{icon} << QStringList{icon} << QStringLiteral("./icon/Pennibell.png")
        << QStringLiteral("share1");
    QTest::newRow("folder resource") << QStringList{} << QStringList{QStringLiteral("help/index.html")}
                                     << QStringList{} << QStringLiteral("./help") << QStringLiteral("share1");
    QTest::newRow("missing everywhere")
        << QStringList{} << QStringList{} << QStringList{} << QStringLiteral("./icon/Pennibell.png")
        << QStringLiteral("program");
}

void TestDataLocation::resolve()
{
    QFETCH(QStringList, inProgram);
    QFETCH(QStringList, inFirstShare);
    QFETCH(QStringList, inSecondShare);
    QFETCH(QString, asked);
    QFETCH(QString, expected);

    QTemporaryDir root;
    const QString base = root.path();
    for (const QString& f : inProgram) {
        touch(base + QStringLiteral("/program/") + f);
    }
    for (const QString& f : inFirstShare) {
        touch(base + QStringLiteral("/share1/") + f);
    }
    for (const QString& f : inSecondShare) {
        touch(base + QStringLiteral("/share2/") + f);
    }
    DataLocation loc(base + QStringLiteral("/program"), base + QStringLiteral("/user"),
                     {base + QStringLiteral("/share1"), base + QStringLiteral("/share2")},
                     [](const QString&) { return false; });
    QString rel = asked;
    if (rel.startsWith(QStringLiteral("./"))) {
        rel = rel.mid(2);
    }
    QCOMPARE(loc.resolve(asked), base + QLatin1Char('/') + expected + QLatin1Char('/') + rel);
}

void TestDataLocation::resourceBeforeEnterIsUnchanged()
{
    QCOMPARE(DataLocation::resource(QStringLiteral("./icon/Pennibell.png")),
             QStringLiteral("./icon/Pennibell.png"));
}

void TestDataLocation::writableCheck_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("writable");

    QTest::newRow("scratch folder") << QString() << true;
    QTest::newRow("proc, unwritable even for root") << QStringLiteral("/proc") << false;
    QTest::newRow("missing folder") << QStringLiteral("/nonexistent-pennibell-folder") << false;
    QTest::newRow("a file") << QStringLiteral("/proc/self/status") << false;
}

void TestDataLocation::writableCheck()
{
    QFETCH(QString, path);
    QFETCH(bool, writable);

    TestEnv::ScratchDir scratch;
    const QString dir = path.isEmpty() ? scratch.path() : path;
    QCOMPARE(DataLocation::isWritableDir(dir), writable);
    // The probe leaves nothing behind.
    if (path.isEmpty()) {
        QVERIFY(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }
}

void TestDataLocation::applicationLooksBesideItsPrefix()
{
    const DataLocation loc = DataLocation::forApplication();
    QCOMPARE(loc.programDir(), QCoreApplication::applicationDirPath());
    QVERIFY(!loc.shareDirs().isEmpty());
    QCOMPARE(loc.shareDirs().first(),
             QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/pennibell")));
    // The build tree is writable: tests and "make run" behave as a portable copy.
    QVERIFY(loc.isPortable());
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "testdatalocation.moc"
