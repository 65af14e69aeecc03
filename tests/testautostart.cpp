// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"
#include "support/testenv.h"

#include <QDir>
#include <QtTest>

class TestAutoStart : public QObject
{
    Q_OBJECT

private slots:
    void quoteExecArgument_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("quoted");
        const auto row = [](const char* path, const char* quoted) {
            QTest::newRow(path) << QString::fromUtf8(path) << QString::fromUtf8(quoted);
        };
        row("/opt/pennibell/pennibell", "/opt/pennibell/pennibell");
        row("/home/a b/pennibell", "\"/home/a b/pennibell\"");
        row("/opt/$x/p", "\"/opt/\\$x/p\"");
        row("/opt/a\"b/p", "\"/opt/a\\\"b/p\"");
        row("/opt/a`b/p", "\"/opt/a\\`b/p\"");
        row("/opt/100%/p", "/opt/100%%/p");
        row("/opt/(#1)/p", "\"/opt/(#1)/p\"");
    }
    void quoteExecArgument()
    {
        QFETCH(QString, path);
        QFETCH(QString, quoted);
        QCOMPARE(AutoStart::QuoteExecArgument(path), quoted);
    }

    // The entry is written only when it would change, put right when the program moved or it
    // was edited by hand, removed when the option goes off, and a failure is reported.
    void entryFollowsTheProgram()
    {
        using O = AutoStart::Outcome;
        TestEnv::ScratchDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        const QString entry = AutoStart::EntryPath();
        QCOMPARE(entry, dir.file("autostart/Pennibell.desktop"));
        QCOMPARE(AutoStart::Apply(false, "/opt/p/pennibell", "/i.png"), O::Unchanged);
        QVERIFY(!QFileInfo::exists(QFileInfo(entry).path()));
        QCOMPARE(AutoStart::Apply(true, "/opt/a b/c\\d", "/i.png"), O::Written);
        // Quoted for the Exec rules, then the backslashes escaped again as a string value.
        QVERIFY(TestEnv::readAll(entry).contains("\nExec=\"/opt/a b/c\\\\\\\\d\"\n"));
        QCOMPARE(AutoStart::Apply(true, "/opt/a b/c\\d", "/i.png"), O::Unchanged);
        QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/i.png"), O::Written);
        QVERIFY(TestEnv::readAll(entry).contains("\nExec=/srv/p/pennibell\n"));
        TestEnv::writeAll(entry, "[Desktop Entry]\nHidden=true\n");
        QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/i.png"), O::Written);
        QCOMPARE(TestEnv::readAll(entry), AutoStart::EntryText("/srv/p/pennibell", "/i.png"));
        QCOMPARE(AutoStart::Apply(false, "/srv/p/pennibell", "/i.png"), O::Removed);
        QVERIFY(!QFileInfo::exists(entry));
        QDir(dir.file("autostart")).removeRecursively();
        TestEnv::writeAll(dir.file("autostart"), "not a folder");
        QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/i.png"), O::Failed);
    }
};

QTEST_GUILESS_MAIN(TestAutoStart)
#include "testautostart.moc"
