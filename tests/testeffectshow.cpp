#include "effectshow.h"
#include "picturefile.h"
#include "screensize.h"
#include "testenv.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QSize Screen(320, 256);
const QRgb Red = qRgb(200, 0, 0);
const QRgb Blue = qRgb(0, 0, 180);

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

// Ticks until the effect ends; the number of ticks, or -1 if it does not end.
int runToEnd(EffectShow& w)
{
    for (int tick = 1; tick < 1000; ++tick) {
        w.NextStep();
        if (!w.IsRunning()) {
            return tick;
        }
    }
    return -1;
}

void click(EffectShow& w, QPoint at = QPoint(130, 120))
{
    QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, at);
}

// Long enough that the timer never fires by itself during a test that ticks by hand.
const int Manual = 100000;

} // namespace

class TestEffectShow : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenSize::setOverride(Screen); }
    void cleanup() { ScreenSize::clearOverride(); }

    void windowKind()
    {
        EffectShow w;
        QVERIFY(w.isWindow());
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(w.testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(w.focusPolicy(), Qt::NoFocus);
        QCOMPARE(w.size(), Screen);
        QVERIFY(!w.isVisible());
        QVERIFY(w.PrepareEffect(picture(), 1, 0));
        QVERIFY(!w.isVisible());
        QVERIFY(!w.IsRunning());

        // Even with a parent it stays a window of its own.
        QWidget owner;
        EffectShow child(&owner);
        QVERIFY(child.isWindow());
    }

    void firstFrames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("drawn");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QPoint>("absent");
        // Spread Up: only the bottom 9 rows show (256 - 247), so the blue band but not the block.
        QTest::newRow("Spread Up") << 1 << 0 << QPoint(10, 250) << Blue << QPoint(130, 120);
        // Push Right: drawn 309 pixels to the left; the band's right end shows at the left.
        QTest::newRow("Push Right") << 0 << 3 << QPoint(5, 250) << Blue << QPoint(200, 250);
        // Push Up: drawn 247 pixels lower; the block's top rows are off the window.
        QTest::newRow("Push Up") << 0 << 0 << QPoint(10, 247) << Red << QPoint(10, 254);
        // Blinds Horizontal: each band of 42.67 rows hides its upper 41; the last band's
        // bottom rows show.
        QTest::newRow("Blinds Horizontal") << 2 << 0 << QPoint(10, 255) << Blue << QPoint(10, 240);
    }

    void firstFrames()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        QFETCH(QPoint, drawn);
        QFETCH(QRgb, colour);
        QFETCH(QPoint, absent);
        EffectShow w;
        QImage source = picture();
        if (colour == Red) {
            // Something red at the picture's left edge's top for Push Up to bring in first.
            QPainter p(&source);
            p.fillRect(QRect(0, 0, 40, 5), QColor(Red));
        }
        QVERIFY(w.PrepareEffect(source, type, direction));
        w.StartEffect(Manual);
        QVERIFY(!w.isVisible());
        w.NextStep();
        // Shown from the first step on, and never the unanimated picture.
        QVERIFY(w.isVisible());
        const QImage frame = shown(w);
        QCOMPARE(frame.size(), Screen);
        QCOMPARE(frame.pixel(drawn), colour);
        QCOMPARE(qAlpha(frame.pixel(absent)), 0);
        QVERIFY(frame != EffectFrame::MakeTransparent(source));
    }

    void restsOnTheLastFrame_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        for (int d = 0; d < 8; ++d) {
            QTest::addRow("Push %d", d) << 0 << d;
            QTest::addRow("Spread %d", d) << 1 << d;
        }
        QTest::newRow("Blinds Horizontal") << 2 << 0;
        QTest::newRow("Blinds Vertical") << 2 << 1;
        QTest::newRow("Bounce") << 3 << 0;
    }

    void restsOnTheLastFrame()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        EffectShow w;
        w.PrepareEffect(picture(), type, direction);
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        QVERIFY(w.isVisible());
        const QImage frame = shown(w);
        QCOMPARE(frame, EffectFrame::MakeTransparent(picture()));
        QCOMPARE(frame.pixel(130, 120), Red);
        QCOMPARE(frame.pixel(319, 255), Blue);
        QCOMPARE(qAlpha(frame.pixel(5, 5)), 0);
        QCOMPARE(qAlpha(frame.pixel(99, 120)), 0);
    }

    void clicksCountOnlyAfterTheEnd()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 3, 0);
        w.SetDoneOnStop(false);
        w.StartEffect(Manual);
        for (int i = 0; i < 20; ++i) {
            w.NextStep();
        }
        QVERIFY(w.IsRunning());
        click(w, QPoint(10, 250));
        QCOMPARE(done.count(), 0);
        QVERIFY(runToEnd(w) > 0);
        QCOMPARE(done.count(), 0);
        click(w);
        QCOMPARE(done.count(), 1);
        click(w);
        QCOMPARE(done.count(), 2);
    }

    void doneOnStopReportsOnce()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 1, 4);
        w.SetDoneOnStop(true);
        w.StartEffect(1);
        QTRY_VERIFY(!w.IsRunning());
        QCOMPARE(done.count(), 1);
        QVERIFY(!w.findChild<QTimer*>()->isActive());
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(picture()));
    }

    void timerRunsTheEffect()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 2, 1);
        w.StartEffect(1);
        QTRY_VERIFY(!w.IsRunning());
        QCOMPARE(done.count(), 0);
        QVERIFY(w.isVisible());
        click(w);
        QCOMPARE(done.count(), 1);
    }

    void startingAgainStopsFirst()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 0, 0);
        w.SetDoneOnStop(true);
        w.StartEffect(Manual);
        w.NextStep();
        w.StartEffect(Manual);
        QCOMPARE(done.count(), 1);
        QVERIFY(w.IsRunning());
        QVERIFY(runToEnd(w) > 0);
        QCOMPARE(done.count(), 2);

        // Without done-on-stop, a restart says nothing.
        EffectShow quiet;
        QSignalSpy quietDone(&quiet, &EffectShow::EffectDone);
        quiet.PrepareEffect(picture(), 0, 0);
        quiet.StartEffect(Manual);
        quiet.StartEffect(Manual);
        QCOMPARE(quietDone.count(), 0);
        QVERIFY(quiet.IsRunning());
    }

    void preparingAgainStopsTheTimer()
    {
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.PrepareEffect(picture(), 1, 0);
        w.SetDoneOnStop(true);
        w.StartEffect(Manual);
        w.NextStep();
        QVERIFY(w.isVisible());
        QVERIFY(w.PrepareEffect(picture(), 1, 1));
        QVERIFY(!w.IsRunning());
        QVERIFY(!w.findChild<QTimer*>()->isActive());
        QVERIFY(!w.isVisible());
        QCOMPARE(done.count(), 0);
        // And it runs the new effect from its start.
        w.StartEffect(Manual);
        const int ticks = runToEnd(w);
        QVERIFY(ticks == 30 || ticks == 31);
        QCOMPARE(done.count(), 1);
    }

    void unusableEffectRestsAtOnce_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::newRow("type 4") << 4 << 0;
        QTest::newRow("type -1") << -1 << 0;
        QTest::newRow("Push 8") << 0 << 8;
        QTest::newRow("Blinds -1") << 2 << -1;
    }

    void unusableEffectRestsAtOnce()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        QVERIFY(!w.PrepareEffect(picture(), type, direction));
        w.SetDoneOnStop(true);
        w.StartEffect(Manual);
        QCOMPARE(runToEnd(w), 1);
        QCOMPARE(done.count(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(picture()));

        // Waiting for a click instead: it still ends on the first tick, and the click reports.
        EffectShow clicked;
        QSignalSpy clickedDone(&clicked, &EffectShow::EffectDone);
        clicked.PrepareEffect(picture(), type, direction);
        clicked.StartEffect(Manual);
        QCOMPARE(runToEnd(clicked), 1);
        QCOMPARE(clickedDone.count(), 0);
        click(clicked);
        QCOMPARE(clickedDone.count(), 1);
    }

    void nothingToShowStaysHidden()
    {
        // Started without a picture: it ends, and no empty full-screen window appears.
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.SetDoneOnStop(true);
        w.StartEffect(Manual);
        QCOMPARE(runToEnd(w), 1);
        QCOMPARE(done.count(), 1);
        QVERIFY(!w.isVisible());
    }

    void pictureFileIsStretched()
    {
        TestEnv::ScratchDir dir;
        // Stored at half the screen's size, with the lower right quarter red.
        QImage stored(160, 128, QImage::Format_RGB16);
        stored.fill(Qt::white);
        QPainter p(&stored);
        p.fillRect(QRect(80, 64, 80, 64), QColor(Red));
        p.end();
        QCOMPARE(PictureFile::Write("dap20240101080000", stored), 0);

        EffectShow w;
        QVERIFY(w.PrepareEffect(QString("dap20240101080000"), 1, 7));
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        const QImage frame = shown(w);
        const QRgb red = stored.pixel(100, 100); // as 16 bits keep it
        QCOMPARE(frame.pixel(319, 255), red);
        QCOMPARE(frame.pixel(161, 129), red);
        QCOMPARE(qAlpha(frame.pixel(158, 126)), 0);
        QCOMPARE(qAlpha(frame.pixel(300, 10)), 0);
    }

    void unshowablePictureGivesACard_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("damaged") << QByteArray("not a picture at all");
        QImage white(Screen, QImage::Format_RGB16);
        white.fill(Qt::white);
        QTest::newRow("all white") << PictureFile::Encode(white);
    }

    void unshowablePictureGivesACard()
    {
        QFETCH(QByteArray, bytes);
        TestEnv::ScratchDir dir;
        if (!bytes.isEmpty()) {
            TestEnv::writeAll("dap20240101080000", bytes);
        }
        EffectShow w;
        QSignalSpy done(&w, &EffectShow::EffectDone);
        w.SetTitle("Dentist at ten");
        QVERIFY(!w.PrepareEffect(QString("dap20240101080000"), 2, 0));
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        const QImage frame = shown(w);
        QCOMPARE(frame, EffectFrame::MakeTransparent(EffectShow::MakeCard("Dentist at ten", Screen)));
        // A panel in the middle, the desktop around it.
        QCOMPARE(qAlpha(frame.pixel(2, 2)), 0);
        QCOMPARE(qAlpha(frame.pixel(317, 253)), 0);
        QCOMPARE(qAlpha(frame.pixel(160, 128)), 255);
        click(w, QPoint(160, 128));
        QCOMPARE(done.count(), 1);
    }

    void cardShowsTheTitle()
    {
        const QImage titled = EffectShow::MakeCard("Dentist at ten", Screen);
        const QImage plain = EffectShow::MakeCard(QString(), Screen);
        QCOMPARE(titled.size(), Screen);
        QVERIFY(titled != plain);
        // The panel is centred and nothing on it is pure white.
        const QRect panel = EffectFrame::OpaqueRegion(EffectFrame::MakeTransparent(titled)).boundingRect();
        QVERIFY(qAbs(panel.center().x() - 160) <= 1);
        QVERIFY(qAbs(panel.center().y() - 128) <= 1);
        QCOMPARE(EffectFrame::OpaqueRegion(EffectFrame::MakeTransparent(titled)), QRegion(panel));
        // The title's dark pixels make the titled card darker.
        auto dark = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    n += qGray(image.pixel(x, y)) < 100;
                }
            }
            return n;
        };
        QVERIFY(dark(titled) > dark(plain) + 50);
    }

    void imageThatCannotBeShownGivesACard()
    {
        EffectShow w;
        w.SetTitle("Call home");
        QVERIFY(!w.PrepareEffect(QImage(), 3, 0));
        w.StartEffect(Manual);
        QVERIFY(runToEnd(w) > 0);
        QCOMPARE(shown(w), EffectFrame::MakeTransparent(EffectShow::MakeCard("Call home", Screen)));
    }

    void shapeFollowsTheDrawnPixels()
    {
        // The offscreen platform keeps the mask but cannot apply it, and says so each time.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains("does not support setting window masks")) {
                    previous(type, context, text);
                }
            });
        auto restore = qScopeGuard([] { qInstallMessageHandler(previous); });
        EffectShow w;
        w.SetShaped(true);
        w.PrepareEffect(picture(), 0, 0);
        w.StartEffect(Manual);
        // Push Up brings the picture up from below: the window appears only with the first frame
        // in which the block's top row is on screen (256 - 12 * 256 / 30 = 153.6 rows down).
        int ticks = 0;
        while (!w.isVisible() && ticks < 30) {
            w.NextStep();
            ++ticks;
        }
        QCOMPARE(ticks, 12);
        QCOMPARE(w.mask(), w.Frame().Shape());
        QVERIFY(!w.mask().isEmpty());
        QVERIFY(runToEnd(w) > 0);
        QCOMPARE(w.mask(), QRegion(100, 100, 60, 40).united(QRect(0, 230, 320, 26)));
        w.SetShaped(false);
        QVERIFY(w.mask().isEmpty());

        // A mask effect follows the exact shape from its first frame.
        EffectShow spread;
        spread.SetShaped(true);
        spread.PrepareEffect(picture(), 1, 2);
        spread.StartEffect(Manual);
        for (int i = 0; i < 20; ++i) {
            spread.NextStep();
        }
        QCOMPARE(spread.mask(), spread.Frame().Shape());
        QCOMPARE(spread.mask(),
                 QRegion(100, 100, 60, 40).united(QRect(0, 230, 320, 26)) & spread.Frame().Visible());
    }
};

QTEST_MAIN(TestEffectShow)
#include "testeffectshow.moc"
