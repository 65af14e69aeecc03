// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/commandline.h"

#include "core/system/makerinfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int CommandLine::Answer(const QStringList& arguments, bool strict, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words; read as clusters of short options, "-reverse" would
    // ask for the version and "-stylesheet" for the help.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Picture reminders on your desktop."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "Show this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine", "Show the version and licence and exit."));
    parser.addOption(help);
    parser.addOption(version);

    const bool parsed = parser.parse(arguments);
    const QStringList stray = parser.positionalArguments();
    if (strict && (!parsed || !stray.isEmpty())) {
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("pennibell"))).fileName();
        const QString problem =
            parsed
                ? QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.").arg(stray.first())
                : parser.errorText();
        err << program << ": " << problem << ' '
            << QCoreApplication::translate("CommandLine", "Try '%1 --help'.").arg(program) << Qt::endl;
        return UsageExitCode;
    }
    if (parser.isSet(help)) {
        out << parser.helpText() << Qt::flush;
        return 0;
    }
    if (parser.isSet(version)) {
        out << "Pennibell " << MakerInfo::VersionNumber() << '\n'
            << MakerInfo::Copyright() << '\n'
            << MakerInfo::Licence() << Qt::endl;
        return 0;
    }
    return Run;
}
