// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screenchoice.h"

int ScreenChoice::AtPointer(const QList<ScreenSize::Screen>& screens, const QPoint& pointer)
{
    for (int i = 0; i < screens.size(); ++i) {
        if (screens.at(i).geometry.contains(pointer)) {
            return i;
        }
    }
    return 0;
}

QList<int> ScreenChoice::For(Where where, const QList<ScreenSize::Screen>& screens, const QPoint& pointer)
{
    if (screens.isEmpty()) {
        return {};
    }
    switch (where) {
    case UnderPointer:
        return {AtPointer(screens, pointer)};
    case Every: {
        QList<int> all;
        QList<QRect> seen;
        for (int i = 0; i < screens.size(); ++i) {
            // Mirrored screens share one place on the desktop; one window covers them all.
            if (!seen.contains(screens.at(i).geometry)) {
                seen.append(screens.at(i).geometry);
                all.append(i);
            }
        }
        return all;
    }
    default:
        return {0};
    }
}

int ScreenChoice::Replacement(const QList<ScreenSize::Screen>& remaining, const QList<QRect>& taken)
{
    for (int i = 0; i < remaining.size(); ++i) {
        if (!taken.contains(remaining.at(i).geometry)) {
            return i;
        }
    }
    return -1;
}
