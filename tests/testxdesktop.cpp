// SPDX-License-Identifier: GPL-3.0-or-later
// Under a real X server with a real window manager (Xvfb and openbox, started here): the reminder
// never takes the keys being typed, and another program's full-screen window is seen, the
// program's own is not. Skipped, with the reason, where there is no X server to start.
#include "gui/effects/effectshow.h"
#include "gui/platform/displayscreens.h"
#include "gui/platform/fullscreenwatch.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>

namespace {

const int Deadline = 10000;
QString NoX;

// A window of another program: full screen, or a plain one.
int otherProgram(int argc, char** argv, bool full)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("other program"));
    full ? window.showFullScreen() : window.show();
    window.activateWindow();
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

struct XServer
{
    QProcess server;
    QProcess manager;
    ~XServer()
    {
        for (QProcess* p : {&manager, &server}) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
    // Puts this program and those it starts on a new display, or tells why there is none.
    QString Start()
    {
        for (const char* program : {"Xvfb", "openbox", "xdotool", "xprop"}) {
            if (QStandardPaths::findExecutable(program).isEmpty()) {
                return QStringLiteral("%1 is not installed").arg(program);
            }
        }
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server.waitForReadyRead(Deadline)) {
            return QStringLiteral("Xvfb did not start");
        }
        qputenv("DISPLAY", ":" + server.readLine().trimmed());
        manager.start("openbox", {"--sm-disable"});
        // The window manager is there once it names itself on the root window.
        for (QElapsedTimer t; !t.isValid() || t.elapsed() < Deadline; QThread::msleep(50)) {
            t.isValid() ? void() : t.start();
            QProcess probe;
            probe.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
            if (probe.waitForFinished(Deadline) && probe.readAll().contains("window id")) {
                qputenv("QT_QPA_PLATFORM", "xcb");
                return QString();
            }
        }
        return QStringLiteral("openbox did not start");
    }
};

QImage picture()
{
    QImage image(1024, 768, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(10, 10, qRgb(200, 0, 0));
    QPainter(&image).fillRect(300, 200, 400, 300, QColor(0, 0, 180));
    return image;
}

} // namespace

class TestXDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!NoX.isEmpty()) {
            QSKIP(qPrintable(NoX));
        }
    }
    // Keys typed while a reminder enters all reach the text field, which keeps the focus.
    void typingKeepsItsKeys()
    {
        QWidget typing;
        auto* field = new QLineEdit(&typing);
        typing.resize(300, 60);
        typing.show();
        typing.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&typing, Deadline));
        field->setFocus();
        const QString text = QStringLiteral("reminders never take the keys");
        QProcess xdotool;
        xdotool.start("xdotool", {"type", "--delay", "40", text});
        QTRY_VERIFY_WITH_TIMEOUT(field->text().size() >= 3, Deadline);

        EffectShow reminder;
        reminder.SetTitle(QStringLiteral("Stretch"));
        reminder.PrepareEffect(picture(), 0, 3);
        reminder.StartEffect(30);
        QTRY_VERIFY_WITH_TIMEOUT(reminder.isVisible(), Deadline);
        QVERIFY(field->text().size() < text.size()); // it came while the keys were typed
        QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, Deadline);
        QTRY_COMPARE_WITH_TIMEOUT(field->text(), text, Deadline);
        QCOMPARE(QApplication::activeWindow(), &typing);
        QVERIFY(reminder.isVisible());
    }
    void fullScreenOfAnotherProgram()
    {
        const QList<ScreenSize::Screen> elsewhere{{QRect(1024, 0, 1024, 768), 1.0}};
        // Another program's plain window, then its full-screen one, then that gone.
        QProcess plain;
        StartOther(&plain, false);
        QTest::qWait(300);
        QVERIFY(!FullScreenWatch::OtherFullScreen(ScreenChoice::Primary));
        QProcess film;
        StartOther(&film, true);
        QTRY_VERIFY_WITH_TIMEOUT(FullScreenWatch::OtherFullScreen(ScreenChoice::Primary), Deadline);
        QVERIFY(!FullScreenWatch::OtherFullScreen(elsewhere));
        film.kill();
        film.waitForFinished(Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(!FullScreenWatch::OtherFullScreen(ScreenChoice::Primary), Deadline);

        // The program's own full-screen window (the drawing sheet) is the user's work with it.
        QWidget sheet;
        sheet.showFullScreen();
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet, Deadline));
        QTest::qWait(200);
        QVERIFY(!FullScreenWatch::OtherFullScreen(ScreenChoice::Primary));
    }

private:
    void StartOther(QProcess* other, bool full)
    {
        other->start(QCoreApplication::applicationFilePath(), {full ? "--full-screen-window" : "--window"});
        QVERIFY(other->waitForReadyRead(Deadline));
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && (qstrcmp(argv[1], "--full-screen-window") == 0 || qstrcmp(argv[1], "--window") == 0)) {
        return otherProgram(1, argv, qstrcmp(argv[1], "--full-screen-window") == 0);
    }
    // Nothing here needs a session bus: none is started for the windows of this test.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    XServer x;
    NoX = x.Start();
    int result = 0;
    {
        QApplication app(argc, argv);
        DisplayScreens screens;
        ScreenSize::Install(&screens);
        TestXDesktop test;
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "testxdesktop.moc"
