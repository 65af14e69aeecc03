// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/remindersound.h"

#include "core/system/canberrasound.h"

ReminderSound::ReminderSound(std::unique_ptr<SoundPlayer> player) : Player(std::move(player)) {}

ReminderSound::~ReminderSound() = default;

void ReminderSound::SetPlayer(std::unique_ptr<SoundPlayer> player)
{
    Player = std::move(player);
}

bool ReminderSound::Ring()
{
    if (!Player) {
        Player = std::make_unique<CanberraSound>();
    }
    return Player->Play(QStringLiteral("alarm-clock-elapsed")) || Player->Play(QStringLiteral("bell"));
}
