// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/traycheck.h"

#include <QSystemTrayIcon>

namespace {
std::optional<bool> Forced;
}

bool TrayCheck::Available()
{
    return Forced ? *Forced : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayCheck::SetOverride(std::optional<bool> available)
{
    Forced = available;
}
