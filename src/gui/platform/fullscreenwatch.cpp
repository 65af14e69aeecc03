// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/fullscreenwatch.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

#ifdef PENNIBELL_HAVE_XCB
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef PENNIBELL_HAVE_XCB
struct Free
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Where on the desktop (in device pixels) the active window of another program is, when it is
// full screen; an empty rectangle otherwise.
QRect otherFullScreenWindow()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return QRect();
    }
    // Interned once: after that each check is two or three small round trips.
    static const xcb_atom_t activeAtom = atom(connection, "_NET_ACTIVE_WINDOW");
    static const xcb_atom_t stateAtom = atom(connection, "_NET_WM_STATE");
    static const xcb_atom_t fullAtom = atom(connection, "_NET_WM_STATE_FULLSCREEN");
    if (activeAtom == XCB_ATOM_NONE || stateAtom == XCB_ATOM_NONE || fullAtom == XCB_ATOM_NONE) {
        return QRect();
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const Reply<xcb_get_property_reply_t> active(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, activeAtom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!active || active->format != 32 || xcb_get_property_value_length(active.get()) < 4) {
        return QRect();
    }
    const xcb_window_t window = *static_cast<const xcb_window_t*>(xcb_get_property_value(active.get()));
    if (window == XCB_WINDOW_NONE) {
        return QRect();
    }
    // The program's own windows (the drawing sheet fills the screen) are the user's work with it.
    const QWindowList own = QGuiApplication::allWindows();
    for (const QWindow* w : own) {
        if (w->handle() && w->winId() == window) {
            return QRect();
        }
    }
    // A window has a few dozen states at most.
    const Reply<xcb_get_property_reply_t> state(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, stateAtom, XCB_ATOM_ATOM, 0, 64), nullptr));
    if (!state || state->format != 32) {
        return QRect();
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
    const int count = xcb_get_property_value_length(state.get()) / 4;
    if (std::find(atoms, atoms + count, fullAtom) == atoms + count) {
        return QRect();
    }
    const xcb_get_geometry_cookie_t geometryCookie = xcb_get_geometry(connection, window);
    const xcb_translate_coordinates_cookie_t placeCookie =
        xcb_translate_coordinates(connection, window, root, 0, 0);
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, geometryCookie, nullptr));
    const Reply<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(connection, placeCookie, nullptr));
    if (!geometry || !place) {
        return QRect();
    }
    return QRect(place->dst_x, place->dst_y, qMax<int>(1, geometry->width), qMax<int>(1, geometry->height));
}
#endif

} // namespace

bool FullScreenWatch::OtherFullScreen(ScreenChoice::Where where)
{
    const QList<ScreenSize::Screen> screens = ScreenSize::screens();
    QList<ScreenSize::Screen> chosen;
    for (int i : ScreenChoice::For(where, screens, ScreenSize::pointer())) {
        chosen.append(screens.at(i));
    }
    return OtherFullScreen(chosen);
}

bool FullScreenWatch::OtherFullScreen(const QList<ScreenSize::Screen>& screens)
{
#ifdef PENNIBELL_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    const QRect window = otherFullScreenWindow();
    if (window.isEmpty()) {
        return false;
    }
    for (const ScreenSize::Screen& s : screens) {
        const QRect pixels(QPoint(qRound(s.geometry.x() * s.ratio), qRound(s.geometry.y() * s.ratio)),
                           s.Pixels());
        if (pixels.contains(window.center())) {
            return true;
        }
    }
    return false;
#else
    Q_UNUSED(screens)
    return false;
#endif
}
