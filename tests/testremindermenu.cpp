// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/effects/effectshow.h"
#include "support/widgettest.h"

#include <QMenu>

using namespace WidgetTest;

class TestReminderMenu : public QObject
{
    Q_OBJECT

private slots:
    void rightClickSnoozes();
};

void TestReminderMenu::rightClickSnoozes()
{
    Sandbox box;
    const QDateTime now = Clock::now();
    SaveEvents({Event("rent", now.addSecs(1))});
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
    QCOMPARE(EventBuilder::Stored().At(0).SnoozeSecs(), now.toSecsSinceEpoch() + 301);
    Clock::advance(300);
    window.eventdispose();
    QVERIFY(window.EffectWindow());
}

QTEST_MAIN(TestReminderMenu)
#include "testremindermenu.moc"
