// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

class QWidget;
class ReminderBook;

// File > Import… and File > Export…: the file choice, the question before anything changes,
// and progress with a Cancel that changes nothing.
class CalendarDialogs
{
    Q_DECLARE_TR_FUNCTIONS(CalendarDialogs)

public:
    static void Import(QWidget* parent, ReminderBook& book);
    static void Export(QWidget* parent, ReminderBook& book);
};
