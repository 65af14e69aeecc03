// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/commandline.h"
#include "core/system/makerinfo.h"

#include <QTest>
#include <QTextStream>

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
        const int run = CommandLine::Run;
        QTest::newRow("no options") << QStringList() << true << run << ""
                                    << "";
        QTest::newRow("--version") << QStringList{"--version"} << true << 0 << version << "";
        QTest::newRow("-v") << QStringList{"-v"} << false << 0 << version << "";
        QTest::newRow("--help") << QStringList{"--help"} << false << 0 << "Usage: "
                                << "";
        QTest::newRow("Qt's options before Qt took them")
            << QStringList{"-platform", "xcb", "-style", "fusion", "--version"} << false << 0 << version
            << "";
        // Read as short options these would be -r -e -v... and -s -t -y -l -e -s -h...
        QTest::newRow("Qt's word options are no clusters")
            << QStringList{"-reverse", "-stylesheet", "a.qss"} << false << run << ""
            << "";
        QTest::newRow("unknown option left for later") << QStringList{"--frob"} << false << run << ""
                                                       << "";
        QTest::newRow("unknown option") << QStringList{"--frob"} << true << 2 << ""
                                        << "pennibell: Unknown option 'frob'.";
        QTest::newRow("stray argument") << QStringList{"file.eda"} << true << 2 << ""
                                        << "'file.eda'";
    }
    void answer()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, strict);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QString written;
        QString complaint;
        QTextStream outStream(&written);
        QTextStream errStream(&complaint);
        QCOMPARE(
            CommandLine::Answer(QStringList{"/usr/bin/pennibell"} + arguments, strict, outStream, errStream),
            code);
        QCOMPARE(written.left(out.isEmpty() ? written.size() : out.size()), out);
        QVERIFY2(complaint.contains(err) && complaint.count('\n') == (err.isEmpty() ? 0 : 1),
                 qPrintable(complaint));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "testcommandline.moc"
