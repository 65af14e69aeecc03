// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "gui/effects/effectshow.h"
#include "gui/main/mainwindow.h"
#include "core/picture/picturefile.h"
#include "core/effects/screensize.h"
#include "support/testenv.h"

#include <QDir>
#include <QPainter>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {
const QDateTime Eight(QDate(2026, 3, 2), QTime(8, 0));

AffairInfo makeEvent(const QString& id, const QDateTime& when, int days = 0)
{
    AffairInfo a;
    a.SetInfo(id, id + QStringLiteral(" title"), when, 0, 0, days, 0, 0);
    const QString path = QStringLiteral("./data/dap2026030208%1").arg(id.size(), 4, 10, QLatin1Char('0'));
    QImage picture(ScreenSize::get(), QImage::Format_RGB16);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(10, 10, 40, 30, Qt::red);
    PictureFile::Write(path, picture);
    a.SetPicPath(path);
    a.SetEffect({0, 1});
    return a;
}

// Runs the effect to its end and clicks the picture, as the user does.
void Dismiss(EffectShow* window)
{
    while (window->IsRunning()) {
        window->NextStep();
    }
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 20));
}
} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv::ScratchDir> Dir;
    std::unique_ptr<MainWindow> Window;

    void start(const QList<AffairInfo>& events)
    {
        Dir = std::make_unique<TestEnv::ScratchDir>();
        QDir().mkpath("data");
        AffairList list;
        for (const AffairInfo& a : events) {
            list.AppendAffair(a);
        }
        QVERIFY(AffairStore().SaveAffairs(list));
        Window = std::make_unique<MainWindow>();
        Window->InitWindow();
    }

    void tick(const QDateTime& at)
    {
        Clock::setMock(at);
        Window->eventdispose();
    }

    QString cell(int row, int column) const
    {
        return Window->findChild<QTableWidget*>("tableWidget")->item(row, column)->text();
    }

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        ScreenSize::setOverride(QSize(320, 240));
    }
    void init() { Clock::setMock(Eight.addSecs(-3600)); }
    void cleanup()
    {
        Window.reset();
        Dir.reset();
        Clock::reset();
    }

    void onceShownInItsSecondThenExpired()
    {
        start({makeEvent("once", Eight), makeEvent("daily", Eight.addSecs(3600), 1)});
        tick(Eight.addSecs(-1));
        QVERIFY(!Window->EffectWindow());
        tick(Eight);
        QVERIFY(Window->EffectWindow());
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("once"));
        QVERIFY(!Window->Affairs().At(0).IsActive());
        QCOMPARE(cell(0, 4), QStringLiteral("No"));
        tick(Eight.addSecs(1));
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("once"));

        // The daily one replaces the picture still on the desktop and moves to tomorrow.
        tick(Eight.addSecs(3600));
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("daily"));
        QCOMPARE(Window->Affairs().At(1).NextSecs(), Eight.addSecs(3600).addDays(1).toSecsSinceEpoch());
        QCOMPARE(cell(1, 1), QLocale::system().toString(Eight.date().addDays(1), QLocale::ShortFormat));
        Dismiss(Window->EffectWindow());
        QTRY_VERIFY(!Window->EffectWindow());
    }

    void sameSecondShownOneAfterAnother()
    {
        start({makeEvent("a", Eight), makeEvent("bb", Eight), makeEvent("ccc", Eight.addSecs(60))});
        tick(Eight);
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("a"));
        QCOMPARE(Window->PendingCount(), 1);
        QVERIFY(!Window->Affairs().At(1).IsActive());
        // Clicks during the animation are ignored.
        QTest::mouseClick(Window->EffectWindow(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("a"));
        Dismiss(Window->EffectWindow());
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("bb"));
        Dismiss(Window->EffectWindow());
        QVERIFY(!Window->EffectWindow());
        QCOMPARE(Window->PendingCount(), 0);
    }

    void lateTickStillShows()
    {
        start({makeEvent("late", Eight)});
        tick(Eight.addSecs(7));
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("late"));
        tick(Eight.addSecs(8));
        QCOMPARE(Window->PendingCount(), 0);
    }

    void waitingRemindersAreLookedUpWhenTheirTurnComes()
    {
        start({makeEvent("a", Eight, 1), makeEvent("bb", Eight, 1), makeEvent("ccc", Eight)});
        // Left unattended for days, each event still waits only once.
        for (int day = 0; day < 3; ++day) {
            tick(Eight.addDays(day));
        }
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("a"));
        QCOMPARE(Window->PendingCount(), 2); // bb, then ccc from the first day
        // One deleted while it waits is not shown afterwards.
        TestEnv::writeAll("ESetting.ini", "[ERemind]\nDelReminder=false\n");
        Window->findChild<QTableWidget*>("tableWidget")->setCurrentCell(1, 0);
        QTest::mouseClick(Window->findChild<QWidget*>("Delete"), Qt::LeftButton);
        QCOMPARE(Window->Affairs().Count(), 2);
        Dismiss(Window->EffectWindow());
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("ccc"));
        Dismiss(Window->EffectWindow());
        QVERIFY(!Window->EffectWindow());
    }

    void dueEventReplacesPreview()
    {
        start({makeEvent("p", Eight.addDays(3), 1), makeEvent("due", Eight)});
        QTableWidget* table = Window->findChild<QTableWidget*>("tableWidget");
        table->setCurrentCell(0, 0);
        QTest::mouseClick(Window->findChild<QWidget*>("PreView"), Qt::LeftButton);
        EffectShow* preview = Window->EffectWindow();
        QVERIFY(preview);
        QCOMPARE(Window->ShowingEvent(), QString());
        // A preview moves nothing.
        QCOMPARE(Window->Affairs().At(0).NextSecs(), Eight.addDays(3).toSecsSinceEpoch());
        QPointer<EffectShow> watch(preview);
        tick(Eight);
        QVERIFY(!watch);
        QCOMPARE(Window->ShowingEvent(), QStringLiteral("due"));
    }
};

QTEST_MAIN(TestDispatch)
#include "testdispatch.moc"
