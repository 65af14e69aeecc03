#include "esettings.h"
#include "testenv.h"

#include <QSettings>
#include <QtTest>

class TestESettings : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        TestEnv::ScratchDir dir;
        ESettings s;
        QCOMPARE(s.GetAutoStart(), false);
        QCOMPARE(s.GetMinStart(), false);
        QCOMPARE(s.GetDelReminder(), true);
        QCOMPARE(s.GetCancelReminder(), true);
        QCOMPARE(s.GetEffectiveColor(), QStringLiteral("rgb(0,0,255)"));
        QCOMPARE(s.GetExpiredColor(), QStringLiteral("rgb(255,0,0)"));
    }

    void booleanForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("true") << QByteArray("true") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("false") << QByteArray("false") << false;
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
        QCOMPARE(t.GetAutoStart(), true);
        QCOMPARE(t.GetCancelReminder(), false);
        QCOMPARE(t.GetEffectiveColor(), QStringLiteral("rgb(1,2,3)"));
        QSettings ini("ESetting.ini", QSettings::IniFormat);
        QCOMPARE(ini.allKeys().size(), 6);
        QCOMPARE(ini.childGroups(), (QStringList{"EColor", "ERemind", "ESystem"}));
        QVERIFY(TestEnv::readAll("ESetting.ini").contains("AutoStart=true"));
    }

    void failedSaveIsReported()
    {
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("blocked", "not a folder");
        ESettings s("blocked/ESetting.ini");
        s.SetMinStart(true);
        QVERIFY(!s.SaveOptions());
    }
};

QTEST_GUILESS_MAIN(TestESettings)
#include "testesettings.moc"
