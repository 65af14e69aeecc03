// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "core/options/esettings.h"
#include "core/picture/picturefile.h"
#include "gui/effects/effectshow.h"
#include "support/painttest.h"
#include "support/testenv.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QSize Screen(320, 256);
const QRgb Red = qRgb(200, 0, 0);
const QRgb Blue = qRgb(0, 0, 180);
const QString Pic = QStringLiteral("dap20240101080000");
// Long enough that the timer never fires by itself during a test that ticks by hand.
const int Manual = 100000;

// White, a red block at (100, 100, 60, 40) and a blue band over the bottom 26 rows.
QImage picture()
{
    QImage image(Screen, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(QRect(100, 100, 60, 40), QColor(Red));
    p.fillRect(QRect(0, 230, 320, 26), QColor(Blue));
    return image;
}

// What the window shows, painted by its own paint handler.
QImage shown(EffectShow& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int runToEnd(EffectShow& w)
{
    return PaintTest::stepsToEnd([&] {
        w.NextStep();
        return w.IsRunning();
    });
}

void click(EffectShow& w, QPoint at = QPoint(130, 120))
{
    QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestEffectShow : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenSize::setOverride(Screen); }
    void cleanup() { ScreenSize::clearOverride(); }

    void firstAndLastFrames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("drawn"); // on the first frame, in `colour`
        QTest::addColumn<QPoint>("absent");
        QTest::newRow("Bounce") << 3 << 0 << QPoint() << QPoint();
        QTest::newRow("unknown effect: at rest at once") << 4 << 0 << QPoint() << QPoint();
        // Spread Up: only the bottom 9 rows show (256 - 247), so the blue band but not the block.
        QTest::newRow("Spread Up, first frame") << 1 << 0 << QPoint(10, 250) << QPoint(130, 120);
        // Push Right: drawn 309 pixels to the left; the band's right end shows at the left.
        QTest::newRow("Push Right, first frame") << 0 << 3 << QPoint(5, 250) << QPoint(200, 250);
        // Blinds Horizontal: each band of 42.67 rows hides its upper 41; the last band's bottom shows.
        QTest::newRow("Blinds Horizontal, first frame") << 2 << 0 << QPoint(10, 255) << QPoint(10, 240);
    }

    void firstAndLastFrames()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        QFETCH(QPoint, drawn);
        QFETCH(QPoint, absent);
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        QCOMPARE(w.PrepareEffect(picture(), type, direction), type < 4);
        w.StartEffect(Manual);
        QVERIFY(!w.isVisible());
        w.NextStep();
        click(w, QPoint(10, 250)); // ignored while the effect runs
        if (!drawn.isNull()) {
            // Shown from the first step on, and never the unanimated picture.
            QVERIFY(w.isVisible());
            const QImage frame = shown(w);
            QVERIFY(frame != EffectFrame::MakeTransparent(picture()));
            QCOMPARE(frame.pixel(drawn), Blue);
            QCOMPARE(qAlpha(frame.pixel(absent)), 0);
        }
        QVERIFY(runToEnd(w) > 0);
        QVERIFY(w.isVisible() && done.count() == (type == 4 ? 1 : 0));
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(picture()));
        click(w);
        QCOMPARE(done.count(), type == 4 ? 2 : 1);
    }

    void startingOrPreparingAgainStopsFirst()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 0, 0);
        w.SetDoneOnStop(true);
        w.StartEffect(Manual);
        w.NextStep();
        w.StartEffect(Manual);
        QVERIFY(done.count() == 1 && w.IsRunning());
        // Preparing again stops the running window quietly and hides it; the timer runs the new
        // effect to its end.
        w.NextStep();
        QVERIFY(w.PrepareEffect(picture(), 1, 1));
        QVERIFY(!w.IsRunning() && !w.isVisible() && done.count() == 1);
        w.StartEffect(1);
        QTRY_VERIFY(!w.IsRunning());
        QVERIFY(done.count() == 2 && !w.findChild<QTimer*>()->isActive());
    }

    void unshowablePictureGivesACard_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QImage white(Screen, QImage::Format_RGB16);
        white.fill(Qt::white);
        QTest::newRow("all white") << PictureFile::Encode(white);
    }

    void unshowablePictureGivesACard()
    {
        QFETCH(QByteArray, bytes);
        TestEnv::ScratchDir dir;
        if (!bytes.isEmpty()) {
            TestEnv::writeAll(Pic, bytes);
        }
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.SetTitle("Dentist at ten");
        QVERIFY(!w.PrepareEffect(Pic, 2, 0));
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        const QImage card = EffectShow::MakeCard("Dentist at ten", Screen);
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(card));
        QVERIFY(card != EffectShow::MakeCard(QString(), Screen));
        // A panel in the middle, the desktop around it, that takes the click.
        const QRect panel = EffectFrame::OpaqueRegion(EffectFrame::MakeTransparent(card)).boundingRect();
        QVERIFY(panel.contains(160, 128) && panel.width() < 300);
        click(w, QPoint(160, 128));
        QCOMPARE(done.count(), 1);
    }

    void screens_data()
    {
        QTest::addColumn<int>("where");
        QTest::addColumn<QList<QRect>>("windows"); // the leader's first
        QTest::addColumn<QList<QRect>>("afterUnplug");
        const QRect first(0, 0, 320, 256);
        const QRect second(320, 0, 160, 128);
        QTest::newRow("primary") << 0 << QList<QRect>{first} << QList<QRect>{first};
        QTest::newRow("under the pointer") << 1 << QList<QRect>{second} << QList<QRect>{first};
        QTest::newRow("every") << 2 << QList<QRect>{first, second} << QList<QRect>{first};
    }

    void screens()
    {
        QFETCH(int, where);
        QFETCH(QList<QRect>, windows);
        QFETCH(QList<QRect>, afterUnplug);
        TestEnv::ScratchDir dir;
        ESettings options;
        options.SetShowRemindersOn(where);
        QVERIFY(options.SaveOptions());
        // The second screen is scaled to 200 %: 320 x 256 pixels in 160 x 128 units.
        ScreenSize::setOverride({{QRect(0, 0, 320, 256), 1.0}, {QRect(320, 0, 160, 128), 2.0}},
                                QPoint(400, 50));
        EffectShow w;
        QList<QRect> places{w.geometry()};
        for (EffectShow* other : w.Others()) {
            places.append(other->geometry());
            QCOMPARE(other->Frame().WindowSize(), QSize(320, 256));
        }
        QCOMPARE(places, windows);
        QCOMPARE(w.Frame().WindowSize(), QSize(320, 256));
        w.PrepareEffect(picture(), 3, 0);
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        // Whichever window is clicked, the reminder is done.
        QSignalSpy done(&w, &EffectShow::EffectDone);
        click(w.Others().isEmpty() ? w : *w.Others().constLast());
        QCOMPARE(done.count(), 1);
        // Unplugged while it is shown: on the remaining screen, whole and at rest.
        ScreenSize::setOverride(QSize(320, 256));
        QMetaObject::invokeMethod(&w, "ScreensChanged");
        places = {w.geometry()};
        for (EffectShow* other : w.Others()) {
            places.append(other->geometry());
        }
        QCOMPARE(places, afterUnplug);
        QVERIFY(w.isVisible() && !w.IsRunning());
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(picture()));
    }
};

QTEST_MAIN(TestEffectShow)
#include "testeffectshow.moc"
