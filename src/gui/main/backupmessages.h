// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The texts of the main window's Backup and Restore commands, in the translation context
// "MainWindow" (show them with tr()). The failure texts are followed by the reason that
// BackupArchive returns.
struct BackupMessages
{
    // Backup with an empty event list: warning box, OK button.
    static constexpr const char* NothingTitle = QT_TRANSLATE_NOOP("MainWindow", "Pennibell");
    static constexpr const char* NothingText =
        QT_TRANSLATE_NOOP("MainWindow", "You have nothing to backup.\n");

    // Backup written: information box, OK button.
    static constexpr const char* DoneTitle = QT_TRANSLATE_NOOP("MainWindow", "Backup File");
    static constexpr const char* DoneText = QT_TRANSLATE_NOOP("MainWindow", "Backup success.\n");

    // Backup not written: warning box, OK button, the text followed by the reason.
    static constexpr const char* FailedTitle = QT_TRANSLATE_NOOP("MainWindow", "Backup File");
    static constexpr const char* FailedText = QT_TRANSLATE_NOOP("MainWindow", "Backup failed.\n");

    // Restore: the open-file dialog.
    static constexpr const char* RestoreCaption = QT_TRANSLATE_NOOP("MainWindow", "Restore File");
    static constexpr const char* RestoreFilter =
        QT_TRANSLATE_NOOP("MainWindow", "Backup file (*.bef);;All files (*.*)");

    // Restore refused or stopped: warning box, OK button, the text followed by the reason.
    static constexpr const char* RestoreFailedTitle = QT_TRANSLATE_NOOP("MainWindow", "Restore File");
    static constexpr const char* RestoreFailedText = QT_TRANSLATE_NOOP("MainWindow", "Restore failed.\n");
};
