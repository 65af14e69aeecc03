// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The picture of an event that comes without a drawing (an imported calendar entry, an event
// added from the command line): its title in large dark letters on white, so that the reminder
// still says what it is about. White is what the reminder window leaves transparent.
class TitlePicture
{
public:
    static QImage Make(const QString& title, QSize size);
};
