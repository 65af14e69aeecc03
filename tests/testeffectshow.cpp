// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"
#include "gui/effects/effectshow.h"
#include "mock/MockScreens.h"
#include "support/testenv.h"

#include <QAccessible>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QSize Screen(320, 256);
const QRgb Blue = qRgb(0, 0, 180);
// Long enough that the timer never fires by itself during a test that ticks by hand.
const int Manual = 100000;

// White, a red block at (100, 100, 60, 40) and a blue band over the bottom 26 rows.
QImage picture()
{
    QImage image(Screen, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(QRect(100, 100, 60, 40), QColor(200, 0, 0));
    p.fillRect(QRect(0, 230, 320, 26), QColor(Blue));
    return image;
}

// What the window shows, painted by its own paint handler.
QImage shown(EffectShow& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestEffectShow : public QObject
{
    Q_OBJECT

private slots:
    void init() { MockScreens::set(Screen); }
    void cleanup() { MockScreens::reset(); }

    // The first frame is drawn where the effect puts it: Push Right starts 309 pixels to the left.
    void firstFrameFollowsTheEffect()
    {
        EffectShow w;
        w.PrepareEffect(picture(), 0, 3);
        w.StartEffect(Manual);
        w.NextStep();
        const QImage frame = shown(w);
        QVERIFY(frame.pixel(5, 250) == Blue && qAlpha(frame.pixel(200, 250)) == 0);
    }

    // A missing or all-white picture: a card with the title, a panel that takes the click.
    void unshowablePictureGivesACard()
    {
        TestEnv::ScratchDir dir;
        QImage white(Screen, QImage::Format_RGB16);
        white.fill(Qt::white);
        TestEnv::writeAll(QStringLiteral("white"), PictureFile::Encode(white));
        const QImage card = EffectFrame::MakeTransparent(EffectShow::MakeCard("Dentist at ten", Screen));
        QVERIFY(card != EffectFrame::MakeTransparent(EffectShow::MakeCard(QString(), Screen)));
        const QRect panel = EffectFrame::OpaqueRegion(card).boundingRect();
        QVERIFY(panel.contains(160, 128) && panel.width() < 300);
        for (const char* file : {"missing", "white"}) {
            EffectShow w;
            QSignalSpy done(&w, &EffectShow::EffectDone);
            w.SetTitle("Dentist at ten");
            QVERIFY(!w.PrepareEffect(file, 2, 0));
            w.StartEffect(Manual);
            for (int n = 0; w.IsRunning() && n < 1000; ++n) {
                w.NextStep();
            }
            QTest::qWait(EffectShow::ClickGuardMs); // once the first clicks no longer count
            QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(160, 128));
            QCOMPARE(shown(w), card);
            QCOMPARE(done.count(), 1);
        }
    }

    // A click that comes with the picture (the second half of a double click meant for the window
    // below) leaves it; a later one takes it away. A screen reader knows it as an alert by name.
    void earlyClickKeepsTheReminder()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.SetTitle("Call Ann");
        w.PrepareEffect(picture(), 7, 0); // unknown: at rest on the first tick
        w.StartEffect(Manual);
        w.NextStep();
        QVERIFY(w.isVisible() && !w.IsRunning());
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(120, 120));
        QCOMPARE(done.count(), 0);
        QTest::qWait(EffectShow::ClickGuardMs);
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(120, 120));
        QCOMPARE(done.count(), 1);

        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&w);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::AlertMessage);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Reminder: Call Ann"));
    }
};

QTEST_MAIN(TestEffectShow)
#include "testeffectshow.moc"
