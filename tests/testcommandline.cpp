// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/commandline.h"
#include "core/system/makerinfo.h"
#include "core/system/platformchoice.h"

#include <QTest>
#include <QTextStream>

// What the program decides before it opens a window: its answer to the command line, and the
// display platform.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answer_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("strict");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out"); // expected start of the output
        QTest::addColumn<QString>("err"); // expected part of the one error line
        const QString version = "Pennibell " + MakerInfo::VersionNumber() + "\n";
        const auto row = [](const char* name, const QStringList& args, bool strict, int code,
                            const QString& out, const char* err = "") {
            QTest::newRow(name) << args << strict << code << out << QString::fromUtf8(err);
        };
        row("-v", {"-v"}, false, 0, version);
        // Read as short options these would be -r -e -v... and -s -t -y -l -e -s -h...
        row("Qt's word options are no clusters", {"-reverse", "-stylesheet", "a.qss"}, false,
            CommandLine::Run, "");
        row("unknown option left for later", {"--frob"}, false, CommandLine::Run, "");
        row("unknown option", {"--frob"}, true, 2, "", "pennibell: Unknown option 'frob'.");
        row("stray argument", {"file.eda"}, true, 2, "", "'file.eda'");
    }
    void answer()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, strict);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QString written, complaint;
        QTextStream outStream(&written), errStream(&complaint);
        QCOMPARE(
            CommandLine::Answer(QStringList{"/usr/bin/pennibell"} + arguments, strict, outStream, errStream),
            code);
        QCOMPARE(written.left(out.isEmpty() ? written.size() : out.size()), out);
        QVERIFY2(complaint.contains(err) && complaint.count('\n') == (err.isEmpty() ? 0 : 1),
                 qPrintable(complaint));
    }

    // QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY: X11 through XWayland when
    // there is one, unless the user chose.
    void platform_data()
    {
        QTest::addColumn<QByteArrayList>("env");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("wayland display alone")
            << QByteArrayList{"", "tty", "wayland-1", ":0"} << QByteArray("xcb");
        QTest::newRow("user's own choice")
            << QByteArrayList{"offscreen", "wayland", "w-0", ":0"} << QByteArray();
        QTest::newRow("no XWayland") << QByteArrayList{"", "wayland", "wayland-0", ""} << QByteArray();
    }
    void platform()
    {
        QFETCH(QByteArrayList, env);
        QFETCH(QByteArray, expected);
        QCOMPARE(PlatformChoice::choose(env[0], env[1], env[2], env[3]), expected);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "testcommandline.moc"
