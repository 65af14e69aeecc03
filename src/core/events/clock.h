// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <memory>

// The one place the program asks for the time. The product reads it through the static
// entry points; a subclass installed in place of the system clock can freeze and move it.
class Clock
{
public:
    virtual ~Clock();

    // Current local date-time (milliseconds included; callers drop them).
    static QDateTime now();
    // Current whole seconds since the epoch: cheap, no time-zone work.
    static qint64 nowSecs();

protected:
    Clock() = default;
    virtual qint64 currentMSecsSinceEpoch() const;

    // Takes ownership; nullptr brings back the system clock.
    static void setInstance(Clock* clock);

private:
    static const Clock& instance();
    static std::unique_ptr<Clock> Installed;
};
