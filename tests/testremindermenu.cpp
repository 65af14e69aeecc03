// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/clock.h"
#include "gui/effects/effectshow.h"
#include "gui/main/mainwindow.h"
#include "support/eventbuilder.h"

#include <QMenu>

using namespace EventBuilder;

class TestReminderMenu : public QObject
{
    Q_OBJECT

private slots:
    void rightClickSnoozesAndTrayDismisses();
};

void TestReminderMenu::rightClickSnoozesAndTrayDismisses()
{
    TestEnv::setTimeZone("UTC");
    TestEnv::ScratchDir scratch;
    qputenv("XDG_CONFIG_HOME", scratch.path().toLocal8Bit());
    const QDateTime now = At(2030, 1, 15, 12, 0);
    Clock::setMock(now);
    SaveEvents({Event("rent", now.addSecs(1))});
    {
        MainWindow window;
        window.InitWindow();
        Clock::advance(1);
        window.eventdispose();
        EffectShow* reminder = window.EffectWindow();
        QVERIFY(reminder);
        // The right button is the menu's, not a dismissal.
        reminder->StopEffect();
        QTest::mouseClick(reminder, Qt::RightButton);
        QCOMPARE(window.EffectWindow(), reminder);
        emit reminder->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(window.ReminderMenu()->isVisible());
        window.ReminderMenu()->actions().at(1)->trigger(); // again in 5 minutes
        QVERIFY(!window.EffectWindow());
        QCOMPARE(AffairStore().LoadAffairs().At(0).SnoozeSecs(), now.toSecsSinceEpoch() + 301);

        Clock::advance(300);
        window.eventdispose();
        QVERIFY(window.EffectWindow());
        QAction* dismiss = window.TrayIcon()->contextMenu()->actions().at(0);
        QVERIFY(dismiss->isVisible());
        dismiss->trigger();
        QVERIFY(!window.EffectWindow());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Clock::reset();
}

QTEST_MAIN(TestReminderMenu)
#include "testremindermenu.moc"
