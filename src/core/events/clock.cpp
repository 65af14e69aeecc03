// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/clock.h"

#include "core/events/localtime.h"

namespace {
bool g_mocked = false;
qint64 g_mockMSecs = 0;
} // namespace

QDateTime Clock::now()
{
    return LocalTime::FromClock(g_mocked ? g_mockMSecs : QDateTime::currentMSecsSinceEpoch());
}

qint64 Clock::nowSecs()
{
    if (g_mocked) {
        // Floor division, so a mocked time before 1970 still rounds down like the real clock.
        return g_mockMSecs >= 0 ? g_mockMSecs / 1000 : -((-g_mockMSecs + 999) / 1000);
    }
    return QDateTime::currentSecsSinceEpoch();
}

void Clock::setMock(const QDateTime& t)
{
    g_mocked = true;
    g_mockMSecs = t.toMSecsSinceEpoch();
}

void Clock::advance(qint64 secs)
{
    if (!g_mocked) {
        setMock(QDateTime::currentDateTime());
    }
    g_mockMSecs += secs * 1000;
}

bool Clock::isMocked()
{
    return g_mocked;
}

void Clock::reset()
{
    g_mocked = false;
}
