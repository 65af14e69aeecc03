// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/datalocation.h"
#include "support/testenv.h"

#include <QtTest>

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
        const QString program = scratch.file("usr/bin");
        const QString share = scratch.file("usr/share/pennibell");
        TestEnv::writeAll(program + "/pennibell", "x");
        TestEnv::writeAll(share + "/icon/P.png", "x");
        user = user == "home" ? scratch.file("home/Pennibell") : user;
        DataLocation loc(program, user, {share},
                         [&](const QString& dir) { return writable && dir == program; });
        QCOMPARE(loc.isPortable(), portable);
        QCOMPARE(loc.enter(), entered);
        QCOMPARE(QDir::currentPath(), QFileInfo(entered && !portable ? user : program).canonicalFilePath());
        QCOMPARE(QFile::exists(scratch.file("home")), user.startsWith(scratch.path()) && !portable);
        QCOMPARE(DataLocation::resource("./icon/P.png"), share + "/icon/P.png");
    }

    // An installed copy with nowhere to keep its files says why, naming what is missing, rather
    // than running in its own folder with an empty list; a portable copy needs no home.
    void usable_data()
    {
        QTest::addColumn<QString>("user"); // "home": scratch/home/P; "file": under a plain file
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("why"); // empty: usable
        QTest::newRow("home") << "home" << false << "";
        QTest::newRow("portable, no home") << "" << true << "";
        QTest::newRow("no home") << "" << false << "no home folder";
        QTest::newRow("drive not mounted")
            << "/proc/pennibell-mnt/home/P" << false << "/proc/pennibell-mnt does not exist";
        QTest::newRow("not a folder") << "file" << false << "is a file";
        QTest::newRow("read-only") << "/proc" << false << "nothing can be written";
    }
    void usable()
    {
        QFETCH(QString, user);
        QFETCH(bool, writable);
        QFETCH(QString, why);
        TestEnv::ScratchDir scratch;
        TestEnv::writeAll(scratch.file("file"), "x");
        if (user == "home" || user == "file") {
            user = scratch.file(user + "/P");
        }
        const DataLocation loc(scratch.path(), user, {}, [&](const QString&) { return writable; });
        QString error;
        QCOMPARE(loc.Usable(&error), why.isEmpty());
        QVERIFY2(error.contains(why), qPrintable(error));
        // A usable home folder is made on the way.
        QVERIFY(!why.isEmpty() || user.isEmpty() || QFileInfo(user).isDir());
    }

    // The program folder first, then each share in order; a folder is found as a file is.
    void resolve()
    {
        TestEnv::ScratchDir scratch;
        for (const char* f : {"program/icon/P.png", "share1/icon/P.png", "share1/icon/Q.png",
                              "share2/icon/Q.png", "share2/help/index.html"}) {
            TestEnv::writeAll(scratch.file(f), "x");
        }
        DataLocation loc(scratch.file("program"), scratch.file("user"),
                         {scratch.file("share1"), scratch.file("share2")},
                         [](const QString&) { return false; });
        QCOMPARE(loc.resolve("./icon/P.png"), scratch.file("program/icon/P.png"));
        QCOMPARE(loc.resolve("./icon/Q.png"), scratch.file("share1/icon/Q.png"));
        QCOMPARE(loc.resolve("./help"), scratch.file("share2/help"));
        QCOMPARE(loc.resolve("./icon/R.png"), scratch.file("program/icon/R.png"));
        // The writable probe answers for the folder itself and leaves nothing behind.
        QVERIFY(DataLocation::isWritableDir(scratch.path()) && !DataLocation::isWritableDir("/proc"));
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "testdatalocation.moc"
