// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class ReminderBook;

// Writes events as an iCalendar file that calendar programs read: one VEVENT per event, its
// start on the system zone's wall clock, a display alarm at the start, the picture inline and
// the effect in a property only this program reads.
class CalendarExport
{
    Q_DECLARE_TR_FUNCTIONS(CalendarExport)

public:
    // The events `ids` of the book (every event when `ids` is empty) into `file`, replaced whole.
    static bool WriteFile(const ReminderBook& book, const QStringList& ids, const QString& file,
                          QString* error);
    static bool WriteFile(const QList<AffairInfo>& events, const QString& file, QString* error);

    // The calendar text; the pictures are read from the events' picture files.
    static QByteArray Text(const QList<AffairInfo>& events);

    // The UID an event goes out under: the one it came in with, else one made from its
    // identifier, so that exporting twice gives the same UIDs.
    static QString Uid(const AffairInfo& record);
    // The identifier inside a UID that Uid() made; empty for any other UID.
    static QString IdFromUid(const QString& uid);

    // PNG with white turned transparent, as calendar programs show an attachment.
    static QByteArray Png(const QImage& picture);
    // The property's value: the effect's name as the event editor lists it.
    static QString EffectName(const EffectChoice& effect);
};
