#include "animationeffect.h"
#include "bounceeffect.h"
#include "effectcodes.h"
#include "effectreckon.h"
#include "entryeffect.h"
#include "maskeffect.h"
#include "painttest.h"
#include "screensize.h"
#include "shuttereffect.h"

#include <QtTest>

#include <memory>

namespace {

const double W = 1280.0;
const double H = 1024.0;

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

int runToEnd(AnimationEffect& effect)
{
    return PaintTest::stepsToEnd([&] { return effect.Step(); });
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

bool near(const QRectF& a, const QRectF& b)
{
    return qAbs(a.x() - b.x()) < 0.01 && qAbs(a.y() - b.y()) < 0.01 && qAbs(a.width() - b.width()) < 0.01 &&
           qAbs(a.height() - b.height()) < 0.01;
}

} // namespace

class TestEffects : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenSize::setOverride(QSize(1280, 1024)); }
    void cleanup() { ScreenSize::clearOverride(); }

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
        }
        QTest::newRow("blinds empty") << "blinds" << QVariantList{} << -1;
        QTest::newRow("blinds 2") << "blinds" << QVariantList{2} << -2;
        QTest::newRow("bounce any code") << "bounce" << QVariantList{42} << 0;
        QTest::newRow("reckon one element") << "reckon" << QVariantList{0} << -1;
        QTest::newRow("reckon push 8") << "reckon" << QVariantList{0, 8} << -2;
        QTest::newRow("reckon blinds 2") << "reckon" << QVariantList{2, 2} << -2;
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
            QVERIFY(!effect->IsMoving() && !effect->IsMasking());
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
        const int signs[][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
        for (int d = 0; d < 8; ++d) {
            QTest::addRow("%d", d) << d << signs[d][0] << signs[d][1];
        }
    }

    void push()
    {
        QFETCH(int, direction);
        QFETCH(int, sx);
        QFETCH(int, sy);
        EntryEffect push;
        QCOMPARE(push.Init({direction}), 0);
        QVERIFY(push.IsMoving() && !push.IsMasking());
        for (int step = 1; step <= 2; ++step) {
            QVERIFY(push.Step());
            QCOMPARE(push.Offset(), QPointF(sx * (W - step * (W / 30)), sy * (H - step * (H / 30))));
            QVERIFY(step > 1 || direction != 0 || qAbs(push.Offset().y() - 989.87) < 0.01);
        }
        const int last = 2 + runToEnd(push);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
        QCOMPARE(push.Offset(), QPointF(0, 0));
    }

    void exactZeroEndsInTime()
    {
        // 960 / 30 and 480 / 30 subtract exactly: push shows the rest once more, spread ends on it.
        ScreenSize::setOverride(QSize(960, 480));
        EntryEffect push;
        push.Init({5});
        QCOMPARE(runToEnd(push), 31);
        MaskEffect spread;
        spread.Init({1});
        QCOMPARE(runToEnd(spread), 30);
        QVERIFY(allEmpty(spread.HiddenRects()));
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
        QVERIFY(spread.IsMasking() && !spread.IsMoving());
        QVERIFY(spread.Step());
        QCOMPARE(spread.HiddenRects(), hidden);
        // Up: only a bottom strip of about 34 pixels shows.
        QVERIFY(direction != 0 || qAbs(H - hidden.at(0).height() - 34.13) < 0.01);
        const int last = 1 + runToEnd(spread);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
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
        ShutterEffect blinds;
        QCOMPARE(blinds.Init({direction}), 0);
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
        const int end = 1 + runToEnd(blinds);
        QVERIFY2(end == 30 || end == 31, qPrintable(QString::number(end)));
        QVERIFY(blinds.HiddenRects().isEmpty());
    }

    void bounce()
    {
        BounceEffect bounce;
        QCOMPARE(bounce.Init({}), 0);
        QVERIFY(qAbs(bounce.Gravity() - 21.33) < 0.01);
        QVERIFY(bounce.Step());
        QCOMPARE(bounce.Offset(), QPointF(0, -1269));
        int impact = 1;
        while (bounce.Lift() != 0 && impact < 100) {
            bounce.Step();
            ++impact;
        }
        QCOMPARE(impact, 11);
        QCOMPARE(bounce.DropHeight(), 896.0);
        // Back up, just as high as the new drop height.
        int top = 0;
        for (int i = 0; i < 40; ++i) {
            bounce.Step();
            top = qMax(top, bounce.Lift());
        }
        QVERIFY(top > 850 && top <= 896);
        // It settles with ever smaller hops and rests at its place, some 150 steps in all.
        const int steps = impact + 40 + runToEnd(bounce);
        QVERIFY2(steps > 120 && steps < 200, qPrintable(QString::number(steps)));
        QCOMPARE(bounce.Offset(), QPointF(0, 0));
        QVERIFY(bounce.DropHeight() < 1.0);
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
        alone->Init({direction});
        bool more = true;
        while (more) {
            more = alone->Step();
            QCOMPARE(reckon.Step(), more);
            QCOMPARE(reckon.Offset(), alone->Offset());
            QCOMPARE(reckon.HiddenRects(), alone->HiddenRects());
        }
    }

    void reckonWithoutEffectEndsAtOnce()
    {
        for (const QVariantList& params : {QVariantList{7, 0}, QVariantList{-1, 0}, QVariantList{1, 9}}) {
            EffectReckon reckon;
            reckon.Init({0, 0});
            reckon.Init(params);
            QVERIFY(!reckon.HasEffect());
            QVERIFY(!reckon.Step());
            QCOMPARE(reckon.Offset(), QPointF(0, 0));
            QVERIFY(reckon.HiddenRects().isEmpty());
        }
    }

    void codeRows()
    {
        const char* texts[] = {"Bounce",          "Blinds Horizontal", "Blinds Vertical",  "Push Up",
                               "Push Down",       "Push Left",         "Push Right",       "Push Left-Up",
                               "Push Right-Up",   "Push Left-Down",    "Push Right-Down",  "Spread Up",
                               "Spread Down",     "Spread Left",       "Spread Right",     "Spread Left-Up",
                               "Spread Right-Up", "Spread Left-Down",  "Spread Right-Down"};
        const int codes[][2] = {{3, 0}, {2, 0}, {2, 1}, {0, 0}, {0, 1}, {0, 2}, {0, 3},
                                {0, 4}, {0, 5}, {0, 6}, {0, 7}, {1, 0}, {1, 1}, {1, 2},
                                {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}};
        QCOMPARE(EffectCodes::RowCount, 19);
        for (int row = 0; row < 19; ++row) {
            QCOMPARE(EffectCodes::Text(row), QString(texts[row]));
            QCOMPARE(EffectCodes::Type(row), codes[row][0]);
            QCOMPARE(EffectCodes::Direction(row), codes[row][1]);
            QCOMPARE(EffectCodes::Row(codes[row][0], codes[row][1]), row);
        }
        // Codes without a row fall back to Bounce, and so do rows out of range.
        const int none[][3] = {{-1, 2, 5}, {19, 4, 0}, {100, 0, 8}, {-7, 1, -1}, {19, 3, 7}};
        for (const auto& c : none) {
            QCOMPARE(EffectCodes::Type(c[0]), 3);
            QCOMPARE(EffectCodes::Direction(c[0]), 0);
            QVERIFY(EffectCodes::Text(c[0]).isEmpty());
            QCOMPARE(EffectCodes::Row(c[1], c[2]), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestEffects)
#include "testeffects.moc"
