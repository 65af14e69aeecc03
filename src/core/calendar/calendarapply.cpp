// SPDX-License-Identifier: GPL-3.0-or-later
// The import's changes go through the reminder book; kept apart from reading the file, which
// needs nothing but the list.
#include "core/calendar/calendarimport.h"

#include "core/effects/screensize.h"
#include "core/events/clock.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"

#include <QTextStream>

bool CalendarImport::Apply(ReminderBook& book, const Plan& plan, QString* error, const Progress& progress)
{
    QStringList added;
    QList<AffairInfo> replaced;
    QList<QPair<QString, QByteArray>> overwritten;
    QStringList written;
    auto takeBack = [&]() {
        for (qsizetype i = added.size() - 1; i >= 0; --i) {
            book.Remove(added.at(i));
        }
        for (const AffairInfo& old : std::as_const(replaced)) {
            book.Replace(old.GetAffairID(), old);
        }
        for (const auto& picture : std::as_const(overwritten)) {
            SafeFile::Write(picture.first, picture.second);
        }
        for (const QString& path : std::as_const(written)) {
            PictureFile::Remove(path);
        }
    };
    auto fail = [&](const QString& why) {
        book.AbortBatch();
        takeBack();
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    const QSize size = ScreenSize::get();
    // Saved once at the end, not once an event: a large calendar would write the list thousands
    // of times.
    book.BeginBatch();
    const int total = int(plan.add.size() + plan.update.size());
    int done = 0;
    QString why;
    for (const Entry& entry : plan.update) {
        if (progress && !progress(done++, total)) {
            return fail(tr("The import was cancelled."));
        }
        const std::optional<AffairInfo> old = book.Find(entry.record.GetAffairID());
        if (!old) {
            // Gone since the file was read: it comes in as new.
            QString id;
            if (!book.Add(entry.record, Picture(entry, size), &id, &why)) {
                return fail(why);
            }
            added.append(id);
            continue;
        }
        AffairInfo record = entry.record;
        record.SetPicPath(old->GetPicPath());
        // Without a picture in the file the event keeps the one it has.
        if (!entry.picture.isEmpty()) {
            QString path = old->GetPicPath();
            QByteArray before;
            const bool own = PictureFile::IsProgramPath(path);
            if (own && SafeFile::Read(path, PictureFile::MaxFileBytes, &before)) {
                overwritten.append({path, before});
            } else {
                path = PictureFile::NewPath(Clock::now());
                written.append(path);
                record.SetPicPath(path);
            }
            if (!PictureFile::Write(path, Picture(entry, size), &why)) {
                return fail(why);
            }
        }
        if (!book.Replace(record.GetAffairID(), record, &why)) {
            return fail(why);
        }
        replaced.append(*old);
    }
    for (const Entry& entry : plan.add) {
        if (progress && !progress(done++, total)) {
            return fail(tr("The import was cancelled."));
        }
        QString id;
        if (!book.Add(entry.record, Picture(entry, size), &id, &why)) {
            return fail(why);
        }
        added.append(id);
    }
    if (!book.EndBatch(&why)) {
        return fail(why);
    }
    if (progress) {
        progress(total, total);
    }
    return true;
}

int CalendarImport::Run(ReminderBook& book, const QString& file, bool strict, QTextStream& out,
                        QTextStream& err)
{
    Plan plan;
    QString error;
    if (!ReadFile(file, book.Events(), &plan, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    for (const QString& line : RefusalLines(plan)) {
        err << line << Qt::endl;
    }
    if (strict && !plan.refused.isEmpty()) {
        err << tr("Nothing imported: %n event(s) cannot be repeated the way the file says.", nullptr,
                  int(plan.refused.size()))
            << Qt::endl;
        return 1;
    }
    if (!Apply(book, plan, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    out << tr("%n event(s) added, ", nullptr, int(plan.add.size()))
        << tr("%n updated.", nullptr, int(plan.update.size())) << Qt::endl;
    return 0;
}
