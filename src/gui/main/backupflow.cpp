// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/backupflow.h"

#include "core/events/reminderbook.h"
#include "core/storage/backuparchive.h"
#include "core/storage/safefile.h"
#include "gui/common/windowmodal.h"
#include "gui/main/backupmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}
} // namespace

void BackupFlow::Backup(QWidget* parent, const ReminderBook& book)
{
    if (book.Events().Count() == 0) {
        WindowModal::Warn(parent, tr(BackupMessages::NothingTitle), tr(BackupMessages::NothingText));
        return;
    }
    const BackupArchive::Outcome result = BackupArchive::Backup();
    if (!result.ok()) {
        // A backup the user believes in but that was never written is worse than none.
        WindowModal::Warn(parent, tr(BackupMessages::FailedTitle),
                          tr(BackupMessages::FailedText) + result.reason);
        return;
    }
    WindowModal::Inform(parent, tr(BackupMessages::DoneTitle),
                        tr(BackupMessages::DoneText) +
                            QDir::toNativeSeparators(QFileInfo(result.fileName).absoluteFilePath()));
}

void BackupFlow::Restore(QWidget* parent, ReminderBook& book)
{
    QFileDialog chooser(parent, tr(BackupMessages::RestoreCaption), BackupArchive::Folder(),
                        tr(BackupMessages::RestoreFilter));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (WindowModal::Exec(&chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return;
    }
    const QString fileName = chooser.selectedFiles().constFirst();
    // Asked only of a sound backup; any other is refused below with the reason.
    BackupArchive::Contents contents;
    QByteArray bytes;
    if (SafeFile::Read(fileName, BackupArchive::MaxBackupBytes, &bytes) &&
        BackupArchive::Parse(bytes, &contents) &&
        !WindowModal::Ask(
            parent, tr(BackupMessages::RestoreCaption),
            QCoreApplication::translate("MainWindow", "Replace your %1 events with the %2 events of %3?")
                .arg(book.Events().Count())
                .arg(contents.events.Count())
                .arg(QDir::toNativeSeparators(fileName)))) {
        return;
    }
    QString error;
    int count = 0;
    if (!book.Restore(fileName, &count, &error)) {
        WindowModal::Warn(parent, tr(BackupMessages::RestoreFailedTitle),
                          tr(BackupMessages::RestoreFailedText) + error);
        return;
    }
    WindowModal::Inform(parent, tr(BackupMessages::RestoreCaption),
                        QCoreApplication::translate("MainWindow", "Restored %1 events.").arg(count));
}
