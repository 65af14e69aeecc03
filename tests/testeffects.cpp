#include "animationeffect.h"
#include "bounceeffect.h"
#include "effectcodes.h"
#include "effectreckon.h"
#include "entryeffect.h"
#include "maskeffect.h"
#include "screensize.h"
#include "shuttereffect.h"

#include <QtTest>

#include <memory>

namespace {

const double W = 1280.0;
const double H = 1024.0;

// Reaches the common reset, which every Init runs first.
class BaseProbe : public AnimationEffect
{
public:
    int Init(QList<QVariant>) override
    {
        ResetBase();
        return 0;
    }
    bool Step() override { return false; }
};

std::unique_ptr<AnimationEffect> make(const QString& kind)
{
    if (kind == "push") {
        return std::make_unique<EntryEffect>();
    }
    if (kind == "spread") {
        return std::make_unique<MaskEffect>();
    }
    if (kind == "blinds") {
        return std::make_unique<ShutterEffect>();
    }
    if (kind == "bounce") {
        return std::make_unique<BounceEffect>();
    }
    return std::make_unique<EffectReckon>();
}

// Steps until the effect says it is over; the number of the step that ended it, or -1 when it
// runs on past `limit`.
int runToEnd(AnimationEffect* effect, int limit = 1000)
{
    for (int step = 1; step <= limit; ++step) {
        if (!effect->Step()) {
            return step;
        }
    }
    return -1;
}

bool allEmpty(const QList<QRectF>& rects)
{
    for (const QRectF& r : rects) {
        if (r.width() > 0 && r.height() > 0) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestEffects : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenSize::setOverride(QSize(1280, 1024)); }
    void cleanup() { ScreenSize::clearOverride(); }

    void resetBaseTakesTheScreen()
    {
        BaseProbe probe;
        QCOMPARE(probe.Init({}), 0);
        QCOMPARE(probe.ScreenWidth(), 1280.0);
        QCOMPARE(probe.ScreenHeight(), 1024.0);
        QCOMPARE(probe.StepCount(), 30.0);
        QVERIFY(!probe.IsFinished());
        QVERIFY(!probe.IsMoving());
        QVERIFY(!probe.IsMasking());
        QCOMPARE(probe.Offset(), QPointF(0, 0));
        QVERIFY(probe.HiddenRects().isEmpty());
    }

    void initResults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<int>("result");
        for (const char* kind : {"push", "spread"}) {
            QTest::addRow("%s empty", kind) << kind << QVariantList{} << -1;
            QTest::addRow("%s -1", kind) << kind << QVariantList{-1} << -2;
            QTest::addRow("%s 8", kind) << kind << QVariantList{8} << -2;
            QTest::addRow("%s 7", kind) << kind << QVariantList{7} << 0;
            QTest::addRow("%s text counts as 0", kind) << kind << QVariantList{QString("up")} << 0;
        }
        QTest::newRow("blinds empty") << "blinds" << QVariantList{} << -1;
        QTest::newRow("blinds 2") << "blinds" << QVariantList{2} << -2;
        QTest::newRow("blinds -1") << "blinds" << QVariantList{-1} << -2;
        QTest::newRow("blinds 1") << "blinds" << QVariantList{1} << 0;
        QTest::newRow("bounce empty") << "bounce" << QVariantList{} << 0;
        QTest::newRow("bounce any code") << "bounce" << QVariantList{42} << 0;
        QTest::newRow("reckon empty") << "reckon" << QVariantList{} << -1;
        QTest::newRow("reckon one element") << "reckon" << QVariantList{0} << -1;
        QTest::newRow("reckon push 8") << "reckon" << QVariantList{0, 8} << -2;
        QTest::newRow("reckon blinds 2") << "reckon" << QVariantList{2, 2} << -2;
        QTest::newRow("reckon spread 7") << "reckon" << QVariantList{1, 7} << 0;
        QTest::newRow("reckon unknown type") << "reckon" << QVariantList{4, 0} << 0;
    }

    void initResults()
    {
        QFETCH(QString, kind);
        QFETCH(QVariantList, params);
        QFETCH(int, result);
        auto effect = make(kind);
        // Under way with a good list first: a refused Init must not leave that effect running.
        QCOMPARE(effect->Init(kind == "reckon" ? QVariantList{2, 1} : QVariantList{1}), 0);
        QVERIFY(effect->Step());
        QCOMPARE(effect->Init(params), result);
        if (result != 0) {
            QVERIFY(!effect->IsMoving());
            QVERIFY(!effect->IsMasking());
            QVERIFY(!effect->Step());
            QVERIFY(effect->IsFinished());
            QCOMPARE(effect->Offset(), QPointF(0, 0));
            QVERIFY(allEmpty(effect->HiddenRects()));
        }
    }

    void push_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("sx");
        QTest::addColumn<int>("sy");
        QTest::newRow("Up: from below") << 0 << 0 << 1;
        QTest::newRow("Down: from above") << 1 << 0 << -1;
        QTest::newRow("Left: from the right") << 2 << 1 << 0;
        QTest::newRow("Right: from the left") << 3 << -1 << 0;
        QTest::newRow("Left-Up") << 4 << 1 << 1;
        QTest::newRow("Right-Up") << 5 << -1 << 1;
        QTest::newRow("Left-Down") << 6 << 1 << -1;
        QTest::newRow("Right-Down") << 7 << -1 << -1;
    }

    void push()
    {
        QFETCH(int, direction);
        QFETCH(int, sx);
        QFETCH(int, sy);
        EntryEffect push;
        QCOMPARE(push.Init({direction}), 0);
        QVERIFY(push.IsMoving());
        QVERIFY(!push.IsMasking());
        for (int step = 1; step <= 2; ++step) {
            QVERIFY(push.Step());
            QCOMPARE(push.Offset(), QPointF(sx * (W - step * (W / 30)), sy * (H - step * (H / 30))));
            if (step == 1 && direction == 0) {
                QVERIFY(qAbs(push.Offset().y() - 989.87) < 0.01);
            }
        }
        const int last = 2 + runToEnd(&push);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
        QVERIFY(push.IsFinished());
        QCOMPARE(push.Offset(), QPointF(0, 0));
    }

    void pushExactZeroGetsOneMoreStep()
    {
        // 960 / 30 and 480 / 30 subtract exactly: after 30 steps the distance is exactly 0.
        ScreenSize::setOverride(QSize(960, 480));
        EntryEffect push;
        push.Init({5});
        for (int i = 0; i < 30; ++i) {
            QVERIFY(push.Step());
        }
        QCOMPARE(push.Offset(), QPointF(0, 0));
        QVERIFY(!push.IsFinished());
        QVERIFY(!push.Step());
        QCOMPARE(push.Offset(), QPointF(0, 0));
    }

    void spread_data()
    {
        const double rh = H - H / 30;
        const double rw = W - W / 30;
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<QRectF>>("hidden");
        QTest::newRow("Up") << 0 << QList<QRectF>{{0, 0, W, rh}};
        QTest::newRow("Down") << 1 << QList<QRectF>{{0, H - rh, W, rh}};
        QTest::newRow("Left") << 2 << QList<QRectF>{{0, 0, rw, H}};
        QTest::newRow("Right") << 3 << QList<QRectF>{{W - rw, 0, rw, H}};
        QTest::newRow("Left-Up") << 4 << QList<QRectF>{{0, 0, W, rh}, {0, rh, rw, H - rh}};
        QTest::newRow("Right-Up") << 5 << QList<QRectF>{{0, 0, W, rh}, {W - rw, rh, rw, H - rh}};
        QTest::newRow("Left-Down") << 6 << QList<QRectF>{{0, H - rh, W, rh}, {0, 0, rw, H - rh}};
        QTest::newRow("Right-Down") << 7 << QList<QRectF>{{0, H - rh, W, rh}, {W - rw, 0, rw, H - rh}};
    }

    void spread()
    {
        QFETCH(int, direction);
        QFETCH(QList<QRectF>, hidden);
        MaskEffect spread;
        QCOMPARE(spread.Init({direction}), 0);
        QVERIFY(spread.IsMasking());
        QVERIFY(!spread.IsMoving());
        QVERIFY(spread.Step());
        QCOMPARE(spread.HiddenRects(), hidden);
        QCOMPARE(spread.Offset(), QPointF(0, 0));
        if (direction == 0) {
            // Only a bottom strip of about 34 pixels shows.
            QVERIFY(qAbs(H - hidden.at(0).height() - 34.13) < 0.01);
        }
        const int last = 1 + runToEnd(&spread);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
        QVERIFY(allEmpty(spread.HiddenRects()));
    }

    void spreadDiagonalHidesAllButTheCorner()
    {
        MaskEffect spread;
        spread.Init({4});
        for (int i = 0; i < 10; ++i) {
            spread.Step();
        }
        const double rh = H - 10 * (H / 30);
        const double rw = W - 10 * (W / 30);
        double area = 0;
        for (const QRectF& r : spread.HiddenRects()) {
            area += r.width() * r.height();
            QVERIFY(!r.intersects(QRectF(QPointF(rw, rh), QPointF(W, H)).adjusted(0.01, 0.01, 0, 0)));
        }
        QVERIFY(qAbs(area - (W * H - (W - rw) * (H - rh))) < 1.0);
    }

    void spreadEndsOnExactZero()
    {
        ScreenSize::setOverride(QSize(960, 480));
        MaskEffect spread;
        spread.Init({1});
        QCOMPARE(runToEnd(&spread), 30);
        QVERIFY(allEmpty(spread.HiddenRects()));
    }

    void blinds_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QRectF>("last");
        QTest::addColumn<QSizeF>("afterOneStep");
        // Horizontal: bands 1024 / 6 = 170.67 high, the last from 853.33; 164.98 after a step.
        QTest::newRow("horizontal") << 0 << QRectF(0, 853.33, W, 170.67) << QSizeF(W, 164.98);
        // Vertical: columns 1280 / 6 = 213.33 wide, shrinking by 213.33 / 30 a step.
        QTest::newRow("vertical") << 1 << QRectF(1066.67, 0, 213.33, H) << QSizeF(206.22, H);
    }

    void blinds()
    {
        QFETCH(int, direction);
        QFETCH(QRectF, last);
        QFETCH(QSizeF, afterOneStep);
        auto near = [](const QRectF& a, const QRectF& b) {
            return qAbs(a.x() - b.x()) < 0.01 && qAbs(a.y() - b.y()) < 0.01 &&
                   qAbs(a.width() - b.width()) < 0.01 && qAbs(a.height() - b.height()) < 0.01;
        };
        ShutterEffect blinds;
        QCOMPARE(blinds.Init({direction}), 0);
        QVERIFY(blinds.IsMasking());
        const QList<QRectF> rects = blinds.HiddenRects();
        QCOMPARE(rects.size(), 6);
        QVERIFY(near(rects.at(5), last));
        QVERIFY(blinds.Step());
        const QList<QRectF> stepped = blinds.HiddenRects();
        QCOMPARE(stepped.size(), 6);
        for (int i = 0; i < 6; ++i) {
            // Each keeps its top-left corner: it opens from its lower or right edge.
            QVERIFY(near(stepped.at(i), QRectF(rects.at(i).topLeft(), afterOneStep)));
        }
        const int end = 1 + runToEnd(&blinds);
        QVERIFY2(end == 30 || end == 31, qPrintable(QString::number(end)));
        QVERIFY(blinds.HiddenRects().isEmpty());
        QVERIFY(!blinds.Step());
        QVERIFY(blinds.HiddenRects().isEmpty());
    }

    void bounceFigures()
    {
        BounceEffect bounce;
        QCOMPARE(bounce.Init({}), 0);
        QVERIFY(bounce.IsMoving());
        QVERIFY(!bounce.IsMasking());
        QVERIFY(qAbs(bounce.Gravity() - 21.33) < 0.01);
        QVERIFY(bounce.Step());
        QVERIFY(qAbs(bounce.Velocity() - 21.33) < 0.01);
        QCOMPARE(bounce.Lift(), 1269);
        QCOMPARE(bounce.Offset(), QPointF(0, -1269));
        int impact = 1;
        while (bounce.Lift() != 0 && impact < 100) {
            bounce.Step();
            ++impact;
        }
        QCOMPARE(impact, 11);
        QCOMPARE(bounce.DropHeight(), 1280 * 0.7);
        QCOMPARE(bounce.Offset(), QPointF(0, 0));
        // Back up, just as high as the new drop height.
        QVERIFY(bounce.Velocity() < 0);
        int top = 0;
        for (int i = 0; i < 40; ++i) {
            bounce.Step();
            top = qMax(top, bounce.Lift());
        }
        QVERIFY(top > 850 && top <= 896);
    }

    void bounceSettlesAndRests()
    {
        BounceEffect bounce;
        bounce.Init({});
        int steps = 0;
        while (bounce.DropHeight() > 5.0) {
            QVERIFY(bounce.Step());
            ++steps;
        }
        // Settling: a few pixels up, then back, each time a tenth lower, until below one pixel.
        QList<int> lifts;
        while (bounce.Step()) {
            lifts << bounce.Lift();
        }
        QVERIFY(lifts.size() >= 4);
        for (int i = 0; i + 1 < lifts.size(); ++i) {
            QVERIFY(lifts.at(i) >= 0 && lifts.at(i) <= 5);
            QVERIFY2(lifts.at(i) == 0 || lifts.at(i + 1) == 0, "alternates with rest");
        }
        QCOMPARE(bounce.Offset(), QPointF(0, 0));
        QVERIFY(bounce.DropHeight() < 1.0);
        // About 150 steps in all, some 4.5 seconds at 30 ms.
        steps += lifts.size() + 1;
        QVERIFY2(steps > 120 && steps < 200, qPrintable(QString::number(steps)));
    }

    void bounceIgnoresItsParameters()
    {
        BounceEffect a;
        BounceEffect b;
        QCOMPARE(a.Init({}), 0);
        QCOMPARE(b.Init({7, 3}), 0);
        for (int i = 0; i < 200; ++i) {
            QCOMPARE(a.Step(), b.Step());
            QCOMPARE(a.Offset(), b.Offset());
        }
    }

    void reckonMirrorsItsEffect_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("kind");
        QTest::newRow("push right-up") << 0 << 5 << "push";
        QTest::newRow("spread left-down") << 1 << 6 << "spread";
        QTest::newRow("blinds vertical") << 2 << 1 << "blinds";
        QTest::newRow("bounce") << 3 << 0 << "bounce";
    }

    void reckonMirrorsItsEffect()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        QFETCH(QString, kind);
        EffectReckon reckon;
        auto alone = make(kind);
        QCOMPARE(reckon.Init({type, direction}), 0);
        QVERIFY(reckon.HasEffect());
        alone->Init({direction});
        QCOMPARE(reckon.IsMoving(), alone->IsMoving());
        QCOMPARE(reckon.IsMasking(), alone->IsMasking());
        bool more = true;
        while (more) {
            more = alone->Step();
            QCOMPARE(reckon.Step(), more);
            QCOMPARE(reckon.IsFinished(), !more);
            QCOMPARE(reckon.Offset(), alone->Offset());
            QCOMPARE(reckon.HiddenRects(), alone->HiddenRects());
        }
    }

    void reckonWithoutEffectEndsAtOnce_data()
    {
        QTest::addColumn<QVariantList>("params");
        QTest::newRow("one element") << QVariantList{1};
        QTest::newRow("unknown type") << QVariantList{7, 0};
        QTest::newRow("negative type") << QVariantList{-1, 0};
        QTest::newRow("direction out of range") << QVariantList{1, 9};
    }

    void reckonWithoutEffectEndsAtOnce()
    {
        QFETCH(QVariantList, params);
        EffectReckon reckon;
        reckon.Init({0, 0});
        reckon.Init(params);
        QVERIFY(!reckon.HasEffect());
        QVERIFY(!reckon.IsMoving());
        QVERIFY(!reckon.IsMasking());
        QVERIFY(!reckon.Step());
        QVERIFY(reckon.IsFinished());
        QCOMPARE(reckon.Offset(), QPointF(0, 0));
        QVERIFY(reckon.HiddenRects().isEmpty());
    }

    void codeRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        const char* texts[] = {"Bounce",          "Blinds Horizontal", "Blinds Vertical",  "Push Up",
                               "Push Down",       "Push Left",         "Push Right",       "Push Left-Up",
                               "Push Right-Up",   "Push Left-Down",    "Push Right-Down",  "Spread Up",
                               "Spread Down",     "Spread Left",       "Spread Right",     "Spread Left-Up",
                               "Spread Right-Up", "Spread Left-Down",  "Spread Right-Down"};
        const int codes[][2] = {{3, 0}, {2, 0}, {2, 1}, {0, 0}, {0, 1}, {0, 2}, {0, 3},
                                {0, 4}, {0, 5}, {0, 6}, {0, 7}, {1, 0}, {1, 1}, {1, 2},
                                {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}};
        for (int row = 0; row < 19; ++row) {
            QTest::addRow("%d %s", row, texts[row]) << row << texts[row] << codes[row][0] << codes[row][1];
        }
    }

    void codeRows()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(int, direction);
        QCOMPARE(EffectCodes::RowCount, 19);
        QCOMPARE(EffectCodes::Text(row), text);
        QCOMPARE(EffectCodes::Type(row), type);
        QCOMPARE(EffectCodes::Direction(row), direction);
        QCOMPARE(EffectCodes::Row(type, direction), row);
        // Every row names an effect the composite can make.
        EffectReckon reckon;
        QCOMPARE(reckon.Init({type, direction}), 0);
        QVERIFY(reckon.HasEffect());
    }

    void codesWithoutARow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::newRow("row -1 / blinds 5") << -1 << 2 << 5;
        QTest::newRow("row 19 / type 4") << 19 << 4 << 0;
        QTest::newRow("row 100 / push 8") << 100 << 0 << 8;
        QTest::newRow("row -7 / spread -1") << -7 << 1 << -1;
        QTest::newRow("bounce with a direction") << 19 << 3 << 7;
    }

    void codesWithoutARow()
    {
        QFETCH(int, row);
        QFETCH(int, type);
        QFETCH(int, direction);
        QCOMPARE(EffectCodes::Type(row), 3);
        QCOMPARE(EffectCodes::Direction(row), 0);
        QVERIFY(EffectCodes::Text(row).isEmpty());
        QCOMPARE(EffectCodes::Row(type, direction), 0);
    }
};

QTEST_GUILESS_MAIN(TestEffects)
#include "testeffects.moc"
