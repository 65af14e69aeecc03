#include "platformchoice.h"

#include <QTest>

class TestPlatformChoice : public QObject
{
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
};

void TestPlatformChoice::choose_data()
{
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("wayland session with XWayland")
        << QByteArray() << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
        << QByteArray("xcb");
    QTest::newRow("session type alone")
        << QByteArray() << QByteArray("Wayland") << QByteArray() << QByteArray(":1") << QByteArray("xcb");
    QTest::newRow("wayland display alone") << QByteArray() << QByteArray("tty") << QByteArray("wayland-1")
                                           << QByteArray(":0") << QByteArray("xcb");
    QTest::newRow("user's own choice wins") << QByteArray("wayland") << QByteArray("wayland")
                                            << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
    QTest::newRow("user asked offscreen") << QByteArray("offscreen") << QByteArray("wayland")
                                          << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
    QTest::newRow("X11 session") << QByteArray() << QByteArray("x11") << QByteArray() << QByteArray(":0")
                                 << QByteArray();
    QTest::newRow("wayland without XWayland")
        << QByteArray() << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray() << QByteArray();
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                                 << QByteArray();
}

void TestPlatformChoice::choose()
{
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, expected);

    QCOMPARE(PlatformChoice::choose(qpa, session, waylandDisplay, display), expected);
}

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "testplatformchoice.moc"
