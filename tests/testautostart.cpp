// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"
#include "support/testenv.h"

#include <QtTest>

class TestAutoStart : public QObject
{
    Q_OBJECT

private slots:
    // The entry is written only when it would change, put right when the program moved or it
    // was edited by hand, removed when the option goes off, and a failure is reported.
    void entryFollowsTheProgram()
    {
        using O = AutoStart::Outcome;
        TestEnv::ScratchDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        const QString entry = AutoStart::EntryPath();
        QCOMPARE(entry, dir.file("autostart/Pennibell.desktop"));
        QCOMPARE(AutoStart::QuoteExecArgument("/a$x\"`/100%/(#1)"), "\"/a\\$x\\\"\\`/100%%/(#1)\"");
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
