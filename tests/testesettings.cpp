// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"
#include "helpers/hostile.h"

#include <QtTest>

class TestESettings : public QObject
{
    Q_OBJECT

private slots:
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
        row("style sheet in a colour",
            options("1", "rgb(1,2,3); } QPushButton { background-image: url(fifo)"), true, "rgb(255,0,0)");
        row("component beyond 255", options("1", "rgb(256,0,0)"), true, "rgb(255,0,0)");
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
        QCOMPARE(s.GetExpiredColor(), color);
        s.SetEffectiveColor("url(x)");
        QCOMPARE(s.GetEffectiveColor(), QStringLiteral("rgb(0,0,255)"));
        QVERIFY(s.SaveOptions());
        QCOMPARE(TestEnv::readAll("outside"), QByteArray("[ESystem]\nAutoStart=true\n"));
    }
};

QTEST_GUILESS_MAIN(TestESettings)
#include "testesettings.moc"
