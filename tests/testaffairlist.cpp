// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairlist.h"
#include "core/events/clock.h"

#include <QtTest>

namespace {
AffairInfo record(const QString& id, const QDateTime& when, int day = 0)
{
    AffairInfo a;
    a.SetInfo(id, id + QStringLiteral(" title"), when, 0, 0, day, 0, 0);
    a.SetEffect({1, 2});
    return a;
}

QStringList ids(const AffairList& list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i) {
        out << list.At(i).GetAffairID();
    }
    return out;
}
} // namespace

class TestAffairList : public QObject
{
    Q_OBJECT

    const QDateTime Now{QDate(2010, 6, 1), QTime(12, 0)};
    const QDateTime Past = Now.addDays(-1), Future = Now.addDays(1);

private slots:
    void init() { Clock::setMock(Now); }
    void cleanup() { Clock::reset(); }

    void findRemoveReplace()
    {
        AffairList list;
        QVERIFY(!list.RemoveAffair("d"));
        for (const char* id : {"d", "a1", "e1", "e2", "a2"}) {
            list.AppendAffair(record(id, id[0] == 'e' ? Past : Future));
        }
        QVERIFY(list.FindAffair("zz").GetAffairID().isEmpty());
        QVERIFY(list.FindAffair("zz").GetPeriod().IsOnce());
        QCOMPARE(list.FindAffair("a2").GetAffairTitle(), QStringLiteral("a2 title"));
        QVERIFY(list.RemoveAffair("d"));
        QCOMPARE(ids(list), (QStringList{"a1", "e1", "e2", "a2"}));
        QVERIFY(list.RemoveByState(false));
        QCOMPARE(ids(list), (QStringList{"a1", "a2"}));
        QVERIFY(!list.RemoveByState(false));

        AffairInfo changed = record("a1", Past);
        changed.SetPicPath("./data/dap20100101000000");
        QVERIFY(!list.ReplaceAffair("zz", changed));
        QVERIFY(list.ReplaceAffair("a1", changed));
        QCOMPARE(ids(list), (QStringList{"a1", "a2"}));
        QCOMPARE(list.At(0).GetPicPath(), QStringLiteral("./data/dap20100101000000"));
        QVERIFY(!list.At(0).IsActive());
    }

    void masks()
    {
        AffairList empty;
        QCOMPARE(empty.RearmAll(), QString());
        QCOMPARE(empty.DueMask(), QString());

        AffairList list;
        list.AppendAffair(record("once-past", Past));
        list.AppendAffair(record("once-soon", Now.addSecs(5)));
        list.AppendAffair(record("daily-soon", Now.addSecs(5), 1));
        list.AppendAffair(record("later", Future));
        // Nothing loaded can fall due before it is armed.
        Clock::advance(5);
        QCOMPARE(list.DueMask(), QStringLiteral("0000"));
        Clock::setMock(Now);
        QCOMPARE(list.RearmAll(), QStringLiteral("0111"));
        QCOMPARE(list.DueMask(), QStringLiteral("0000"));
        Clock::advance(5);
        // Two events in the same second are both reported and both moved on.
        QCOMPARE(list.DueMask(), QStringLiteral("0110"));
        QCOMPARE(list.DueMask(), QStringLiteral("0000"));
        QVERIFY(!list.At(1).IsActive());
        QCOMPARE(list.At(2).NextSecs(), Now.addSecs(5).addDays(1).toSecsSinceEpoch());
    }

    // Two events made within one second (or a hand-edited file) must not share an identifier,
    // or Delete would remove both and Edit change the wrong one.
    void identifiersStayUnique()
    {
        AffairList list;
        for (int i = 0; i < 3; ++i) {
            list.AppendAffair(record("2010-06-01T12:00:00", Future));
        }
        list.AppendAffair(record("x", Future));
        list.AppendAffair(record("x", Future));
        QCOMPARE(ids(list), (QStringList{"2010-06-01T12:00:00", "2010-06-01T12:00:01", "2010-06-01T12:00:02",
                                         "x", "2010-06-01T12:00:03"}));
        QVERIFY(list.RemoveAffair("2010-06-01T12:00:01"));
        QCOMPARE(list.Count(), 4);
    }

    void copiesAreIndependent()
    {
        AffairInfo a = record("a", Future);
        AffairInfo b = a;
        b.SetEffect({3, 0});
        QCOMPARE(a.GetEffect(), (QVariantList{1, 2}));
        AffairList list;
        list.AppendAffair(a);
        a.SetPicPath("changed");
        QVERIFY(list.At(0).GetPicPath().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAffairList)
#include "testaffairlist.moc"
