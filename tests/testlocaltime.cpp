// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "support/testenv.h"

#include <QtTest>

// Local time from the zone's rules kept in memory: the same as Qt's own, and a new zone is
// followed from the next clock reading on.
class TestLocalTime : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithQtAcrossAYear()
    {
        // Half-hour shifts at Lord Howe; 2040 lies beyond the changes the zone files list.
        for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "UTC"}) {
            TestEnv::setTimeZone(zone);
            Clock::now();
            for (int year : {1950, 2010, 2040}) {
                const qint64 from = QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
                for (qint64 s = from; s < from + 366 * 86400; s += 1800) {
                    const QDateTime qt = QDateTime::fromSecsSinceEpoch(s);
                    const QDateTime ours = LocalTime::FromSecs(s);
                    const qint64 made = LocalTime::Seconds(LocalTime::Make(qt.date(), qt.time()));
                    QVERIFY(ours.date() == qt.date() && ours.time() == qt.time());
                    QVERIFY(LocalTime::Seconds(ours) == s && LocalTime::Seconds(qt) == s);
                    // A wall time that happens twice is taken as the first.
                    QVERIFY(made == s || (made < s && LocalTime::FromSecs(made).time() == qt.time()));
                }
            }
        }
    }

    void followsANewZone()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        Clock::setMock(QDateTime(QDate(2010, 7, 1), QTime(10, 0), Qt::UTC));
        QCOMPARE(Clock::now().time(), QTime(12, 0));
        const QDateTime noon = LocalTime::Make(QDate(2010, 7, 1), QTime(12, 0));
        TestEnv::setTimeZone("America/New_York");
        QCOMPARE(Clock::now().time(), QTime(6, 0));
        // Made in the old zone, it keeps its wall time in the new one.
        QCOMPARE(LocalTime::Seconds(noon),
                 QDateTime(QDate(2010, 7, 1), QTime(16, 0), Qt::UTC).toSecsSinceEpoch());
    }
};

QTEST_GUILESS_MAIN(TestLocalTime)
#include "testlocaltime.moc"
