// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers shared by the effect, canvas and editor tests.

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <QtTest>

namespace PaintTest {

template <typename T> T* child(QObject* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

inline int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == colour;
        }
    }
    return n;
}

// Calls `step` until it says the run is over: the number of the call that ended it, or -1.
template <typename F> int stepsToEnd(F step, int limit = 1000)
{
    for (int n = 1; n <= limit; ++n) {
        if (!step()) {
            return n;
        }
    }
    return -1;
}

inline void drag(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

} // namespace PaintTest
