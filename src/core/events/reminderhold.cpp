// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/reminderhold.h"

#include <QCoreApplication>

const QString ReminderHold::DoNotDisturb = QStringLiteral("do-not-disturb");
const QString ReminderHold::FullScreen = QStringLiteral("full-screen");

bool ReminderHold::Set(const QString& reason, bool held)
{
    const bool before = Held();
    if (held) {
        Reasons.insert(reason);
    } else {
        Reasons.remove(reason);
    }
    return before != Held();
}

void ReminderHold::Keep(const QStringList& ids)
{
    for (const QString& id : ids) {
        if (!id.isEmpty() && !Queue.contains(id)) {
            Queue.append(id);
        }
    }
}

QStringList ReminderHold::Release()
{
    QStringList out;
    out.swap(Queue);
    return out;
}

QString ReminderHold::ToolTipLine(int waiting) const
{
    if (waiting <= 0) {
        return QString();
    }
    // Do-not-disturb is the one the user chose; it names the wait first.
    if (HeldFor(DoNotDisturb)) {
        return QCoreApplication::translate("ReminderHold", "Reminders waiting until do not disturb ends: %n",
                                           nullptr, waiting);
    }
    return QCoreApplication::translate("ReminderHold", "Reminders waiting while a program is full screen: %n",
                                       nullptr, waiting);
}
