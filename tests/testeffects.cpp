// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/animationeffect.h"
#include "core/effects/bounceeffect.h"
#include "core/effects/effectcodes.h"
#include "core/effects/effectreckon.h"
#include "core/effects/entryeffect.h"
#include "core/effects/maskeffect.h"
#include "support/painttest.h"
#include "core/effects/screensize.h"
#include "core/effects/shuttereffect.h"

#include <QtTest>

#include <memory>

namespace {

const double W = 1280.0;
const double H = 1024.0;

// 0 push, 1 spread, 2 blinds, 3 bounce, as the event's type code; anything else the composite.
std::unique_ptr<AnimationEffect> make(int type)
{
    switch (type) {
    case 0:
        return std::make_unique<EntryEffect>();
    case 1:
        return std::make_unique<MaskEffect>();
    case 2:
        return std::make_unique<ShutterEffect>();
    case 3:
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
        QTest::addColumn<int>("type"); // 4: the composite
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("runs");
        for (int type : {0, 1}) {
            QTest::addRow("%d empty", type) << type << QVariantList{} << -1 << false;
            QTest::addRow("%d -1", type) << type << QVariantList{-1} << -2 << false;
            QTest::addRow("%d 8", type) << type << QVariantList{8} << -2 << false;
            QTest::addRow("%d 7", type) << type << QVariantList{7} << 0 << true;
        }
        QTest::newRow("blinds empty") << 2 << QVariantList{} << -1 << false;
        QTest::newRow("blinds 2") << 2 << QVariantList{2} << -2 << false;
        QTest::newRow("bounce any code") << 3 << QVariantList{42} << 0 << true;
        QTest::newRow("reckon one element") << 4 << QVariantList{0} << -1 << false;
        QTest::newRow("reckon push 8") << 4 << QVariantList{0, 8} << -2 << false;
        QTest::newRow("reckon blinds 2") << 4 << QVariantList{2, 2} << -2 << false;
        QTest::newRow("reckon spread 7") << 4 << QVariantList{1, 7} << 0 << true;
        QTest::newRow("reckon unknown type") << 4 << QVariantList{7, 0} << 0 << false;
        QTest::newRow("reckon negative type") << 4 << QVariantList{-1, 0} << 0 << false;
    }

    void initResults()
    {
        QFETCH(int, type);
        QFETCH(QVariantList, params);
        QFETCH(int, result);
        QFETCH(bool, runs);
        auto effect = make(type);
        // Under way with a good list first: a refused Init must not leave that effect running.
        QCOMPARE(effect->Init(type == 4 ? QVariantList{2, 1} : QVariantList{1}), 0);
        QVERIFY(effect->Step());
        QCOMPARE(effect->Init(params), result);
        QCOMPARE(effect->Step(), runs);
        if (!runs) {
            QVERIFY(!effect->IsMoving() && !effect->IsMasking());
            QVERIFY(effect->IsFinished());
            QCOMPARE(effect->Offset(), QPointF(0, 0));
            QVERIFY(allEmpty(effect->HiddenRects()));
        }
    }

    void firstAndLastSteps_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<QList<QRectF>>("hidden");
        // After one step a thirtieth of the way is done.
        const double w = W - W / 30;
        const double h = H - H / 30;
        const int signs[][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
        for (int d = 0; d < 8; ++d) {
            QTest::addRow("push %d", d)
                << 0 << d << QPointF(signs[d][0] * w, signs[d][1] * h) << QList<QRectF>{};
        }
        const QList<QList<QRectF>> spread = {{{0, 0, W, h}},
                                             {{0, H - h, W, h}},
                                             {{0, 0, w, H}},
                                             {{W - w, 0, w, H}},
                                             {{0, 0, W, h}, {0, h, w, H - h}},
                                             {{0, 0, W, h}, {W - w, h, w, H - h}},
                                             {{0, H - h, W, h}, {0, 0, w, H - h}},
                                             {{0, H - h, W, h}, {W - w, 0, w, H - h}}};
        for (int d = 0; d < 8; ++d) {
            QTest::addRow("spread %d", d) << 1 << d << QPointF() << spread.at(d);
        }
        // Six bands 1024 / 6 = 170.67 high (columns 1280 / 6 = 213.33 wide), each opening from
        // its lower (right) edge.
        QList<QRectF> bands;
        QList<QRectF> columns;
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
        auto effect = make(type);
        QCOMPARE(effect->Init({direction}), 0);
        QCOMPARE(effect->IsMoving(), type == 0);
        QCOMPARE(effect->IsMasking(), type != 0);
        QVERIFY(effect->Step());
        QCOMPARE(effect->Offset(), offset);
        const QList<QRectF> rects = effect->HiddenRects();
        QCOMPARE(rects.size(), hidden.size());
        for (int i = 0; i < rects.size(); ++i) {
            QVERIFY2(near(rects.at(i), hidden.at(i)), qPrintable(QString::number(i)));
        }
        // Push Up starts 989.87 pixels low; Spread Up shows a bottom strip of 34.13.
        QVERIFY(type != 0 || direction != 0 || qAbs(offset.y() - 989.87) < 0.01);
        QVERIFY(type != 1 || direction != 0 || qAbs(H - rects.at(0).height() - 34.13) < 0.01);
        const int last = 1 + runToEnd(*effect);
        QVERIFY2(last == 30 || last == 31, qPrintable(QString::number(last)));
        QCOMPARE(effect->Offset(), QPointF(0, 0));
        QVERIFY(allEmpty(effect->HiddenRects()));
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

    void bounce()
    {
        BounceEffect bounce;
        QCOMPARE(bounce.Init({}), 0);
        QVERIFY(qAbs(bounce.Gravity() - 21.33) < 0.01);
        QVERIFY(bounce.Step());
        QCOMPARE(bounce.Lift(), 1269);
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

    void reckonMirrorsItsEffect()
    {
        const int directions[] = {5, 6, 1, 0};
        for (int type = 0; type < 4; ++type) {
            EffectReckon reckon;
            auto alone = make(type);
            QCOMPARE(reckon.Init({type, directions[type]}), 0);
            alone->Init({directions[type]});
            bool more = true;
            while (more) {
                more = alone->Step();
                QCOMPARE(reckon.Step(), more);
                QCOMPARE(reckon.Offset(), alone->Offset());
                QCOMPARE(reckon.HiddenRects(), alone->HiddenRects());
            }
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
