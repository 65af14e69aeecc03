// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/compositing.h"

#include <QByteArray>
#include <QGuiApplication>

#ifdef PENNIBELL_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef PENNIBELL_HAVE_XCB
// A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
bool x11CompositorRuns()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    // The X screen is the number after the dot in DISPLAY (":0.1"); almost always 0.
    int screen = 0;
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    if (dot > display.lastIndexOf(':')) {
        screen = display.mid(dot + 1).toInt();
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom) {
        return false;
    }
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}
#endif

} // namespace

bool Compositing::Active()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return false;
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
#ifdef PENNIBELL_HAVE_XCB
        return x11CompositorRuns();
#else
        return false;
#endif
    }
    // These desktops always blend their windows.
    return platform == QLatin1String("windows") || platform == QLatin1String("cocoa") ||
           platform.startsWith(QLatin1String("wayland"));
}
