// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QSize g_override;
} // namespace

QSize ScreenSize::get()
{
    if (g_override.isValid() && !g_override.isEmpty()) {
        return g_override;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->geometry().size();
            if (!size.isEmpty()) {
                return size;
            }
        }
    }
    return QSize(1280, 1024);
}

void ScreenSize::setOverride(const QSize& size)
{
    g_override = size;
}

void ScreenSize::clearOverride()
{
    g_override = QSize();
}
