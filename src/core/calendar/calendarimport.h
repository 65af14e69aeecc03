// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

class QTextStream;
class ReminderBook;

// Reads an iCalendar file into events in two steps: Read works out, without changing anything,
// which entries become new events, which update events they came from before, and which the
// program cannot repeat the way the file says (with the reason); Apply then makes the changes
// through the book, all or none.
class CalendarImport
{
    Q_DECLARE_TR_FUNCTIONS(CalendarImport)

public:
    static constexpr qint64 MaxFileBytes = 64LL * 1024 * 1024;
    // Calendar programs fold their lines at 75 bytes; a line of a megabyte is no calendar.
    static constexpr qsizetype MaxLineBytes = 1024 * 1024;
    // A calendar, an event, its alarm: a few levels. Deeper nesting is no calendar either.
    static constexpr int MaxDepth = 8;

    // Called as the work goes on; false cancels, and a cancelled import changes nothing.
    using Progress = std::function<bool(int done, int total)>;

    struct Entry
    {
        // The event; for an update it carries the identifier and picture path of the event it updates.
        AffairInfo record;
        // The attached picture as it came (PNG or JPEG, checked); empty for none.
        QByteArray picture;
    };
    struct Refusal
    {
        QString title;
        QString reason;
    };
    struct Plan
    {
        QList<Entry> add;
        QList<Entry> update;
        QList<Refusal> refused;
    };

    static bool ReadFile(const QString& file, const AffairList& existing, Plan* plan, QString* error,
                         const Progress& progress = {});
    static bool Read(const QByteArray& text, const AffairList& existing, Plan* plan, QString* error,
                     const Progress& progress = {});

    // The picture an entry's event gets: the attached one on white, else its title in large letters.
    static QImage Picture(const Entry& entry, const QSize& titleSize);
    // One line per refused entry: "title: reason".
    static QStringList RefusalLines(const Plan& plan);

    // Adds and updates the plan's events. On failure or cancel every change made so far is
    // taken back.
    static bool Apply(ReminderBook& book, const Plan& plan, QString* error, const Progress& progress = {});

    // The command line's import: the refused entries on `err`, then the rest imported, or
    // nothing with `strict` when anything was refused. The exit status: 0 done, 1 failed.
    static int Run(ReminderBook& book, const QString& file, bool strict, QTextStream& out, QTextStream& err);
};
