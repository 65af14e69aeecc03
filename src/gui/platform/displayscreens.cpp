// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/displayscreens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

QList<ScreenSize::Screen> DisplayScreens::Screens() const
{
    QList<Screen> found;
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        const Screen s{screen->geometry(), screen->devicePixelRatio()};
        if (screen == primary) {
            found.prepend(s);
        } else {
            found.append(s);
        }
    }
    return found;
}

QPoint DisplayScreens::Pointer() const
{
    return QCursor::pos();
}
