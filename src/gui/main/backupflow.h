// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class ReminderBook;

// The Backup and Restore commands: the file choice, the question and the messages around the
// archive and the book's restore.
namespace BackupFlow {
void Backup(QWidget* parent, const ReminderBook& book);
void Restore(QWidget* parent, ReminderBook& book);
} // namespace BackupFlow
