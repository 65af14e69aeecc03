// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/bounceeffect.h"
#include "core/effects/effectframe.h"
#include "core/effects/effectreckon.h"
#include "core/effects/entryeffect.h"
#include "core/effects/maskeffect.h"
#include "core/effects/screenchoice.h"
#include "core/effects/shuttereffect.h"
#include "mock/MockScreens.h"

#include <QtTest>

namespace {

const double W = 1280.0;
const double H = 1024.0;
const QRgb Red = qRgb(200, 0, 0);

// The number of the Step that ended the effect.
int runToEnd(AnimationEffect& effect)
{
    int n = 1;
    while (effect.Step() && n < 1000) {
        ++n;
    }
    return n;
}

bool allEmpty(const QList<QRectF>& rects)
{
    return std::all_of(rects.begin(), rects.end(), [](const QRectF& r) { return r.isEmpty(); });
}

QImage solid(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

} // namespace

class TestEffects : public QObject
{
    Q_OBJECT

private slots:
    void init() { MockScreens::set(QSize(1280, 1024)); }
    void cleanup() { MockScreens::reset(); }

    void initResults_data()
    {
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("runs");
        QTest::newRow("one element") << QVariantList{0} << -1 << false;
        QTest::newRow("push -1") << QVariantList{0, -1} << -2 << false;
        QTest::newRow("spread 8") << QVariantList{1, 8} << -2 << false;
        QTest::newRow("spread 7") << QVariantList{1, 7} << 0 << true;
        QTest::newRow("blinds 2") << QVariantList{2, 2} << -2 << false;
        QTest::newRow("bounce, any direction") << QVariantList{3, 42} << 0 << true;
        QTest::newRow("unknown type") << QVariantList{4, 0} << 0 << false;
    }

    void initResults()
    {
        QFETCH(QVariantList, params);
        QFETCH(int, result);
        QFETCH(bool, runs);
        // Under way first: a refused Init must not leave that effect running.
        EffectReckon effect;
        QCOMPARE(effect.Init({2, 1}), 0);
        QVERIFY(effect.Step());
        QCOMPARE(effect.Init(params), result);
        QCOMPARE(effect.Step(), runs);
        // The effect window stops on IsFinished: one that never started must still report its end.
        QCOMPARE(effect.IsFinished(), !runs);
        QVERIFY(runs || (!effect.IsMoving() && !effect.IsMasking() && allEmpty(effect.HiddenRects())));
    }

    // Each effect checks its own direction as well, for callers that do not go through the choice;
    // refused, it is finished at once.
    void ownDirectionRange()
    {
        EntryEffect push;
        MaskEffect spread;
        ShutterEffect blinds;
        for (const auto& [effect, count] :
             {std::pair<AnimationEffect*, int>{&push, 8}, {&spread, 8}, {&blinds, 2}}) {
            QVERIFY(effect->Init({count - 1}) == 0 && effect->Step() && !effect->IsFinished());
            QVERIFY(effect->Init({count}) == -2 && effect->Init({-1}) == -2 && effect->Init({}) == -1);
            QVERIFY(!effect->Step() && effect->IsFinished() && allEmpty(effect->HiddenRects()));
        }
        EffectReckon reckon;
        QCOMPARE(reckon.CreateEffect(EffectChoice{EffectChoice::Blinds, 2}), -2);
        QVERIFY(!reckon.HasEffect() && !reckon.IsMoving() && !reckon.IsMasking());
    }

    void firstAndLastSteps_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<QList<QRectF>>("hidden");
        // After one step a thirtieth of the way is done: Push Up starts 989.87 pixels low.
        const double w = W - W / 30;
        const double h = H - H / 30;
        const int signs[][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
        const QList<QList<QRectF>> spread = {{{0, 0, W, h}},
                                             {{0, H - h, W, h}},
                                             {{0, 0, w, H}},
                                             {{W - w, 0, w, H}},
                                             {{0, 0, W, h}, {0, h, w, H - h}},
                                             {{0, 0, W, h}, {W - w, h, w, H - h}},
                                             {{0, H - h, W, h}, {0, 0, w, H - h}},
                                             {{0, H - h, W, h}, {W - w, 0, w, H - h}}};
        for (int d = 0; d < 8; ++d) {
            QTest::addRow("push %d", d)
                << 0 << d << QPointF(signs[d][0] * w, signs[d][1] * h) << QList<QRectF>{};
            QTest::addRow("spread %d", d) << 1 << d << QPointF() << spread.at(d);
        }
        // Six bands 170.67 high (columns 213.33 wide), each opening from its lower (right) edge.
        QList<QRectF> bands, columns;
        for (int i = 0; i < 6; ++i) {
            bands << QRectF(0, i * 170.667, W, 164.98);
            columns << QRectF(i * 213.333, 0, 206.22, H);
        }
        QTest::newRow("blinds horizontal") << 2 << 0 << QPointF() << bands;
        QTest::newRow("blinds vertical") << 2 << 1 << QPointF() << columns;
    }

    void firstAndLastSteps()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        QFETCH(QPointF, offset);
        QFETCH(QList<QRectF>, hidden);
        EffectReckon effect;
        QCOMPARE(effect.Init({type, direction}), 0);
        QVERIFY(effect.IsMoving() == (type == 0) && effect.IsMasking() == (type != 0) && effect.Step());
        QCOMPARE(effect.Offset(), offset);
        const QList<QRectF> rects = effect.HiddenRects();
        QCOMPARE(rects.size(), hidden.size());
        for (int i = 0; i < rects.size(); ++i) {
            const QRectF& e = hidden.at(i);
            const QRectF d = rects.at(i).adjusted(-e.x(), -e.y(), -e.right(), -e.bottom());
            QVERIFY2(qAbs(d.x()) + qAbs(d.y()) + qAbs(d.right()) + qAbs(d.bottom()) < 0.02,
                     qPrintable(QString::number(i)));
        }
        const int last = 1 + runToEnd(effect);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
        QVERIFY(effect.Offset().isNull() && allEmpty(effect.HiddenRects()));
    }

    void exactZeroEndsInTime()
    {
        // 960 / 30 and 480 / 30 subtract exactly: push shows the rest once more, spread ends on it.
        EffectReckon effect;
        effect.SetScreen(QSize(960, 480));
        effect.Init({0, 5});
        QCOMPARE(runToEnd(effect), 31);
        effect.Init({1, 1});
        QCOMPARE(runToEnd(effect), 30);
    }

    void bounce()
    {
        BounceEffect bounce;
        QCOMPARE(bounce.Init({}), 0);
        QVERIFY(bounce.Step());
        QCOMPARE(bounce.Offset(), QPointF(0, -1269)); // gravity 21.33 a step
        int impact = 1;
        while (bounce.Lift() != 0 && impact < 100) {
            bounce.Step();
            ++impact;
        }
        QVERIFY(impact == 11 && bounce.DropHeight() == 896.0);
        // It settles with ever smaller hops and rests at its place, some 150 steps in all.
        const int steps = impact + runToEnd(bounce);
        QVERIFY2(steps > 120 && steps < 200, qPrintable(QString::number(steps)));
        QVERIFY(bounce.Offset().isNull() && bounce.DropHeight() < 1.0);
    }

    void screenChoice()
    {
        // A full-HD primary and a 4K screen at 200 % to its right.
        const QList<ScreenSize::Screen> two{{QRect(0, 0, 1920, 1080), 1.0},
                                            {QRect(1920, 0, 1920, 1080), 2.0}};
        QCOMPARE(ScreenChoice::For(ScreenChoice::Primary, two, QPoint(2000, 100)), QList<int>{0});
        QCOMPARE(ScreenChoice::For(ScreenChoice::UnderPointer, two, QPoint(2000, 100)), QList<int>{1});
        QCOMPARE(ScreenChoice::For(ScreenChoice::UnderPointer, two, QPoint(2000, 1500)), QList<int>{0});
        QCOMPARE(ScreenChoice::For(ScreenChoice::Every, two, QPoint()), (QList<int>{0, 1}));
        // Unplugged: the first remaining screen not showing the reminder yet.
        QCOMPARE(ScreenChoice::Replacement(two, {QRect(0, 0, 1920, 1080)}), 1);
        QCOMPARE(ScreenChoice::Replacement(two.mid(1), {QRect(1920, 0, 1920, 1080)}), -1);
    }

    void transparency_data()
    {
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("soft"); // premultiplied, colour to alpha
        QTest::newRow("white") << qRgb(255, 255, 255) << 0u;
        QTest::newRow("black") << qRgb(0, 0, 0) << 0xff000000u;
        QTest::newRow("half black") << qRgb(128, 128, 128) << 0x7f000000u;
        QTest::newRow("pink fringe of red") << qRgb(255, 128, 128) << 0x7f7f0000u;
    }

    void transparency()
    {
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, soft);
        const QImage image = solid(QSize(3, 2), pixel);
        QCOMPARE(EffectFrame::ColourToAlpha(image).pixel(2, 1), soft);
        // Without a compositor only pure white goes.
        QCOMPARE(EffectFrame::MakeTransparent(image).pixel(2, 1), soft ? pixel : 0u);
    }

    void visibleArea_data()
    {
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<QList<QRectF>>("hidden");
        QTest::addColumn<QRegion>("visible");
        const QRegion all(0, 0, 80, 60);
        QTest::newRow("hidden rectangle truncated part by part")
            << QPointF() << QList<QRectF>{{0.9, 0.9, 79.9, 30.7}} << all.subtracted(QRect(0, 0, 79, 30));
        QTest::newRow("width below one hides nothing") << QPointF() << QList<QRectF>{{0, 0, 0.99, 60}} << all;
        QTest::newRow("offset truncated towards zero")
            << QPointF(-10.8, 20.9) << QList<QRectF>{} << QRegion(0, 20, 70, 40);
        QTest::newRow("wholly off the window") << QPointF(0, 60) << QList<QRectF>{} << QRegion();
    }

    void visibleArea()
    {
        QFETCH(QPointF, offset);
        QFETCH(QList<QRectF>, hidden);
        QFETCH(QRegion, visible);
        EffectFrame frame;
        frame.SetWindowSize(QSize(80, 60));
        frame.SetPicture(solid(QSize(80, 60), Red));
        frame.SetGeometry(offset, hidden);
        QCOMPARE(frame.Visible(), visible);
    }

    void coarseShapeStaysAffordable()
    {
        // Isolated dots, some in the last column, whose cells are clipped at the picture's edge.
        QImage dots = solid(QSize(241, 200), qRgb(255, 255, 255));
        for (int i = 0; i < 241 * 200; i += 3) {
            dots.setPixel(i % 241, i / 241, (i / 241) % 3 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        EffectFrame busy;
        busy.SetPicture(dots);
        QVERIFY(busy.PictureShape().rectCount() > EffectFrame::CoarseShapeBudget);
        const QRegion coarse = busy.CoarsePictureShape();
        QVERIFY(coarse.rectCount() <= EffectFrame::CoarseShapeBudget);
        // Coarser, never smaller: every drawn pixel stays inside.
        QVERIFY(busy.PictureShape().subtracted(coarse).isEmpty() &&
                dots.rect().contains(coarse.boundingRect()));
        busy.SetWindowSize(QSize(240, 200));
        busy.SetGeometry(QPointF(10, -20), {QRectF(0, 0, 100, 200)});
        QCOMPARE(busy.CoarseShape(), coarse.translated(10, -20).intersected(QRect(110, 0, 130, 180)));
    }
};

QTEST_GUILESS_MAIN(TestEffects)
#include "testeffects.moc"
