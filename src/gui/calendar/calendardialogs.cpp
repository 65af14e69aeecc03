// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/calendar/calendardialogs.h"

#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarimport.h"
#include "core/events/reminderbook.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace {

const char* Filter = QT_TRANSLATE_NOOP("CalendarDialogs", "Calendar files (*.ics);;All files (*)");

// Keeps the window answering during a long import; the dialog appears only when it takes a while.
CalendarImport::Progress follow(QProgressDialog& dialog)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [&dialog, timer](int done, int total) {
        if (timer->elapsed() >= 50 || done == total) {
            timer->restart();
            dialog.setMaximum(total);
            dialog.setValue(done);
            QCoreApplication::processEvents();
        }
        return !dialog.wasCanceled();
    };
}

} // namespace

void CalendarDialogs::Import(QWidget* parent, ReminderBook& book)
{
    const QString file = QFileDialog::getOpenFileName(parent, tr("Import Calendar"), QString(),
                                                      QCoreApplication::translate("CalendarDialogs", Filter));
    if (file.isEmpty()) {
        return;
    }
    CalendarImport::Plan plan;
    QString error;
    {
        QProgressDialog progress(tr("Reading the calendar…"), tr("Cancel"), 0, 0, parent);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        if (!CalendarImport::ReadFile(file, book.Events(), &plan, &error, follow(progress))) {
            if (!progress.wasCanceled()) {
                QMessageBox::warning(parent, tr("Import Calendar"), error);
            }
            return;
        }
    }
    const int count = int(plan.add.size() + plan.update.size());
    if (count == 0) {
        QMessageBox::warning(parent, tr("Import Calendar"),
                             tr("Nothing in the file can be imported.") + "\n\n" +
                                 CalendarImport::RefusalLines(plan).join('\n'));
        return;
    }
    QMessageBox question(
        QMessageBox::Warning, tr("Import Calendar"),
        tr("%n new event(s) will be added", nullptr, int(plan.add.size())) + ", " +
            tr("%n event(s) imported before will be updated.", nullptr, int(plan.update.size())),
        QMessageBox::NoButton, parent);
    if (!plan.refused.isEmpty()) {
        const QStringList lines = CalendarImport::RefusalLines(plan);
        QStringList shown = lines.mid(0, 15);
        if (lines.size() > shown.size()) {
            shown.append(tr("… and %n more", nullptr, int(lines.size() - shown.size())));
        }
        question.setInformativeText(
            tr("%n event(s) cannot repeat the way the file says:", nullptr, int(plan.refused.size())) + "\n" +
            shown.join('\n'));
        question.setDetailedText(lines.join('\n'));
    }
    QPushButton* rest = question.addButton(plan.refused.isEmpty() ? tr("Import") : tr("Import the Rest"),
                                           QMessageBox::AcceptRole);
    QPushButton* nothing = question.addButton(tr("Import Nothing"), QMessageBox::RejectRole);
    question.setDefaultButton(nothing);
    question.exec();
    if (question.clickedButton() != rest) {
        return;
    }
    QProgressDialog progress(tr("Importing the events…"), tr("Cancel"), 0, count, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    if (!CalendarImport::Apply(book, plan, &error, follow(progress)) && !progress.wasCanceled()) {
        QMessageBox::warning(parent, tr("Import Calendar"), error);
    }
}

void CalendarDialogs::Export(QWidget* parent, ReminderBook& book)
{
    QString file =
        QFileDialog::getSaveFileName(parent, tr("Export Calendar"), QStringLiteral("pennibell.ics"),
                                     QCoreApplication::translate("CalendarDialogs", Filter));
    if (file.isEmpty()) {
        return;
    }
    QString error;
    if (!CalendarExport::WriteFile(book, QStringList(), file, &error)) {
        QMessageBox::warning(parent, tr("Export Calendar"), error);
    }
}
