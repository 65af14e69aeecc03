// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Plays one sound of the desktop's sound theme by its event name. Tests put in one that only
// records the calls, so nothing ever plays in a test run.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // False when the sound could not be started (no library, no device, no such sound).
    virtual bool Play(const QString& eventId) = 0;
};
