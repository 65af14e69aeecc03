// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/clock.h"

// A clock that stands still until a test moves it. The static helpers install one in place of
// the system clock, so the code under test reads it through Clock::now() as usual.
class MockClock : public Clock
{
public:
    // Freezes the time at `t`.
    static void set(const QDateTime& t) { install(t.toMSecsSinceEpoch()); }

    // Moves the frozen time on; a clock not yet frozen is frozen at the real time first.
    static void advance(qint64 secs)
    {
        if (!Current) {
            install(QDateTime::currentMSecsSinceEpoch());
        }
        Current->MSecs += secs * 1000;
    }

    // Back to the system clock.
    static void reset()
    {
        Current = nullptr;
        setInstance(nullptr);
    }

protected:
    qint64 currentMSecsSinceEpoch() const override { return MSecs; }

private:
    explicit MockClock(qint64 msecs) : MSecs(msecs) {}

    static void install(qint64 msecs)
    {
        Current = new MockClock(msecs);
        setInstance(Current);
    }

    qint64 MSecs;
    static inline MockClock* Current = nullptr;
};
