// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/soundplayer.h"

#include <QLibrary>

// The desktop's own event sounds through libcanberra, so the user's sound theme and volume
// settings apply. The library is looked for when the first sound is asked for, not linked: where
// it is missing every sound is silence.
class CanberraSound : public SoundPlayer
{
public:
    CanberraSound();
    ~CanberraSound() override;

    bool Play(const QString& eventId) override;

private:
    bool Open();

    QLibrary Library;
    bool Tried = false;
    // Kept for the program's life: destroying the context cuts off a sound still playing.
    void* Context = nullptr;
    using PlayFunction = int (*)(void*, quint32, ...);
    PlayFunction PlayCall = nullptr;
    using DestroyFunction = int (*)(void*);
    DestroyFunction DestroyCall = nullptr;
};
