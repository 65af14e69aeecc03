// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/soundplayer.h"

#include <memory>

// The sound that goes with a reminder coming on screen: the theme's alarm clock, or its bell where
// the theme has no alarm clock. Silence when neither can be played; never an error.
class ReminderSound
{
public:
    // Without a player the desktop's own (libcanberra) is made on the first ring.
    explicit ReminderSound(std::unique_ptr<SoundPlayer> player = nullptr);
    ~ReminderSound();

    void SetPlayer(std::unique_ptr<SoundPlayer> player);
    // True when one of the two sounds was started.
    bool Ring();

private:
    std::unique_ptr<SoundPlayer> Player;
};
