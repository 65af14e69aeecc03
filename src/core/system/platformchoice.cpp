// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/platformchoice.h"

#include <QtGlobal>
#ifdef PENNIBELL_HAVE_XCB
#include <xcb/xcb.h>
#endif

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

namespace {
bool canOpen(const QByteArray& platform)
{
    if (platform == "xcb") {
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty()) {
            return false;
        }
#ifdef PENNIBELL_HAVE_XCB
        // A display named but gone (a closed session) aborts the program just the same.
        xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
        const bool ok = connection && xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return ok;
#else
        return true;
#endif
    }
    if (platform.startsWith("wayland")) {
        return !qgetenv("WAYLAND_DISPLAY").isEmpty();
    }
    // offscreen, minimal, vnc, eglfs, linuxfb, windows, cocoa: nothing to ask beforehand.
    return true;
}
} // namespace

bool PlatformChoice::haveDisplay(const QStringList& arguments)
{
    QByteArray wanted = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-platform") || arguments.at(i) == QLatin1String("--platform")) {
            wanted = arguments.at(i + 1).toLocal8Bit();
        }
    }
    if (wanted.isEmpty()) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        return true;
#else
        wanted = "xcb";
#endif
    }
    // "wayland;xcb" tries each in turn; "xcb:option" carries options after the colon.
    for (const QByteArray& entry : wanted.split(';')) {
        if (canOpen(entry.split(':').first().trimmed())) {
            return true;
        }
    }
    return false;
}
