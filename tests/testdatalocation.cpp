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
        touch(program + QStringLiteral("/pennibell"));
        touch(share + QStringLiteral("/icon/P.png"));
        user = user == QStringLiteral("home") ? scratch.file(QStringLiteral("home/Pennibell")) : user;
        DataLocation loc(program, user, {share},
                         [&](const QString& dir) { return writable && dir == program; });
        QCOMPARE(loc.isPortable(), portable);
        QCOMPARE(loc.enter(), entered);
        QCOMPARE(QDir::currentPath(), QFileInfo(entered && !portable ? user : program).canonicalFilePath());
        QCOMPARE(QFile::exists(scratch.file(QStringLiteral("home"))),
                 user.startsWith(scratch.path()) && !portable);
        QCOMPARE(DataLocation::resource(QStringLiteral("./icon/P.png")),
                 share + QStringLiteral("/icon/P.png"));
    }

    void resolve_data()
    {
        QTest::addColumn<QStringList>("present"); // folder/file, folders program, share1, share2
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& present, const char* asked,
                            const char* expected) {
            QTest::newRow(name) << present << QString::fromLatin1(asked) << QString::fromLatin1(expected);
        };
        row("program folder first", {"program/icon/P.png", "share1/icon/P.png"}, "./icon/P.png", "program");
        row("first share before the second", {"share1/icon/P.png", "share2/icon/P.png"}, "./icon/P.png",
            "share1");
        row("folder resource", {"share2/help/index.html"}, "./help", "share2");
        row("missing everywhere", {}, "./icon/P.png", "program");
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
        // The writable probe answers for the folder itself and leaves nothing behind.
        QVERIFY(DataLocation::isWritableDir(scratch.path()) && !DataLocation::isWritableDir("/proc"));
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
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
