// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

// Which windowing back end the program asks Qt for. The effect window, the tray and bringing the
// main window forward rely on placing and raising top-level windows, which a Wayland compositor
// does not allow a client to do; under Wayland the program therefore runs through XWayland.
class PlatformChoice
{
public:
    // The QT_QPA_PLATFORM value to set, or an empty array to leave the choice to Qt: "xcb" only in
    // a Wayland session that offers an X display, and never over the user's own choice.
    static QByteArray choose(const QByteArray& qpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay, const QByteArray& display);

    // Reads the environment and sets QT_QPA_PLATFORM when choose() says so. Call it before the
    // application object is created.
    static void apply();

    // Whether Qt can open the platform that `arguments` (-platform) or QT_QPA_PLATFORM name, or
    // its default: without one the application object aborts the program.
    static bool haveDisplay(const QStringList& arguments);
};
