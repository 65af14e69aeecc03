// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
QList<ScreenSize::Screen> g_screens;
QPoint g_pointer;

bool haveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
} // namespace

QSize ScreenSize::Screen::Pixels() const
{
    // Rounded as the window system does when it scales a whole screen.
    return QSize(qRound(geometry.width() * ratio), qRound(geometry.height() * ratio));
}

QSize ScreenSize::get()
{
    return screens().constFirst().Pixels();
}

QList<ScreenSize::Screen> ScreenSize::screens()
{
    if (!g_screens.isEmpty()) {
        return g_screens;
    }
    QList<Screen> found;
    if (haveGui()) {
        QScreen* primary = QGuiApplication::primaryScreen();
        for (QScreen* screen : QGuiApplication::screens()) {
            const Screen s{screen->geometry(), screen->devicePixelRatio()};
            if (s.geometry.isEmpty()) {
                continue;
            }
            if (screen == primary) {
                found.prepend(s);
            } else {
                found.append(s);
            }
        }
    }
    if (found.isEmpty()) {
        found.append(Screen{QRect(0, 0, 1280, 1024), 1.0});
    }
    return found;
}

QPoint ScreenSize::pointer()
{
    if (!g_screens.isEmpty() || !haveGui()) {
        return g_pointer;
    }
    return QCursor::pos();
}

void ScreenSize::setOverride(const QSize& size)
{
    setOverride({Screen{QRect(QPoint(0, 0), size), 1.0}}, QPoint(0, 0));
}

void ScreenSize::setOverride(const QList<Screen>& screens, const QPoint& pointer)
{
    g_screens.clear();
    for (const Screen& s : screens) {
        if (!s.geometry.isEmpty() && s.ratio > 0) {
            g_screens.append(s);
        }
    }
    g_pointer = pointer;
}

void ScreenSize::clearOverride()
{
    g_screens.clear();
    g_pointer = QPoint();
}
