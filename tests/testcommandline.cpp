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
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");     // expected start of the output
        QTest::addColumn<QString>("err");     // expected part of the one error line
        QTest::addColumn<QString>("request"); // the request as "key=value" pairs, sorted
        const QString version = "Pennibell " + MakerInfo::VersionNumber() + "\n";
        const auto row = [](const char* name, const QStringList& args, int code, const QString& out,
                            const char* err = "", const char* request = "") {
            QTest::newRow(name) << args << code << out << QString::fromUtf8(err)
                                << QString::fromUtf8(request);
        };
        row("-v", {"-v"}, 0, version);
        // Read as short options these would be -r -e -v... and -s -t -y -l -e -s -h...
        row("Qt's word options are no clusters", {"-reverse", "-stylesheet", "a.qss", "-platform", "xcb"},
            CommandLine::Run, "");
        row("unknown option", {"--frob"}, 2, "", "pennibell: Unknown option 'frob'.");
        row("stray argument", {"file.eda"}, 2, "", "'file.eda'");
        // As the shell splits them.
        row("split values joined", {"--add", "x", "--at", "2030-01-31", "09:00", "--every", "2", "days"},
            CommandLine::Run, "", "",
            "command=add event.every=2 event.first=2030-01-31 09:00 event.title=x event.unit=days");
        row("list as json", {"--list", "--json"}, CommandLine::Run, "", "", "command=list json=true");
        row("snooze range", {"--snooze", "9999999"}, 2, "", "minutes");
    }
    void answer()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, request);
        QString written, complaint;
        QTextStream outStream(&written), errStream(&complaint);
        QVariantMap made;
        QCOMPARE(
            CommandLine::Answer(QStringList{"/usr/bin/pennibell"} + arguments, outStream, errStream, &made),
            code);
        QStringList pairs;
        for (auto it = made.cbegin(); it != made.cend(); ++it) {
            if (it.value().typeId() == QMetaType::QVariantMap) {
                const QVariantMap inner = it.value().toMap();
                for (auto in = inner.cbegin(); in != inner.cend(); ++in) {
                    pairs << it.key() + '.' + in.key() + '=' + in.value().toString();
                }
            } else {
                pairs << it.key() + '=' + it.value().toString();
            }
        }
        QCOMPARE(pairs.join(' '), request);
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
