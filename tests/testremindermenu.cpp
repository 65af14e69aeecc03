// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/effects/effectshow.h"
#include "gui/main/reminderscreen.h"
#include "support/widgettest.h"

#include <QMenu>

using namespace WidgetTest;

class TestReminderMenu : public QObject
{
    Q_OBJECT

private slots:
    void rightClickSnoozes()
    {
        Sandbox box;
        const QDateTime now = Clock::now();
        SaveEvents({Event("rent", now.addSecs(1))});
        auto program = StartWindow(false);
        ReminderScreen* screen = program->window->Screen();
        MockClock::advance(1);
        program->book.Tick();
        EffectShow* reminder = screen->Window();
        QVERIFY(reminder);
        // The right button is the menu's, not a dismissal.
        reminder->StopEffect();
        QTest::mouseClick(reminder, Qt::RightButton);
        QCOMPARE(screen->Window(), reminder);
        emit reminder->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(screen->Menu()->isVisible());
        screen->Menu()->actions().at(1)->trigger(); // again in 5 minutes
        QVERIFY(!screen->Window());
        QCOMPARE(EventBuilder::Stored().At(0).SnoozeSecs(), now.toSecsSinceEpoch() + 301);
        MockClock::advance(300);
        program->book.Tick();
        QVERIFY(screen->Window());
    }
};

QTEST_MAIN(TestReminderMenu)
#include "testremindermenu.moc"
