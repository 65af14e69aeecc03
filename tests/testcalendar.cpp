// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarimport.h"
#include "core/calendar/calendarrule.h"
#include "core/calendar/icalhandle.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "helpers/hostile.h"
#include "support/eventbuilder.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>
#include <zlib.h>

namespace {

void useZone(const QByteArray& tz)
{
    TestEnv::setTimeZone(tz);
    Clock::now(); // the clock read is where a new zone is taken up
}

// The moment a wall time names in `zone`, as RFC 5545 reads it: of a time that happens twice
// the first, of a time the clocks skip the offset before the gap.
qint64 wallToUtc(const icaltimetype& wall, icaltimezone* zone)
{
    icaltimetype asUtc = wall;
    asUtc.zone = nullptr;
    const qint64 w = qint64(icaltime_as_timet(asUtc));
    auto offsetAt = [zone](qint64 utc) {
        icaltimetype t = icaltime_from_timet_with_zone(time_t(utc), 0, icaltimezone_get_utc_timezone());
        int dst = 0;
        return qint64(icaltimezone_get_utc_offset_of_utc_time(zone, &t, &dst));
    };
    const qint64 before = w - offsetAt(w - 86400);
    const qint64 after = w - offsetAt(w + 86400);
    const bool first = before + offsetAt(before) == w;
    const bool second = after + offsetAt(after) == w;
    if (first && second) {
        return qMin(before, after);
    }
    return second && !first ? after : before;
}

QImage drawing(int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB16);
    image.fill(Qt::white);
    for (int y = 0; y < h; y += 3) {
        for (int x = (y + seed) % 5; x < w; x += 7) {
            image.setPixelColor(x, y, QColor((x * 37 + seed) % 256, (y * 53) % 256, ((x + y) * 11) % 256));
        }
    }
    return image;
}

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

QByteArray vevent(const QByteArray& lines)
{
    return "BEGIN:VEVENT\r\nUID:x@test\r\nSUMMARY:Test\r\n" + lines + "END:VEVENT\r\n";
}

// A PNG whose header claims a size and whose data is one row of nothing.
QByteArray pngClaiming(quint32 w, quint32 h)
{
    auto chunk = [](const QByteArray& type, const QByteArray& data) {
        QByteArray out;
        QDataStream s(&out, QIODevice::WriteOnly);
        s << quint32(data.size());
        out += type + data;
        const QByteArray both = type + data;
        const quint32 crc =
            quint32(crc32(0, reinterpret_cast<const Bytef*>(both.constData()), uInt(both.size())));
        QDataStream t(&out, QIODevice::Append);
        t << crc;
        return out;
    };
    QByteArray ihdr;
    QDataStream s(&ihdr, QIODevice::WriteOnly);
    s << w << h << quint8(8) << quint8(2) << quint8(0) << quint8(0) << quint8(0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) +
           chunk("IDAT", qCompress(QByteArray(4, 0)).mid(4)) + chunk("IEND", QByteArray());
}

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useZone("Europe/Berlin"); }

    // The month-end forms say what the program does where a month is short; plain rules
    // would skip those months.
    void ruleExport_data()
    {
        QTest::addColumn<AffairPeriod>("period");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<bool>("utc");
        using U = AffairPeriod::Unit;
        QTest::newRow("once") << AffairPeriod() << QDate(2030, 1, 5) << QByteArray() << false;
        QTest::newRow("month 15th") << AffairPeriod::Of(U::Month, 2) << QDate(2030, 1, 15)
                                    << QByteArray("FREQ=MONTHLY;INTERVAL=2") << false;
        QTest::newRow("month 31st") << AffairPeriod::Of(U::Month, 1) << QDate(2030, 1, 31)
                                    << QByteArray("FREQ=MONTHLY;BYMONTHDAY=-1") << false;
        QTest::newRow("month 30th") << AffairPeriod::Of(U::Month, 1) << QDate(2030, 4, 30)
                                    << QByteArray("FREQ=MONTHLY;BYMONTHDAY=30,-1;BYSETPOS=1") << false;
        QTest::newRow("29 February") << AffairPeriod::Of(U::Year, 1) << QDate(2028, 2, 29)
                                     << QByteArray("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29,-1;BYSETPOS=1")
                                     << false;
        QTest::newRow("weeks") << AffairPeriod::Of(U::Week, 3) << QDate(2030, 1, 5)
                               << QByteArray("FREQ=WEEKLY;INTERVAL=3") << false;
        QTest::newRow("24 hours are a day") << AffairPeriod::Of(U::Hour, 48) << QDate(2030, 1, 5)
                                            << QByteArray("FREQ=DAILY;INTERVAL=2") << false;
        QTest::newRow("hours elapse") << AffairPeriod::Of(U::Hour, 5) << QDate(2030, 1, 5)
                                      << QByteArray("FREQ=HOURLY;INTERVAL=5") << true;
    }
    void ruleExport()
    {
        QFETCH(AffairPeriod, period);
        QFETCH(QDate, first);
        CalendarRule::Start start = CalendarRule::Start::Local;
        QFETCH(QByteArray, rule);
        QFETCH(bool, utc);
        QCOMPARE(CalendarRule::Export(period, first, &start), rule);
        QCOMPARE(start == CalendarRule::Start::Utc, utc);
    }

    // Rules the program repeats exactly come in; the others are named in the user's words.
    void ruleImport_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<AffairPeriod>("period");
        QTest::addColumn<QString>("reason");
        using U = AffairPeriod::Unit;
        const QDate tuesday(2030, 3, 5);
        QTest::newRow("weekly on its day")
            << QByteArray("FREQ=WEEKLY;BYDAY=TU") << tuesday << AffairPeriod::Of(U::Week, 1) << QString();
        QTest::newRow("weekdays") << QByteArray("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR") << tuesday
                                  << AffairPeriod() << "repeats on weekdays only";
        QTest::newRow("count") << QByteArray("FREQ=DAILY;COUNT=3") << tuesday << AffairPeriod()
                               << "repeats a fixed number of times";
        QTest::newRow("until") << QByteArray("FREQ=DAILY;UNTIL=20310101T000000Z") << tuesday << AffairPeriod()
                               << "repeats until a date";
        QTest::newRow("plain monthly from 31st") << QByteArray("FREQ=MONTHLY") << QDate(2030, 1, 31)
                                                 << AffairPeriod() << "skips the months without day 31";
        QTest::newRow("month end from 30th")
            << QByteArray("FREQ=MONTHLY;INTERVAL=4;BYMONTHDAY=30,-1;BYSETPOS=1") << QDate(2030, 4, 30)
            << AffairPeriod::Of(U::Month, 4) << QString();
        QTest::newRow("last day from 30 April")
            << QByteArray("FREQ=MONTHLY;BYMONTHDAY=-1") << QDate(2030, 4, 30) << AffairPeriod()
            << "repeats on the last day of each month";
        QTest::newRow("leap day plain") << QByteArray("FREQ=YEARLY") << QDate(2028, 2, 29) << AffairPeriod()
                                        << "falls on 29 February in leap years only";
        QTest::newRow("leap day form") << QByteArray("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29,-1;BYSETPOS=1")
                                       << QDate(2028, 2, 29) << AffairPeriod::Of(U::Year, 1) << QString();
        QTest::newRow("second Monday") << QByteArray("FREQ=MONTHLY;BYDAY=2MO") << tuesday << AffairPeriod()
                                       << "repeats on a weekday of the month";
        QTest::newRow("seconds") << QByteArray("FREQ=SECONDLY") << tuesday << AffairPeriod()
                                 << "repeats every few seconds";
    }
    void ruleImport()
    {
        QFETCH(QByteArray, rule);
        QFETCH(QDate, first);
        QFETCH(QString, reason);
        QFETCH(AffairPeriod, period);
        AffairPeriod got;
        QString why;
        QCOMPARE(CalendarRule::Import(rule, first, &got, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        QCOMPARE(got, period);
    }

    // A thousand seeded events: libical's expansion of what the export wrote and the program's
    // own next due moments agree for five years (at most 150 occurrences each).
    void oracle_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin");
        QTest::newRow("New York") << QByteArray("America/New_York");
    }
    void oracle()
    {
        QFETCH(QByteArray, zone);
        useZone(zone);
        QRandomGenerator random(20240611);
        using U = AffairPeriod::Unit;
        const QList<U> units{U::Year, U::Month, U::Week, U::Day, U::Hour, U::Minute};
        QList<AffairInfo> events;
        for (int i = 0; i < 500; ++i) {
            const U unit = units.at(i % units.size());
            // Hours are elapsed time below a day and calendar days at whole days; periods in
            // between mix both and have no exact rule.
            int count = 1 + int(random.bounded(40));
            if (unit == U::Hour && count > 24) {
                count = 24;
            }
            QDate date(2024 + int(random.bounded(6)), 1 + int(random.bounded(12)), 1);
            const int pick = int(random.bounded(6));
            if (pick == 0) {
                date = QDate(2028, 2, 29);
            } else if (pick == 1) {
                date = date.addDays(date.daysInMonth() - 1 - int(random.bounded(3))); // 29th to 31st
            } else if (pick == 2) {
                // Days before the clocks change, in the small hours.
                date = QDate(date.year(), random.bounded(2) ? 3 : 10, 1).addDays(int(random.bounded(31)));
            } else {
                date = date.addDays(int(random.bounded(28)));
            }
            const QTime time(pick == 2 ? int(random.bounded(4)) : int(random.bounded(24)),
                             int(random.bounded(60)));
            const AffairPeriod period = AffairPeriod::Of(unit, count);
            events.append(EventBuilder::Event(QString::number(i), LocalTime::Make(date, time), period));
        }
        const QByteArray text = CalendarExport::Text(events);
        IcalHandle root(icalparser_parse_string(text.constData()));
        QVERIFY(root);
        QCOMPARE(icalcomponent_count_errors(root.get()), 0);
        int checked = 0;
        for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
             c != nullptr;
             c = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT), ++checked) {
            const QString id = CalendarExport::IdFromUid(QString::fromUtf8(icalcomponent_get_uid(c)));
            AffairInfo record = events.at(id.toInt());
            const icaltimetype start = icalcomponent_get_dtstart(c);
            icaltimezone* tz = const_cast<icaltimezone*>(start.zone);
            QVERIFY2(tz != nullptr, "the start names a zone");
            icalproperty* rrule = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
            QVERIFY(rrule != nullptr);
            icaltimetype wallStart = start;
            const bool utc = icaltime_is_utc(start);
            if (!utc) {
                wallStart.zone = nullptr; // expanded on the wall clock, converted below
            }
            icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), wallStart);
            QVERIFY(it != nullptr);
            const qint64 end = LocalTime::Seconds(record.GetUserDateTime()) + 5LL * 366 * 86400;
            qint64 ours = LocalTime::Seconds(record.GetUserDateTime());
            for (int n = 0; n < 150 && ours < end; ++n) {
                const icaltimetype next = icalrecur_iterator_next(it);
                QVERIFY(!icaltime_is_null_time(next));
                const qint64 theirs = utc ? qint64(icaltime_as_timet(next)) : wallToUtc(next, tz);
                if (theirs != ours) {
                    icalrecur_iterator_free(it);
                    QFAIL(qPrintable(
                        QStringLiteral("%1 from %2 every %3: occurrence %4 is %5 here, %6 in libical")
                            .arg(QString::fromUtf8(icalproperty_get_value_as_string(rrule)),
                                 LocalTime::ToIso(record.GetUserDateTime()))
                            .arg(record.GetPeriod().UnitCount())
                            .arg(n)
                            .arg(LocalTime::ToIso(LocalTime::FromSecs(ours)),
                                 LocalTime::ToIso(LocalTime::FromSecs(theirs)))));
                }
                QVERIFY(record.ComputeNextTime(LocalTime::FromSecs(ours)));
                ours = record.NextSecs();
            }
            icalrecur_iterator_free(it);
        }
        QCOMPARE(checked, events.size());
        useZone("Europe/Berlin");
    }

    // Other programs' files: zones by name or with their own VTIMEZONE, UTC, floating, all-day,
    // tasks, folded lines, CRLF; what cannot be repeated exactly is listed with the reason.
    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("refused");
        QTest::newRow("web calendar")
            << "webcalendar.ics"
            << QStringList{"Team meeting|2030-03-05T08:30:00|7d", "Call with Tokyo|2030-06-01T18:00:00|once",
                           "Pay the rent|2030-01-31T09:00:00|1m"}
            << QStringList{"Morning run: repeats on weekdays only",
                           "Book club: has occurrences changed one by one"};
        QTest::newRow("desktop mail")
            << "desktopmail.ics"
            << QStringList{"Zahnarzt|2030-04-12T14:15:00|1y", "Water the plants|2030-07-02T07:00:00|3d",
                           "File the taxes|2030-05-31T09:00:00|once", "(no title)|2030-09-02T10:00:00|once"}
            << QStringList{"Someday: has no due date", "Course: repeats a fixed number of times"};
    }
    void fixtures()
    {
        QFETCH(QString, file);
        CalendarImport::Plan plan;
        QString error;
        QVERIFY2(CalendarImport::ReadFile(TestEnv::dataFile("calendar/" + file), AffairList(), &plan, &error),
                 qPrintable(error));
        QStringList added;
        for (const CalendarImport::Entry& e : plan.add) {
            const AffairPeriod p = e.record.GetPeriod();
            const QString period = p.IsOnce()    ? QStringLiteral("once")
                                   : p.year > 0  ? QStringLiteral("%1y").arg(p.year)
                                   : p.month > 0 ? QStringLiteral("%1m").arg(p.month)
                                                 : QStringLiteral("%1d").arg(p.day);
            added << e.record.GetAffairTitle() + '|' + LocalTime::ToIso(e.record.GetUserDateTime()) + '|' +
                         period;
        }
        QFETCH(QStringList, expected);
        QFETCH(QStringList, refused);
        QCOMPARE(added, expected);
        QCOMPARE(CalendarImport::RefusalLines(plan), refused);
        QVERIFY(plan.update.isEmpty());
        // The data URL's picture, transparent nowhere: red then white.
        for (const CalendarImport::Entry& e : plan.add) {
            if (e.record.GetAffairTitle() == "Water the plants") {
                const QImage picture = CalendarImport::Picture(e, QSize(64, 48));
                QCOMPARE(picture.size(), QSize(2, 1));
                QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::red));
            }
        }
    }

    // Hostile files: a clear message, an empty plan, little memory, no wait.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("message");
        for (const char* kind : {"huge", "long line", "nested", "broken base64", "huge picture",
                                 "unknown zone", "not a calendar", "unbalanced"}) {
            QTest::newRow(kind) << QByteArray(kind) << QString();
        }
    }
    void hostile()
    {
        QFETCH(QByteArray, kind);
        TestEnv::ScratchDir scratch;
        const QString path = scratch.file("hostile.ics");
        QByteArray text;
        if (kind == "huge") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(calendar(""));
            QVERIFY(f.resize(CalendarImport::MaxFileBytes + 1)); // sparse: nothing written
        } else if (kind == "long line") {
            text = calendar(vevent("DESCRIPTION:" + QByteArray(3 * 1024 * 1024, 'a') +
                                   "\r\nDTSTART:20300101T100000\r\n"));
        } else if (kind == "nested") {
            text = "BEGIN:VCALENDAR\r\n";
            for (int i = 0; i < 1000; ++i) {
                text += "BEGIN:VCALENDAR\r\n";
            }
            for (int i = 0; i < 1001; ++i) {
                text += "END:VCALENDAR\r\n";
            }
        } else if (kind == "broken base64") {
            text = calendar(
                vevent("DTSTART:20300101T100000\r\nATTACH;FMTTYPE=image/png;ENCODING=BASE64;VALUE=BINARY:"
                       "iVBORw0KG!!!*\r\n"));
        } else if (kind == "huge picture") {
            text = calendar(
                vevent("DTSTART:20300101T100000\r\nATTACH;FMTTYPE=image/png;ENCODING=BASE64;VALUE=BINARY:" +
                       pngClaiming(100000, 100000).toBase64() + "\r\n"));
        } else if (kind == "unknown zone") {
            text = calendar(vevent("DTSTART;TZID=Mars/Olympus_Mons:20300101T100000\r\n"));
        } else if (kind == "not a calendar") {
            text = "BEGIN:VCARD\r\nFN:Someone\r\nEND:VCARD\r\n";
        } else {
            text = calendar("BEGIN:VEVENT\r\nDTSTART:20300101T100000\r\n");
        }
        if (!text.isEmpty()) {
            TestEnv::writeAll(path, text);
        }
        CalendarImport::Plan plan;
        QString error;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!CalendarImport::ReadFile(path, AffairList(), &plan, &error));
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY2(!error.isEmpty(), kind.constData());
        QVERIFY(plan.add.isEmpty() && plan.update.isEmpty() && plan.refused.isEmpty());
        QVERIFY2(Hostile::peakMiB() < 200, qPrintable(QString::number(Hostile::peakMiB())));
    }

    void tooManyEvents()
    {
        QByteArray body;
        for (int i = 0; i <= AffairStore::MaxEvents; ++i) {
            body += "BEGIN:VEVENT\r\nDTSTART:20300101T100000\r\nEND:VEVENT\r\n";
        }
        CalendarImport::Plan plan;
        QString error;
        QVERIFY(!CalendarImport::Read(calendar(body), AffairList(), &plan, &error));
        QVERIFY(error.contains(QString::number(AffairStore::MaxEvents)));
    }

    // Export, then import into a fresh list: the same events; imported over the list they came
    // from, every one updates its own event. A cancel leaves no plan.
    void roundTrip()
    {
        TestEnv::ScratchDir scratch;
        QDir().mkpath("data");
        using U = AffairPeriod::Unit;
        QList<AffairInfo> events{
            EventBuilder::Event("2030-01-31T10:00:00", EventBuilder::At(2030, 1, 31, 10, 0),
                                AffairPeriod::Of(U::Month, 1), "Month end,\nwith a comma"),
            EventBuilder::Event("2030-03-30T02:30:00", EventBuilder::At(2030, 3, 31, 2, 30),
                                AffairPeriod::Of(U::Day, 1)),
            EventBuilder::Event("2028-02-29T08:00:00", EventBuilder::At(2028, 2, 29, 8, 0),
                                AffairPeriod::Of(U::Year, 1)),
            EventBuilder::Event("2030-10-27T01:30:00", EventBuilder::At(2030, 10, 27, 1, 30),
                                AffairPeriod::Of(U::Hour, 1)),
            EventBuilder::Event("2030-05-05T05:05:00", EventBuilder::At(2030, 5, 5, 5, 5)),
        };
        events[0].SetEffect({EffectChoice::Spread, EffectChoice::LeftDown});
        QList<QImage> pictures;
        for (int i = 0; i < events.size(); ++i) {
            events[i].SetPicPath(PictureFile::NewPath(EventBuilder::At(2030, 1, 1, 0, i)));
            pictures.append(drawing(61 + i, 40, i));
            QVERIFY(PictureFile::Write(events[i].GetPicPath(), pictures.last()));
        }
        const QString file = scratch.file("out.ics");
        QString error;
        QVERIFY2(CalendarExport::WriteFile(events, file, &error), qPrintable(error));
        const QByteArray text = TestEnv::readAll(file);
        IcalHandle parsed(icalparser_parse_string(text.constData()));
        QCOMPARE(icalcomponent_count_errors(parsed.get()), 0);
        QVERIFY(text.contains("BEGIN:VTIMEZONE") && text.contains("ACTION:DISPLAY"));

        CalendarImport::Plan plan;
        QVERIFY2(CalendarImport::Read(text, AffairList(), &plan, &error), qPrintable(error));
        QCOMPARE(plan.add.size(), events.size());
        QVERIFY(plan.refused.isEmpty());
        for (int i = 0; i < events.size(); ++i) {
            const AffairInfo& r = plan.add.at(i).record;
            QCOMPARE(r.GetAffairTitle(), events[i].GetAffairTitle());
            QCOMPARE(LocalTime::ToIso(r.GetUserDateTime()), LocalTime::ToIso(events[i].GetUserDateTime()));
            QCOMPARE(r.GetPeriod(), events[i].GetPeriod());
            QVERIFY(r.GetEffect() == events[i].GetEffect());
            QCOMPARE(CalendarImport::Picture(plan.add.at(i), QSize(10, 10)), pictures[i]);
        }

        AffairList list;
        for (const AffairInfo& r : events) {
            list.AppendAffair(r);
        }
        QVERIFY(CalendarImport::Read(text, list, &plan, &error));
        QVERIFY(plan.add.isEmpty());
        QCOMPARE(plan.update.size(), events.size());
        QCOMPARE(plan.update.at(2).record.GetAffairID(), events[2].GetAffairID());

        // The UID link survives the event file; events without one write no key.
        AffairList stored;
        stored.AppendAffair(plan.update.at(0).record);
        stored.AppendAffair(events[1]);
        QVERIFY(AffairStore("events.eda").SaveAffairs(stored));
        QCOMPARE(TestEnv::readAll("events.eda").count("CalendarUid"), 1);
        const AffairList loaded = EventBuilder::Stored("events.eda");
        QCOMPARE(loaded.At(0).GetCalendarUid(), CalendarExport::Uid(events[0]));
        QVERIFY(loaded.At(1).GetCalendarUid().isEmpty());

        int calls = 0;
        QVERIFY(
            !CalendarImport::Read(text, AffairList(), &plan, &error, [&](int, int) { return ++calls < 3; }));
        QCOMPARE(error, QStringLiteral("The import was cancelled."));
        QVERIFY(plan.add.isEmpty());
    }

    // Through the book in a fresh folder: the events come in with their pictures; a second
    // import updates them; a cancel half-way and --strict with a refusal change nothing.
    void applyThroughBook()
    {
        QByteArray text;
        {
            TestEnv::ScratchDir source;
            QDir().mkpath("data");
            AffairInfo drawn = EventBuilder::Event("d", EventBuilder::At(2031, 5, 31, 9, 0),
                                                   AffairPeriod::Of(AffairPeriod::Unit::Month, 1), "Drawn");
            QVERIFY(PictureFile::Write(drawn.GetPicPath(), drawing(30, 20, 1)));
            text = CalendarExport::Text({drawn}) + "";
        }
        text.replace("END:VCALENDAR",
                     "BEGIN:VEVENT\r\nUID:w@x\r\nSUMMARY:Weekdays\r\nDTSTART:20310602T070000\r\n"
                     "RRULE:FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR\r\nEND:VEVENT\r\n"
                     "BEGIN:VEVENT\r\nUID:n@x\r\nSUMMARY:Plain\r\nDTSTART:20310603T070000\r\n"
                     "END:VEVENT\r\nEND:VCALENDAR");
        TestEnv::ScratchDir target;
        QDir().mkpath("data");
        TestEnv::writeAll("in.ics", text);
        ReminderBook book;
        QVERIFY(book.Load());
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QCOMPARE(CalendarImport::Run(book, "in.ics", true, outStream, errStream), 1);
        QVERIFY(err.contains("Weekdays: repeats on weekdays only"));
        QCOMPARE(book.Events().Count(), 0);

        CalendarImport::Plan plan;
        QString error;
        QVERIFY(CalendarImport::ReadFile("in.ics", book.Events(), &plan, &error));
        QVERIFY(!CalendarImport::Apply(book, plan, &error, [](int done, int) { return done < 1; }));
        QCOMPARE(book.Events().Count(), 0);
        QCOMPARE(QDir("data").entryList(QDir::Files).filter("dap").size(), 0);

        QCOMPARE(CalendarImport::Run(book, "in.ics", false, outStream, errStream), 0);
        QCOMPARE(book.Events().Count(), 2);
        const AffairInfo drawn =
            book.Events().At(0).GetAffairTitle() == "Drawn" ? book.Events().At(0) : book.Events().At(1);
        QImage picture;
        QVERIFY(PictureFile::Read(drawn.GetPicPath(), QSize(30, 20), &picture));
        QCOMPARE(picture, drawing(30, 20, 1));
        QCOMPARE(CalendarImport::Run(book, "in.ics", false, outStream, errStream), 0);
        QCOMPARE(book.Events().Count(), 2);
        QVERIFY(out.contains("0 event(s) added, 2 updated."));
    }
};

QTEST_MAIN(TestCalendar)
#include "testcalendar.moc"
