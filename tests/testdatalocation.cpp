// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/datalocation.h"
#include "support/testenv.h"

#include <QDir>
#include <QTest>

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { DataLocation::clearCurrent(); }

    void layout_data()
    {
        QTest::addColumn<QString>("user"); // "home": a folder in the scratch area
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("portable");
        QTest::addColumn<bool>("entered");
        QTest::newRow("portable") << "home" << true << true << true;
        QTest::newRow("installed") << "home" << false << false << true;
        QTest::newRow("no home folder") << "" << false << true << true;
        // Nothing, not even root, can make a folder under /proc.
        QTest::newRow("user folder unreachable") << "/proc/pennibell-test/P" << false << false << false;
    }
    void layout()
    {
        QFETCH(QString, user);
        QFETCH(bool, writable);
        QFETCH(bool, portable);
        QFETCH(bool, entered);
        TestEnv::ScratchDir scratch;
        const QString program = scratch.file(QStringLiteral("usr/bin"));
        const QString share = scratch.file(QStringLiteral("usr/share/pennibell"));
        QVERIFY(QDir().mkpath(program));
        touch(share + QStringLiteral("/icon/Pennibell.png"));
        if (user == QStringLiteral("home")) {
            user = scratch.file(QStringLiteral("home/Pennibell"));
        }
        const QString icon = QStringLiteral("./icon/Pennibell.png");
        QCOMPARE(DataLocation::resource(icon), icon);

        DataLocation loc(program, user, {share},
                         [&](const QString& dir) { return writable && dir == program; });
        QCOMPARE(loc.isPortable(), portable);
        QCOMPARE(loc.enter(), entered);
        const QString work = entered && !portable ? user : program;
        QCOMPARE(QDir::currentPath(), QFileInfo(work).canonicalFilePath());
        QCOMPARE(QFile::exists(scratch.file(QStringLiteral("home"))),
                 user.startsWith(scratch.path()) && !portable);
        QCOMPARE(DataLocation::resource(icon), share + icon.mid(1));
    }

    void resolve_data()
    {
        QTest::addColumn<QStringList>("present"); // folder/file, folders program, share1, share2
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected");
        const QString icon = QStringLiteral("./icon/Pennibell.png");
        QTest::newRow("program folder first")
            << QStringList{"program/icon/Pennibell.png", "share1/icon/Pennibell.png"} << icon << "program";
        QTest::newRow("first share before the second")
            << QStringList{"share1/icon/Pennibell.png", "share2/icon/Pennibell.png"} << icon << "share1";
        QTest::newRow("folder resource") << QStringList{"share2/help/index.html"} << "./help"
                                         << "share2";
        QTest::newRow("missing everywhere") << QStringList{} << icon << "program";
    }
    void resolve()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        TestEnv::ScratchDir scratch;
        for (const QString& f : present) {
            touch(scratch.file(f));
        }
        DataLocation loc(scratch.file("program"), scratch.file("user"),
                         {scratch.file("share1"), scratch.file("share2")},
                         [](const QString&) { return false; });
        QCOMPARE(loc.resolve(asked), scratch.file(expected + asked.mid(1)));
    }

    void writableCheck_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("writable");
        QTest::newRow("scratch folder") << QString() << true;
        QTest::newRow("proc, unwritable even for root") << QStringLiteral("/proc") << false;
        QTest::newRow("missing folder") << QStringLiteral("/nonexistent-pennibell-folder") << false;
        QTest::newRow("a file") << QStringLiteral("/proc/self/status") << false;
    }
    void writableCheck()
    {
        QFETCH(QString, path);
        QFETCH(bool, writable);
        TestEnv::ScratchDir scratch;
        QCOMPARE(DataLocation::isWritableDir(path.isEmpty() ? scratch.path() : path), writable);
        // The probe leaves nothing behind.
        QVERIFY(QDir(scratch.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

private:
    static void touch(const QString& path)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        TestEnv::writeAll(path, "x");
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "testdatalocation.moc"
