// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// The one place the program asks for the time. Tests freeze it and move it by hand,
// so nothing depends on the wall clock.
class Clock
{
public:
    // Current local date-time (milliseconds included; callers drop them).
    static QDateTime now();
    // Current whole seconds since the epoch: cheap, no time-zone work.
    static qint64 nowSecs();

    static void setMock(const QDateTime& t);
    static void advance(qint64 secs);
    static bool isMocked();
    static void reset();
};
