#include "affairlist.h"
#include "clock.h"
#include "testenv.h"

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
    QDateTime past() const { return Now.addDays(-1); }
    QDateTime future() const { return Now.addDays(1); }

private slots:
    void init() { Clock::setMock(Now); }
    void cleanup() { Clock::reset(); }

    void findMissingGivesEmptyRecord()
    {
        AffairList list;
        list.AppendAffair(record("a", future()));
        const AffairInfo none = list.FindAffair("zz");
        QVERIFY(none.GetAffairID().isEmpty());
        QVERIFY(none.GetPeriod().IsOnce());
        QCOMPARE(list.FindAffair("a").GetAffairTitle(), QStringLiteral("a title"));
    }

    void removeAndReplace()
    {
        AffairList list;
        QVERIFY(!list.RemoveAffair("a"));
        list.AppendAffair(record("a", future()));
        list.AppendAffair(record("b", future()));
        list.AppendAffair(record("a", future()));
        list.AppendAffair(record("a", future()));
        QVERIFY(list.RemoveAffair("a"));
        QCOMPARE(ids(list), QStringList{"b"});

        list.AppendAffair(record("c", future()));
        AffairInfo changed = record("c", past());
        changed.SetPicPath("./data/dap20100101000000");
        QVERIFY(!list.ReplaceAffair("zz", changed));
        QCOMPARE(ids(list), (QStringList{"b", "c"}));
        QVERIFY(list.ReplaceAffair("c", changed));
        QCOMPARE(ids(list), (QStringList{"b", "c"}));
        QCOMPARE(list.At(1).GetPicPath(), QStringLiteral("./data/dap20100101000000"));
        QVERIFY(!list.At(1).IsActive());
    }

    void removeByState()
    {
        AffairList list;
        list.AppendAffair(record("a1", future()));
        list.AppendAffair(record("e1", past()));
        list.AppendAffair(record("e2", past()));
        list.AppendAffair(record("a2", future()));
        QVERIFY(list.RemoveByState(false));
        QCOMPARE(ids(list), (QStringList{"a1", "a2"}));
        QVERIFY(!list.RemoveByState(false));
    }

    void masks()
    {
        AffairList empty;
        QCOMPARE(empty.RearmAll(), QString());
        QCOMPARE(empty.DueMask(), QString());

        AffairList list;
        list.AppendAffair(record("once-past", past()));
        list.AppendAffair(record("once-soon", Now.addSecs(5)));
        list.AppendAffair(record("daily-soon", Now.addSecs(5), 1));
        list.AppendAffair(record("later", future()));
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
        QVERIFY(list.At(2).IsArmed());
        QCOMPARE(list.At(2).NextSecs(), Now.addSecs(5).addDays(1).toSecsSinceEpoch());
    }

    void copiesAreIndependent()
    {
        AffairInfo a = record("a", future());
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
