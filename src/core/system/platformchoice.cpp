// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/platformchoice.h"

#include <QtGlobal>

QByteArray PlatformChoice::choose(const QByteArray& qpaPlatform, const QByteArray& sessionType,
                                  const QByteArray& waylandDisplay, const QByteArray& display)
{
    if (!qpaPlatform.isEmpty()) {
        return QByteArray();
    }
    const bool wayland = sessionType.toLower() == "wayland" || !waylandDisplay.isEmpty();
    // Without XWayland the xcb plugin cannot connect and Qt would abort; Wayland is then the only way.
    if (!wayland || display.isEmpty()) {
        return QByteArray();
    }
    return QByteArrayLiteral("xcb");
}

void PlatformChoice::apply()
{
    const QByteArray platform = choose(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"),
                                       qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
}
