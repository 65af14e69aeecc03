// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/platformchoice.h"

#include <QTest>

class TestPlatformChoice : public QObject
{
    Q_OBJECT

private slots:
    void choose_data()
    {
        // QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
        QTest::addColumn<QByteArrayList>("env");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("wayland session with XWayland")
            << QByteArrayList{"", "wayland", "wayland-0", ":0"} << QByteArray("xcb");
        QTest::newRow("session type alone") << QByteArrayList{"", "Wayland", "", ":1"} << QByteArray("xcb");
        QTest::newRow("wayland display alone")
            << QByteArrayList{"", "tty", "wayland-1", ":0"} << QByteArray("xcb");
        QTest::newRow("user's own choice wins")
            << QByteArrayList{"offscreen", "wayland", "wayland-0", ":0"} << QByteArray();
        QTest::newRow("X11 session") << QByteArrayList{"", "x11", "", ":0"} << QByteArray();
        QTest::newRow("wayland without XWayland")
            << QByteArrayList{"", "wayland", "wayland-0", ""} << QByteArray();
        QTest::newRow("nothing set") << QByteArrayList{"", "", "", ""} << QByteArray();
    }
    void choose()
    {
        QFETCH(QByteArrayList, env);
        QFETCH(QByteArray, expected);
        QCOMPARE(PlatformChoice::choose(env[0], env[1], env[2], env[3]), expected);
    }
};

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "testplatformchoice.moc"
