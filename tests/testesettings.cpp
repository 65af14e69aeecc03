// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"
#include "helpers/hostile.h"

#include <QSettings>
#include <QtTest>

class TestESettings : public QObject
{
    Q_OBJECT

private slots:
    // Every option comes back as saved, in the very bytes Qt's settings writer made of them.
    void savedAsQtSettingsSavedThem()
    {
        TestEnv::ScratchDir dir;
        ESettings s;
        s.SetAutoStart(true);
        s.SetCancelReminder(false);
        s.SetEffectiveColor(QColor(1, 2, 3));
        s.SetExpiredColor(QColor(200, 100, 0, 7));
        s.SetShowRemindersOn(2);
        s.SetPlaySound(true);
        QVERIFY(s.SaveOptions());
        {
            QSettings qt("qt.ini", QSettings::IniFormat);
            for (const auto& [key, value] :
                 QList<QPair<const char*, QVariant>>{{"ESystem/AutoStart", true},
                                                     {"ESystem/MinStart", false},
                                                     {"ERemind/DelReminder", true},
                                                     {"ERemind/CancelReminder", false},
                                                     {"EColor/EffectiveColor", "rgb(1,2,3)"},
                                                     {"EColor/ExpiredColor", "rgb(200,100,0)"},
                                                     {"ESystem/ShowRemindersOn", 2},
                                                     {"ERemind/PlaySound", true}}) {
                qt.setValue(key, value);
            }
        }
        QCOMPARE(TestEnv::readAll("ESetting.ini"), TestEnv::readAll("qt.ini"));
        const ESettings read;
        QCOMPARE((QList<bool>{read.GetAutoStart(), read.GetMinStart(), read.GetDelReminder(),
                              read.GetCancelReminder(), read.GetPlaySound()}),
                 (QList<bool>{true, false, true, false, true}));
        QCOMPARE(read.GetEffectiveColor(), QColor(1, 2, 3));
        QCOMPARE(read.GetExpiredColor(), QColor(200, 100, 0));
        QCOMPARE(read.GetShowRemindersOn(), 2);
    }

    // Hand-edited or planted options: booleans read false only as false, off, no, 0 or
    // nothing, the missing ones as their defaults; a colour is three numbers 0-255 or the
    // default (it goes into style sheets); nothing is read through a link, from a FIFO or a
    // device, and a save replaces the link itself.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("color");
        const auto row = [](const char* name, const QByteArray& file, bool on, const char* color) {
            QTest::newRow(name) << file << on << QString::fromLatin1(color);
        };
        const auto options = [](const QByteArray& flag, const QByteArray& color) {
            return "[ESystem]\nAutoStart=" + flag + "\n[EColor]\nExpiredColor=\"" + color + "\"\n";
        };
        for (const char* flag : {"false", "off", " No ", "0", "", "true"}) {
            row(flag, options(flag, "rgb(1,2,3)"), QByteArray(flag) == "true", "rgb(1,2,3)");
        }
        row("comment lines",
            ";by hand\n[ESystem]\n  "
            ";AutoStart=false\nAutoStart=true\n[EColor]\nExpiredColor=\"rgb(1,2,3)\"\n",
            true, "rgb(1,2,3)");
        row("style sheet in a colour",
            options("1", "rgb(1,2,3); } QPushButton { background-image: url(fifo)"), true, "rgb(255,0,0)");
        row("component beyond 255", options("1", "rgb(256,0,0)"), true, "rgb(255,0,0)");
        row("object syntax", options("@Variant(\\0\\0\\0\\x46)", "@Variant(\\0\\0\\0\\x43)"), true,
            "rgb(255,0,0)");
        row("list nested 3000 deep",
            "[EColor]\nExpiredColor=" + Hostile::variantValue(Hostile::nestedList(3000)) + "\n", false,
            "rgb(255,0,0)");
        for (const char* special : {"link", "fifo", "zero"}) {
            row(special, special, false, "rgb(255,0,0)");
        }
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, on);
        QFETCH(QString, color);
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("outside", "[ESystem]\nAutoStart=true\n");
        Hostile::place("ESetting.ini", file, dir.file("outside"));
        ESettings s;
        QCOMPARE((QList<bool>{s.GetAutoStart(), s.GetMinStart(), s.GetDelReminder(), s.GetCancelReminder()}),
                 (QList<bool>{on, false, true, true}));
        QCOMPARE(ESettings::ColorText(s.GetExpiredColor()), color);
        s.SetEffectiveColor(QColor());
        QCOMPARE(s.GetEffectiveColor(), QColor(0, 0, 255));
        QVERIFY(s.SaveOptions());
        QCOMPARE(TestEnv::readAll("outside"), QByteArray("[ESystem]\nAutoStart=true\n"));
    }

    // Where the main window was left: four numbers, within any screen, of some size; anything
    // else is no place, and the window comes up where the desktop puts it.
    void windowPlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        QTest::newRow("left") << "10, -20,640,480" << QRect(10, -20, 640, 480);
        QTest::newRow("no height") << "10,20,640,0" << QRect();
        QTest::newRow("no width") << "10,20,0,480" << QRect();
        QTest::newRow("beyond any screen") << "100001,0,640,480" << QRect();
        QTest::newRow("three numbers") << "10,20,640" << QRect();
        QTest::newRow("words") << "10,20,wide,480" << QRect();
    }
    void windowPlace()
    {
        QFETCH(QString, text);
        QFETCH(QRect, place);
        QCOMPARE(ESettings::ParsePlace(text), place);
    }
};

QTEST_GUILESS_MAIN(TestESettings)
#include "testesettings.moc"
