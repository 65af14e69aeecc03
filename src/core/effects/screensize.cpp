// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"

namespace {
const ScreenSize* g_source = nullptr;
} // namespace

ScreenSize::~ScreenSize()
{
    if (g_source == this) {
        g_source = nullptr;
    }
}

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
    QList<Screen> found;
    if (g_source) {
        for (const Screen& s : g_source->Screens()) {
            if (!s.geometry.isEmpty() && s.ratio > 0) {
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
    return g_source ? g_source->Pointer() : QPoint();
}

void ScreenSize::Install(const ScreenSize* source)
{
    g_source = source;
}

const ScreenSize* ScreenSize::Installed()
{
    return g_source;
}
