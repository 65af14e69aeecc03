// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"
#include "support/testenv.h"

#include <QSettings>
#include <QtTest>

class TestESettings : public QObject
{
    Q_OBJECT

private slots:
    // No file to read and none that can be written: the defaults, and a save that says it failed.
    void defaultsAndFailedSave()
    {
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("blocked", "not a folder");
        ESettings s("blocked/ESetting.ini");
        QCOMPARE((QList<bool>{s.GetAutoStart(), s.GetMinStart(), s.GetDelReminder(), s.GetCancelReminder()}),
                 (QList<bool>{false, false, true, true}));
        QCOMPARE((QStringList{s.GetEffectiveColor(), s.GetExpiredColor()}),
                 (QStringList{"rgb(0,0,255)", "rgb(255,0,0)"}));
        s.SetMinStart(true);
        QVERIFY(!s.SaveOptions());
    }

    // "true" and "false" are what a save writes; the save test reads them back.
    void booleanForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("empty") << QByteArray("") << false;
    }
    void booleanForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, expected);
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("ESetting.ini",
                          "[ESystem]\nAutoStart=" + text + "\n[ERemind]\nDelReminder=" + text + "\n");
        ESettings s;
        QCOMPARE(s.GetAutoStart(), expected);
        QCOMPARE(s.GetDelReminder(), expected);
    }

    void saveWritesExactlySixKeysAndIsSeenAtOnce()
    {
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("ESetting.ini", "[Extra]\nhand=made\n");
        ESettings s;
        s.SetAutoStart(true);
        s.SetCancelReminder(false);
        s.SetEffectiveColor("rgb(1,2,3)");
        QVERIFY(s.SaveOptions());
        // A second reader while the first still lives sees the change.
        ESettings t;
        QVERIFY(t.GetAutoStart() && !t.GetCancelReminder());
        QCOMPARE(t.GetEffectiveColor(), QStringLiteral("rgb(1,2,3)"));
        QSettings ini("ESetting.ini", QSettings::IniFormat);
        QCOMPARE(ini.allKeys().size(), 7);
        QCOMPARE(ini.childGroups(), (QStringList{"EColor", "ERemind", "ESystem"}));
        QVERIFY(TestEnv::readAll("ESetting.ini").contains("AutoStart=true"));
    }
};

QTEST_GUILESS_MAIN(TestESettings)
#include "testesettings.moc"
