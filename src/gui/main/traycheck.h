// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// Whether the desktop offers a system tray. Without one, hiding a window would leave the user
// no way back to it, so the main window minimises instead. Tests force either answer.
class TrayCheck
{
public:
    static bool Available();
    static void SetOverride(std::optional<bool> available);
};
