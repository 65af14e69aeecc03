// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/commandline.h"

#include "core/calendar/calendarcodec.h"
#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarimport.h"
#include "core/events/clock.h"
#include "core/events/eventrequest.h"
#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "core/picture/pictureimport.h"
#include "core/storage/datalocation.h"
#include "core/sync/booksync.h"
#include "core/sync/synccommand.h"
#include "core/system/datafolderlock.h"
#include "core/system/makerinfo.h"
#include "core/system/singleinstance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <functional>

namespace {

// How long a command waits for the running program's answer, and for the data folder's lock
// that another command or a starting program holds for a moment.
constexpr int AnswerMSecs = 20000;
// A sync answers when it ends: a first one with many pictures takes minutes.
constexpr int SyncAnswerMSecs = 11 * 60 * 1000;
constexpr int LockMSecs = 20000;

const QString CommandKey = QStringLiteral("command");

// One event command: its option, the option's value name (empty for a flag), what it does.
// Another command is one more row here and, when it changes events, one more case in run().
struct Command
{
    const char* name;
    const char* valueName;
    const char* help;
    // What the command puts in the request besides its own value.
    std::function<bool(const QCommandLineParser&, QVariantMap*, QString*)> fill;
    // Carries it out; `running` is false when this process works on the store itself.
    std::function<int(const QVariantMap&, ReminderBook&, bool, QString*, QString*)> run;
};

// Options that only qualify a command.
struct Modifier
{
    const char* name;
    const char* valueName;
    const char* help;
    const char* command;
};

int failed(QString* err, const QString& why)
{
    *err = why;
    return CommandLine::FailedExitCode;
}

int usage(QString* err, const QString& why)
{
    *err = why;
    return CommandLine::UsageExitCode;
}

QString readableTime(const QDateTime& dt)
{
    return LocalTime::IsSet(dt) ? LocalTime::Normalized(dt).toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                : QString();
}

QString recurrence(const AffairPeriod& period)
{
    // Whole phrases rather than a count and a unit word, which other languages inflect.
    const int n = period.UnitCount();
    switch (period.MainUnit()) {
    case AffairPeriod::Unit::Minute:
        return n == 1 ? CommandLine::tr("every minute") : CommandLine::tr("every %1 minutes").arg(n);
    case AffairPeriod::Unit::Hour:
        return n == 1 ? CommandLine::tr("every hour") : CommandLine::tr("every %1 hours").arg(n);
    case AffairPeriod::Unit::Day:
        return n == 1 ? CommandLine::tr("every day") : CommandLine::tr("every %1 days").arg(n);
    case AffairPeriod::Unit::Week:
        return n == 1 ? CommandLine::tr("every week") : CommandLine::tr("every %1 weeks").arg(n);
    case AffairPeriod::Unit::Month:
        return n == 1 ? CommandLine::tr("every month") : CommandLine::tr("every %1 months").arg(n);
    case AffairPeriod::Unit::Year:
        return n == 1 ? CommandLine::tr("every year") : CommandLine::tr("every %1 years").arg(n);
    case AffairPeriod::Unit::Once:
        break;
    }
    return CommandLine::tr("once");
}

// The list as a table with a header line, columns padded to their widest cell.
QString table(const AffairList& list)
{
    QList<QStringList> rows;
    rows << QStringList{CommandLine::tr("Title"), CommandLine::tr("Next due"), CommandLine::tr("Recurrence"),
                        CommandLine::tr("State"), CommandLine::tr("Identifier")};
    for (int i = 0; i < list.Count(); ++i) {
        AffairInfo r = list.At(i);
        QString title = r.GetAffairTitle().simplified();
        if (title.size() > 40) {
            title = title.left(39) + QChar(0x2026);
        }
        QString state = r.IsActive() ? CommandLine::tr("active") : CommandLine::tr("expired");
        QString next = r.IsActive() ? readableTime(r.GetNextTime()) : QString();
        if (r.SnoozeSecs() > 0) {
            state = CommandLine::tr("snoozed");
            next = readableTime(LocalTime::FromSecs(r.SnoozeSecs()));
        }
        rows << QStringList{title, next, recurrence(r.GetPeriod()), state, r.GetAffairID()};
    }
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList& row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            widths[c] = qMax(widths[c], int(row[c].size()));
        }
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            line += c + 1 < row.size() ? row[c].leftJustified(widths[c] + 2) : row[c];
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

int runAdd(const QVariantMap& request, ReminderBook& book, bool, QString* out, QString* err)
{
    const QVariantMap fields = request.value(QStringLiteral("event")).toMap();
    AffairInfo record;
    QString why;
    if (!EventRequest::FromMap(fields, Clock::now(), &record, &why)) {
        return usage(err, why);
    }
    QImage picture;
    const QString file = fields.value(QStringLiteral("pictureFile")).toString();
    if (file.isEmpty()) {
        picture = PictureImport::FromTitle(record.GetAffairTitle());
    } else if (!QDir::isAbsolutePath(file)) {
        return usage(err, CommandLine::tr("The picture file must be given by its full path."));
    } else if (!PictureImport::Read(file, &picture, &why)) {
        return failed(err, why);
    }
    QString id;
    if (!book.Add(record, picture, &id, &why)) {
        return failed(err, CommandLine::tr("The event was not added: %1").arg(why));
    }
    *out = id + QLatin1Char('\n');
    return 0;
}

int runList(const QVariantMap& request, ReminderBook& book, bool, QString* out, QString*)
{
    const AffairList& list = book.Events();
    if (!request.value(QStringLiteral("json")).toBool()) {
        *out = table(list);
        return 0;
    }
    QJsonArray array;
    for (int i = 0; i < list.Count(); ++i) {
        array.append(QJsonObject::fromVariantMap(EventRequest::Describe(list.At(i))));
    }
    *out = QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    return 0;
}

int runRemove(const QVariantMap& request, ReminderBook& book, bool, QString*, QString* err)
{
    const QString id = request.value(QStringLiteral("id")).toString();
    if (!book.Find(id)) {
        return failed(err, CommandLine::tr("No event has the identifier %1.").arg(id.left(80)));
    }
    QString why;
    if (!book.Remove(id, &why)) {
        return failed(err, CommandLine::tr("The event was not removed: %1").arg(why));
    }
    return 0;
}

int runShow(const QVariantMap& request, ReminderBook& book, bool running, QString*, QString* err)
{
    const QString id = request.value(QStringLiteral("id")).toString();
    if (!book.Find(id)) {
        return failed(err, CommandLine::tr("No event has the identifier %1.").arg(id.left(80)));
    }
    if (!running) {
        return failed(err, CommandLine::tr("Pennibell is not running: start it to show a reminder."));
    }
    QString why;
    return book.ShowNow(id, &why) ? 0 : failed(err, why);
}

int runDismiss(const QVariantMap&, ReminderBook& book, bool running, QString*, QString* err)
{
    if (!running || !book.OnScreen()) {
        return failed(err, CommandLine::tr("No reminder is on screen."));
    }
    book.Dismiss();
    return 0;
}

// The longest snooze anyone asks for: a year.
constexpr qint64 MaxSnoozeMinutes = 366LL * 24 * 60;

QString snoozeRange(const QString& given)
{
    return CommandLine::tr("'%1' is no number of minutes from 1 to %2.")
        .arg(given.left(40))
        .arg(MaxSnoozeMinutes);
}

int runSnooze(const QVariantMap& request, ReminderBook& book, bool running, QString*, QString* err)
{
    bool ok = false;
    const qint64 minutes = request.value(QStringLiteral("minutes")).toLongLong(&ok);
    if (!ok || minutes < 1 || minutes > MaxSnoozeMinutes) {
        return usage(err, snoozeRange(request.value(QStringLiteral("minutes")).toString()));
    }
    if (!running || book.Showing().isEmpty()) {
        return failed(err, CommandLine::tr("No reminder is on screen."));
    }
    QString why;
    return book.Snooze(Clock::nowSecs() + minutes * 60, &why) ? 0 : failed(err, why);
}

int runNext(const QVariantMap&, ReminderBook& book, bool, QString* out, QString*)
{
    const std::optional<AffairInfo> next = book.NextDue();
    const std::optional<QDateTime> when = book.NextDueTime();
    if (!next || !when) {
        return CommandLine::FailedExitCode;
    }
    *out =
        readableTime(*when) + QStringLiteral("  ") + next->GetAffairTitle().simplified() + QLatin1Char('\n');
    return 0;
}

bool fillNothing(const QCommandLineParser&, QVariantMap*, QString*)
{
    return true;
}

int runExport(const QVariantMap& request, ReminderBook& book, bool, QString*, QString* err)
{
    QString why;
    return CalendarExport::WriteFile(book, request.value(QStringLiteral("ids")).toStringList(),
                                     request.value(QStringLiteral("file")).toString(), &why)
               ? 0
               : failed(err, why);
}

int runImport(const QVariantMap& request, ReminderBook& book, bool, QString* out, QString* err)
{
    QString printed;
    QString problems;
    QTextStream toOut(&printed);
    QTextStream toErr(&problems);
    const int status = CalendarImport::Run(book, request.value(QStringLiteral("file")).toString(),
                                           request.value(QStringLiteral("strict")).toBool(), toOut, toErr);
    toOut.flush();
    toErr.flush();
    *out = printed;
    *err = problems;
    return status;
}

// Only without a running program: the running one syncs through its own service.
int runSync(const QVariantMap& request, ReminderBook& book, bool running, QString* out, QString* err)
{
    if (running) {
        return failed(err, CommandLine::tr("This program cannot sync from here."));
    }
    BookSync side(&book);
    CalendarCodec codec;
    KeychainKeeper keeper;
    QString printed;
    QString problems;
    QTextStream toOut(&printed);
    QTextStream toErr(&problems);
    const QString setUp = request.value(QStringLiteral("url")).toString();
    const int status =
        setUp.isEmpty()
            ? SyncCommand::SyncOnce(side, codec, keeper, toOut, toErr)
            : SyncCommand::SetUp(side, codec, keeper, QUrl(setUp),
                                 request.value(QStringLiteral("user")).toString(),
                                 request.value(QStringLiteral("password")).toString(), toOut, toErr);
    toOut.flush();
    toErr.flush();
    *out = printed;
    *err = problems.trimmed();
    return status;
}

// The running program has another current folder: files are named in full.
QString fullPath(const QCommandLineParser& p, const char* option)
{
    return QFileInfo(p.value(QString::fromLatin1(option))).absoluteFilePath();
}

const QList<Command>& commands()
{
    static const QList<Command> table = {
        {"add", QT_TRANSLATE_NOOP("CommandLine", "TITLE"),
         QT_TRANSLATE_NOOP("CommandLine", "Make an event and print its identifier. Needs --at."),
         [](const QCommandLineParser& p, QVariantMap* request, QString* error) {
             QVariantMap event;
             event.insert(QStringLiteral("title"), p.value(QStringLiteral("add")));
             if (!p.isSet(QStringLiteral("at"))) {
                 *error = CommandLine::tr("--add needs --at WHEN.");
                 return false;
             }
             event.insert(QStringLiteral("first"), p.value(QStringLiteral("at")));
             if (p.isSet(QStringLiteral("every"))) {
                 qint64 count = 0;
                 QString unit;
                 if (!EventRequest::ParseEvery(p.value(QStringLiteral("every")), &count, &unit, error)) {
                     return false;
                 }
                 event.insert(QStringLiteral("every"), count);
                 event.insert(QStringLiteral("unit"), unit);
             }
             if (p.isSet(QStringLiteral("effect"))) {
                 event.insert(QStringLiteral("effect"), p.value(QStringLiteral("effect")));
             }
             if (p.isSet(QStringLiteral("picture"))) {
                 // The running program has another current folder.
                 event.insert(QStringLiteral("pictureFile"),
                              QFileInfo(p.value(QStringLiteral("picture"))).absoluteFilePath());
             }
             // Refused here already, so that a mistake needs no running program.
             AffairInfo record;
             if (!EventRequest::FromMap(event, Clock::now(), &record, error)) {
                 return false;
             }
             request->insert(QStringLiteral("event"), event);
             return true;
         },
         runAdd},
        {"list", "",
         QT_TRANSLATE_NOOP("CommandLine", "List the events: title, next due, recurrence, state, identifier."),
         [](const QCommandLineParser& p, QVariantMap* request, QString*) {
             request->insert(QStringLiteral("json"), p.isSet(QStringLiteral("json")));
             return true;
         },
         runList},
        {"remove", QT_TRANSLATE_NOOP("CommandLine", "ID"),
         QT_TRANSLATE_NOOP("CommandLine", "Remove the event with this identifier."),
         [](const QCommandLineParser& p, QVariantMap* request, QString*) {
             request->insert(QStringLiteral("id"), p.value(QStringLiteral("remove")));
             return true;
         },
         runRemove},
        {"show", QT_TRANSLATE_NOOP("CommandLine", "ID"),
         QT_TRANSLATE_NOOP("CommandLine", "Put the event's reminder on screen now, as a preview does."),
         [](const QCommandLineParser& p, QVariantMap* request, QString*) {
             request->insert(QStringLiteral("id"), p.value(QStringLiteral("show")));
             return true;
         },
         runShow},
        {"dismiss", "", QT_TRANSLATE_NOOP("CommandLine", "Take the reminder on screen away."), fillNothing,
         runDismiss},
        {"snooze", QT_TRANSLATE_NOOP("CommandLine", "MINUTES"),
         QT_TRANSLATE_NOOP("CommandLine", "Bring the reminder on screen back in this many minutes."),
         [](const QCommandLineParser& p, QVariantMap* request, QString* error) {
             bool ok = false;
             const QString text = p.value(QStringLiteral("snooze"));
             const qint64 minutes = text.toLongLong(&ok);
             if (!ok || minutes < 1 || minutes > MaxSnoozeMinutes) {
                 *error = snoozeRange(text);
                 return false;
             }
             request->insert(QStringLiteral("minutes"), minutes);
             return true;
         },
         runSnooze},
        {"next", "",
         QT_TRANSLATE_NOOP("CommandLine",
                           "Print the next reminder's time and title; exit status 1 when none."),
         fillNothing, runNext},
        {"export", QT_TRANSLATE_NOOP("CommandLine", "FILE.ics"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "Write the events (or only those whose identifiers follow) as an iCalendar file."),
         [](const QCommandLineParser& p, QVariantMap* request, QString*) {
             request->insert(QStringLiteral("file"), fullPath(p, "export"));
             request->insert(QStringLiteral("ids"), p.positionalArguments());
             return true;
         },
         runExport},
        {"import", QT_TRANSLATE_NOOP("CommandLine", "FILE.ics"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "Read the events and to-dos of an iCalendar file; what cannot be represented "
                           "is listed and left out."),
         [](const QCommandLineParser& p, QVariantMap* request, QString*) {
             request->insert(QStringLiteral("file"), fullPath(p, "import"));
             request->insert(QStringLiteral("strict"), p.isSet(QStringLiteral("strict")));
             return true;
         },
         runImport},
        {"sync", "",
         QT_TRANSLATE_NOOP("CommandLine",
                           "Sync the events with the calendar set up on the Sync page or with --sync-to, "
                           "and print the result."),
         fillNothing, runSync},
        {"sync-to", QT_TRANSLATE_NOOP("CommandLine", "URL"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "Sync with this CalDAV calendar (or the calendar \"Pennibell\" on this server, "
                           "made when missing) from now on, then sync. Needs --user; the password is the "
                           "first line of standard input."),
         [](const QCommandLineParser& p, QVariantMap* request, QString* error) {
             const QUrl url = QUrl::fromUserInput(p.value(QStringLiteral("sync-to")));
             if (!p.isSet(QStringLiteral("user")) || p.value(QStringLiteral("user")).trimmed().isEmpty()) {
                 *error = CommandLine::tr("--sync-to needs --user NAME.");
                 return false;
             }
             if (!DavClient::Allowed(url, error)) {
                 return false;
             }
             // Read here, so that a running program gets it with the request.
             QTextStream in(stdin);
             const QString password = in.readLine();
             if (password.isEmpty()) {
                 *error = CommandLine::tr("No password came on standard input.");
                 return false;
             }
             request->insert(QStringLiteral("url"), url.toString());
             request->insert(QStringLiteral("user"), p.value(QStringLiteral("user")).trimmed());
             request->insert(QStringLiteral("password"), password);
             return true;
         },
         runSync},
    };
    return table;
}

const QList<Modifier>& modifiers()
{
    static const QList<Modifier> table = {
        {"at", QT_TRANSLATE_NOOP("CommandLine", "WHEN"),
         QT_TRANSLATE_NOOP(
             "CommandLine",
             "With --add: when it falls due, \"2027-01-31 09:00\" in local time or \"+N UNIT\" from now."),
         "add"},
        {"every", QT_TRANSLATE_NOOP("CommandLine", "N UNIT"),
         QT_TRANSLATE_NOOP(
             "CommandLine",
             "With --add: repeat every N minutes, hours, days, weeks, months or years (min, h, d, w, mo, y). "
             "Without it, once."),
         "add"},
        {"picture", QT_TRANSLATE_NOOP("CommandLine", "FILE"),
         QT_TRANSLATE_NOOP(
             "CommandLine",
             "With --add: the picture to show (PNG, JPEG, BMP, GIF, ...); white is transparent. "
             "Without it, the title in large letters."),
         "add"},
        {"effect", QT_TRANSLATE_NOOP("CommandLine", "NAME"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "With --add: the effect, named as in the event dialog (\"Push Left\")."),
         "add"},
        {"json", "", QT_TRANSLATE_NOOP("CommandLine", "With --list: one JSON array of objects."), "list"},
        {"user", QT_TRANSLATE_NOOP("CommandLine", "NAME"),
         QT_TRANSLATE_NOOP("CommandLine", "With --sync-to: the user name on the calendar server."),
         "sync-to"},
        {"strict", "",
         QT_TRANSLATE_NOOP("CommandLine",
                           "With --import: import nothing when anything cannot be represented."),
         "import"},
    };
    return table;
}

// Qt's own options, taken by the application object; known here so that they are no mistake.
const char* const QtValueOptions[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon",  "qwindowtitle",       "session",       "display", "style",
    "stylesheet",   "geometry",           "title",         "name",    "icon",
    "qmljsdebugger"};
// Qt's X11 "-sync" is left out: --sync is the program's own.
const char* const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "testability"};

// "--every 2 days" and "--at 2027-01-31 09:00" as the shell splits them: the second word is
// joined back to its option's value.
QStringList joinSplitValues(const QStringList& arguments)
{
    static const QRegularExpression number(QStringLiteral("^\\+?[0-9]+$"));
    static const QRegularExpression date(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    static const QRegularExpression time(QStringLiteral("^[0-9]{2}:[0-9]{2}(:[0-9]{2})?$"));
    QStringList joined;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        joined << arg;
        const bool at = arg == QLatin1String("--at") || arg == QLatin1String("-at");
        const bool every = arg == QLatin1String("--every") || arg == QLatin1String("-every");
        if ((!at && !every) || i + 2 >= arguments.size()) {
            continue;
        }
        const QString& value = arguments.at(i + 1);
        const QString& word = arguments.at(i + 2);
        const bool unit = number.match(value).hasMatch() && EventRequest::ParseUnit(word).has_value() &&
                          (every || value.startsWith(QLatin1Char('+')));
        const bool clock = at && date.match(value).hasMatch() && time.match(word).hasMatch();
        if (unit || clock) {
            joined << value + QLatin1Char(' ') + word;
            i += 2;
        }
    }
    return joined;
}

int printed(QTextStream& out, QTextStream& err, int status, const QString& text, const QString& problem)
{
    out << text << Qt::flush;
    if (!problem.isEmpty()) {
        err << "pennibell: " << problem << Qt::endl;
    }
    return status;
}

// Works on the store of the current folder, holding its lock.
int carryHere(const QVariantMap& request, QTextStream& out, QTextStream& err)
{
    if (!DataLocation::MakeFolders()) {
        return printed(out, err, CommandLine::FailedExitCode, QString(),
                       CommandLine::tr("The data folder %1 cannot be made.")
                           .arg(QDir::toNativeSeparators(QDir::currentPath())));
    }
    ReminderBook book;
    QString why;
    if (!book.Load(&why)) {
        return printed(out, err, CommandLine::FailedExitCode, QString(), why);
    }
    QString text, problem;
    const int status = CommandLine::Execute(request, book, false, &text, &problem);
    return printed(out, err, status, text, problem);
}

} // namespace

int CommandLine::Answer(const QStringList& rawArguments, QTextStream& out, QTextStream& err,
                        QVariantMap* request)
{
    const QStringList arguments = joinSplitValues(rawArguments);
    QCommandLineParser parser;
    // Qt's options are single-dash words; read as clusters of short options, "-reverse" would
    // ask for the version and "-stylesheet" for the help.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        CommandLine::tr("Picture reminders on your desktop.\n\n"
                        "Without options, Pennibell starts and waits in the system tray. The event "
                        "options work the same whether it is running or not, and need no display. "
                        "Exit status: 0 done, 1 failed, 2 wrong usage."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  CommandLine::tr("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     CommandLine::tr("Show the version and licence and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const Command& c : commands()) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(c.name), CommandLine::tr(c.help),
                                            *c.valueName ? CommandLine::tr(c.valueName) : QString()));
    }
    for (const Modifier& m : modifiers()) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(m.name), CommandLine::tr(m.help),
                                            *m.valueName ? CommandLine::tr(m.valueName) : QString()));
    }
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = QFileInfo(arguments.value(0, QStringLiteral("pennibell"))).fileName();
    const auto wrong = [&](const QString& problem) {
        err << program << ": " << problem << ' ' << CommandLine::tr("Try '%1 --help'.").arg(program)
            << Qt::endl;
        return UsageExitCode;
    };
    if (!parser.parse(arguments)) {
        return wrong(parser.errorText());
    }
    // Only --export takes more: the identifiers of the events to write.
    if (!parser.positionalArguments().isEmpty() && !parser.isSet(QStringLiteral("export"))) {
        return wrong(
            CommandLine::tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first().left(80)));
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
    const Command* chosen = nullptr;
    for (const Command& c : commands()) {
        const QString name = QString::fromLatin1(c.name);
        if (!parser.isSet(name)) {
            continue;
        }
        if (chosen) {
            return wrong(CommandLine::tr("--%1 and --%2 cannot go together.")
                             .arg(QString::fromLatin1(chosen->name), name));
        }
        if (parser.values(name).size() > 1) {
            return wrong(CommandLine::tr("--%1 is given more than once.").arg(name));
        }
        chosen = &c;
    }
    for (const Modifier& m : modifiers()) {
        const QString name = QString::fromLatin1(m.name);
        if (parser.isSet(name) && (!chosen || qstrcmp(chosen->name, m.command) != 0)) {
            return wrong(
                CommandLine::tr("--%1 goes only with --%2.").arg(name, QString::fromLatin1(m.command)));
        }
    }
    if (!chosen) {
        return Run;
    }
    QVariantMap made;
    made.insert(CommandKey, QString::fromLatin1(chosen->name));
    QString problem;
    if (!chosen->fill(parser, &made, &problem)) {
        err << program << ": " << problem << Qt::endl;
        return UsageExitCode;
    }
    if (request) {
        *request = made;
    }
    return Run;
}

int CommandLine::Execute(const QVariantMap& request, ReminderBook& book, bool running, QString* out,
                         QString* err)
{
    const QString name = request.value(CommandKey).toString();
    for (const Command& c : commands()) {
        if (name == QLatin1String(c.name)) {
            return c.run(request, book, running, out, err);
        }
    }
    return usage(err, CommandLine::tr("Unknown request '%1'.").arg(name.left(40)));
}

bool CommandLine::IsSync(const QVariantMap& request)
{
    const QString name = request.value(CommandKey).toString();
    return name == QLatin1String("sync") || name == QLatin1String("sync-to");
}

QVariantMap CommandLine::Serve(const QVariantMap& request, ReminderBook& book)
{
    QString text, problem;
    const int status = Execute(request, book, true, &text, &problem);
    return {
        {QStringLiteral("status"), status}, {QStringLiteral("out"), text}, {QStringLiteral("err"), problem}};
}

int CommandLine::Carry(const QVariantMap& request, bool here, QTextStream& out, QTextStream& err)
{
    const QString folder = QDir::currentPath();
    SingleInstance channel(folder);
    DataFolderLock lock(folder);
    const QDeadlineTimer deadline(LockMSecs);
    while (true) {
        QVariantMap reply;
        switch (channel.send(request, &reply, IsSync(request) ? SyncAnswerMSecs : AnswerMSecs)) {
        case SingleInstance::Exchange::Answered: {
            const int status = reply.value(QStringLiteral("status")).toInt();
            return printed(out, err, status >= 0 && status <= UsageExitCode ? status : FailedExitCode,
                           reply.value(QStringLiteral("out")).toString(),
                           reply.value(QStringLiteral("err")).toString());
        }
        case SingleInstance::Exchange::NoAnswer:
            return printed(
                out, err, FailedExitCode, QString(),
                CommandLine::tr(
                    "Pennibell is running but did not answer in time; the request may not have been "
                    "carried out."));
        case SingleInstance::Exchange::NotRunning:
            break;
        }
        if (!here) {
            return NotRunning;
        }
        // Holding the lock, no program runs on this folder and none can start until it is let go.
        if (lock.tryLock()) {
            return carryHere(request, out, err);
        }
        if (!lock.error().isEmpty()) {
            return printed(out, err, FailedExitCode, QString(), lock.error());
        }
        if (deadline.hasExpired()) {
            return printed(out, err, FailedExitCode, QString(),
                           CommandLine::tr("Pennibell runs on %1 in another session; nothing was changed.")
                               .arg(QDir::toNativeSeparators(folder)));
        }
        QThread::msleep(20);
    }
}
