// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/clock.h"

#include "core/events/localtime.h"

std::unique_ptr<Clock> Clock::Installed;

Clock::~Clock() = default;

const Clock& Clock::instance()
{
    static const Clock system;
    return Installed ? *Installed : system;
}

void Clock::setInstance(Clock* clock)
{
    Installed.reset(clock);
}

qint64 Clock::currentMSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

QDateTime Clock::now()
{
    return LocalTime::FromClock(instance().currentMSecsSinceEpoch());
}

qint64 Clock::nowSecs()
{
    const qint64 ms = instance().currentMSecsSinceEpoch();
    // Floor division, so a time before 1970 still rounds down to its whole second.
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}
