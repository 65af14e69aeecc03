// SPDX-License-Identifier: GPL-3.0-or-later
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QtTest>

using namespace EventBuilder;

namespace {
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

private slots:
    void init() { MockClock::set(Now); }

    // A replaced record keeps its place and is re-armed by its own state.
    void removeAndReplace()
    {
        AffairList list;
        for (const char* id : {"a1", "e1", "e2", "a2"}) {
            list.AppendAffair(Event(id, Now.addDays(id[0] == 'e' ? -1 : 1)));
        }
        QVERIFY(list.ReplaceAffair("a1", Event("a1", Now.addDays(-1), {}, "changed")));
        QCOMPARE(ids(list), (QStringList{"a1", "e1", "e2", "a2"}));
        QVERIFY(!list.At(0).IsActive() && list.At(0).GetAffairTitle() == "changed");
    }

    void masks()
    {
        AffairList list =
            ListOf({Event("once-past", Now.addDays(-1)), Event("once-soon", Now.addSecs(5)),
                    Event("daily-soon", Now.addSecs(5), Days(1)), Event("later", Now.addDays(1))});
        // Nothing loaded can fall due before it is armed.
        MockClock::advance(5);
        QCOMPARE(list.DueMask(), "0000");
        MockClock::set(Now);
        QCOMPARE(list.RearmAll(), "0111");
        QCOMPARE(list.DueMask(), "0000");
        MockClock::advance(5);
        // Two events in the same second are both reported and both moved on.
        QCOMPARE(list.DueMask(), "0110");
        QCOMPARE(list.DueMask(), "0000");
        QVERIFY(!list.At(1).IsActive());
        QCOMPARE(list.At(2).NextSecs(), Now.addSecs(5).addDays(1).toSecsSinceEpoch());
    }

    // Two events made within one second (or a hand-edited file) must not share an identifier,
    // or Delete would remove both and Edit change the wrong one.
    void identifiersStayUnique()
    {
        AffairList list;
        for (const char* id :
             {"2010-06-01T12:00:00", "2010-06-01T12:00:00", "2010-06-01T12:00:00", "x", "x"}) {
            list.AppendAffair(Event(id, Now.addDays(1)));
        }
        QCOMPARE(ids(list), (QStringList{"2010-06-01T12:00:00", "2010-06-01T12:00:01", "2010-06-01T12:00:02",
                                         "x", "2010-06-01T12:00:03"}));
    }
};

QTEST_GUILESS_MAIN(TestAffairList)
#include "testaffairlist.moc"
