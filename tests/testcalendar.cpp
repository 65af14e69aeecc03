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

#include <QtTest>

using namespace EventBuilder;

namespace {

using U = AffairPeriod::Unit;

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
    return first && second ? qMin(before, after) : second && !first ? after : before;
}

// White with `colours` other colours in dots; over 256 of them the export writes RGB.
QImage drawing(int w, int h, int colours)
{
    QImage image(w, h, QImage::Format_RGB16);
    image.fill(Qt::white);
    for (int i = 0; i < w * h / 3; ++i) {
        image.setPixelColor(i % w, (i * 3) / w, QColor::fromRgb(QRgb(0x40000 + 0x10408 * (i % colours))));
    }
    return image;
}

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

QByteArray vevent(const QByteArray& lines)
{
    return "BEGIN:VEVENT\r\nUID:x@test\r\nSUMMARY:Test\r\nDTSTART:20300101T100000\r\n" + lines +
           "END:VEVENT\r\n";
}

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useZone("Europe/Berlin"); }

    // Both ways where a rule says exactly what the program does ("="); the month-end forms,
    // because plain rules would skip the short months. Rules the program cannot repeat exactly
    // come in as nothing, named in the user's words.
    void rules_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<AffairPeriod>("period");
        QTest::addColumn<QString>("reason"); // "=" both ways, "utc" exported alone with a UTC start
        const auto row = [](const char* name, const char* rule, QDate first, AffairPeriod period,
                            const char* reason) {
            QTest::newRow(name) << QByteArray(rule) << first << period << QString(reason);
        };
        const auto P = [](U unit, int n) { return AffairPeriod::Of(unit, n); };
        const QDate tuesday(2030, 3, 5);
        row("month 15th", "FREQ=MONTHLY;INTERVAL=2", QDate(2030, 1, 15), P(U::Month, 2), "=");
        row("month 31st", "FREQ=MONTHLY;BYMONTHDAY=-1", QDate(2030, 1, 31), P(U::Month, 1), "=");
        row("month 30th", "FREQ=MONTHLY;INTERVAL=4;BYMONTHDAY=30,-1;BYSETPOS=1", QDate(2030, 4, 30),
            P(U::Month, 4), "=");
        row("29 February", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29,-1;BYSETPOS=1", QDate(2028, 2, 29),
            P(U::Year, 1), "=");
        row("weeks", "FREQ=WEEKLY;INTERVAL=3", tuesday, P(U::Week, 3), "=");
        row("24 hours are a day", "FREQ=DAILY;INTERVAL=2", tuesday, P(U::Hour, 48), "out");
        row("hours elapse", "FREQ=HOURLY;INTERVAL=5", tuesday, P(U::Hour, 5), "utc");
        row("once", "", tuesday, AffairPeriod(), "out");
        row("weekly on its day", "FREQ=WEEKLY;BYDAY=TU", tuesday, P(U::Week, 1), "");
        row("weekdays", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", tuesday, {}, "repeats on weekdays only");
        row("count", "FREQ=DAILY;COUNT=3", tuesday, {}, "repeats a fixed number of times");
        row("until", "FREQ=DAILY;UNTIL=20310101T000000Z", tuesday, {}, "repeats until a date");
        row("plain monthly from 31st", "FREQ=MONTHLY", QDate(2030, 1, 31), {},
            "skips the months without day 31");
        row("last day from 30 April", "FREQ=MONTHLY;BYMONTHDAY=-1", QDate(2030, 4, 30), {},
            "repeats on the last day of each month");
        row("leap day plain", "FREQ=YEARLY", QDate(2028, 2, 29), {},
            "falls on 29 February in leap years only");
        row("second Monday", "FREQ=MONTHLY;BYDAY=2MO", tuesday, {}, "repeats on a weekday of the month");
        row("seconds", "FREQ=SECONDLY", tuesday, {}, "repeats every few seconds");
        row("monthly from the 28th", "FREQ=MONTHLY", QDate(2030, 1, 28), P(U::Month, 1), "");
        row("weekly in March", "FREQ=WEEKLY;BYMONTH=3", tuesday, {}, "repeats on chosen days of the month");
        row("weekly, first of a set", "FREQ=WEEKLY;BYSETPOS=1", tuesday, {},
            "repeats on chosen days of the month");
        row("daily in March", "FREQ=DAILY;BYMONTH=3", tuesday, {}, "repeats on chosen days of the month");
        row("hourly, first of a set", "FREQ=HOURLY;BYSETPOS=1", tuesday, {},
            "repeats on chosen days of the month");
    }
    void rules()
    {
        QFETCH(QByteArray, rule);
        QFETCH(QDate, first);
        QFETCH(AffairPeriod, period);
        QFETCH(QString, reason);
        if (reason == "=" || reason == "out" || reason == "utc") {
            CalendarRule::Start start = CalendarRule::Start::Local;
            QCOMPARE(CalendarRule::Export(period, first, &start), rule);
            QCOMPARE(start == CalendarRule::Start::Utc, reason == "utc");
        }
        if (reason != "out" && reason != "utc") {
            AffairPeriod got;
            QString why;
            QCOMPARE(CalendarRule::Import(rule, first, &got, &why), reason == "=" || reason.isEmpty());
            QCOMPARE(why, reason == "=" ? QString() : reason);
            QCOMPARE(got, period);
        }
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
        const QList<U> units{U::Year, U::Month, U::Week, U::Day, U::Hour, U::Minute};
        QList<AffairInfo> events;
        for (int i = 0; i < 500; ++i) {
            const U unit = units.at(i % units.size());
            // Hours are elapsed time below a day and calendar days at whole days; periods in
            // between mix both and have no exact rule.
            const int count = qMin(1 + int(random.bounded(40)), unit == U::Hour ? 24 : 40);
            QDate date(2024 + int(random.bounded(6)), 1 + int(random.bounded(12)), 1);
            const int pick = int(random.bounded(6));
            // 29 February, the 29th to 31st, days before the clocks change in the small hours, any.
            date = pick == 0   ? QDate(2028, 2, 29)
                   : pick == 1 ? date.addDays(date.daysInMonth() - 1 - int(random.bounded(3)))
                   : pick == 2
                       ? QDate(date.year(), random.bounded(2) ? 3 : 10, 1).addDays(int(random.bounded(31)))
                       : date.addDays(int(random.bounded(28)));
            const QTime time(int(random.bounded(pick == 2 ? 4 : 24)), int(random.bounded(60)));
            events.append(
                Event(QString::number(i), LocalTime::Make(date, time), AffairPeriod::Of(unit, count)));
        }
        IcalHandle root(icalparser_parse_string(CalendarExport::Text(events).constData()));
        QVERIFY(root && icalcomponent_count_errors(root.get()) == 0);
        int checked = 0;
        for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
             c != nullptr;
             c = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT), ++checked) {
            AffairInfo record =
                events.at(CalendarExport::IdFromUid(QString::fromUtf8(icalcomponent_get_uid(c))).toInt());
            const icaltimetype start = icalcomponent_get_dtstart(c);
            auto* tz = const_cast<icaltimezone*>(start.zone);
            icalproperty* rrule = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
            QVERIFY(tz != nullptr && rrule != nullptr);
            const bool utc = icaltime_is_utc(start);
            icaltimetype wallStart = start;
            wallStart.zone = utc ? start.zone : nullptr; // expanded on the wall clock, converted below
            std::unique_ptr<icalrecur_iterator, void (*)(icalrecur_iterator*)> it(
                icalrecur_iterator_new(icalproperty_get_rrule(rrule), wallStart), icalrecur_iterator_free);
            QVERIFY(it != nullptr);
            qint64 ours = LocalTime::Seconds(record.GetUserDateTime());
            const qint64 end = ours + 5LL * 366 * 86400;
            for (int n = 0; n < 150 && ours < end; ++n) {
                const icaltimetype next = icalrecur_iterator_next(it.get());
                QVERIFY(!icaltime_is_null_time(next));
                const qint64 theirs = utc ? qint64(icaltime_as_timet(next)) : wallToUtc(next, tz);
                QVERIFY2(theirs == ours, icalproperty_get_value_as_string(rrule));
                QVERIFY(record.ComputeNextTime(LocalTime::FromSecs(ours)));
                ours = record.NextSecs();
            }
        }
        QCOMPARE(checked, events.size());
        useZone("Europe/Berlin");
    }

    // Other programs' files: zones by name or with their own VTIMEZONE, UTC, floating, all-day,
    // tasks, folded lines, CRLF; what cannot be repeated exactly is listed with the reason.
    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected"); // title|first|years months days, one event a line
        QTest::addColumn<QString>("refused");
        QTest::newRow("web calendar")
            << "webcalendar.ics"
            << "Team meeting|2030-03-05T08:30:00|0 0 7\nCall with Tokyo|2030-06-01T18:00:00|0 0 0\n"
               "Pay the rent|2030-01-31T09:00:00|0 1 0\n"
            << "Morning run: repeats on weekdays only\nBook club: has occurrences changed one by one";
        QTest::newRow("desktop mail")
            << "desktopmail.ics"
            << "Zahnarzt|2030-04-12T14:15:00|1 0 0\nWater the plants|2030-07-02T07:00:00|0 0 3\n"
               "File the taxes|2030-05-31T09:00:00|0 0 0\n(no title)|2030-09-02T10:00:00|0 0 0\n"
            << "Someday: has no due date\nCourse: repeats a fixed number of times";
    }
    void fixtures()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QFETCH(QString, refused);
        CalendarImport::Plan plan;
        QString error;
        QVERIFY2(CalendarImport::ReadFile(TestEnv::dataFile("calendar/" + file), AffairList(), &plan, &error),
                 qPrintable(error));
        QString added;
        for (const CalendarImport::Entry& e : plan.add) {
            const AffairPeriod p = e.record.GetPeriod();
            added += QStringLiteral("%1|%2|%3 %4 %5\n")
                         .arg(e.record.GetAffairTitle(), LocalTime::ToIso(e.record.GetUserDateTime()))
                         .arg(p.year)
                         .arg(p.month)
                         .arg(p.day);
            if (e.record.GetAffairTitle() == "Water the plants") { // a data URL: red then white
                const QImage picture = CalendarImport::Picture(e, QSize(64, 48));
                QVERIFY(picture.size() == QSize(2, 1) && picture.pixelColor(0, 0) == QColor(Qt::red));
            }
        }
        QCOMPARE(added, expected);
        QCOMPARE(CalendarImport::RefusalLines(plan).join('\n'), refused);
        QVERIFY(plan.update.isEmpty());
    }

    // Hostile files: a clear message, an empty plan, little memory, no wait.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("text"); // empty: larger than any import reads
        const QByteArray nested =
            QByteArray("BEGIN:VCALENDAR\r\n").repeated(1001) + QByteArray("END:VCALENDAR\r\n").repeated(1001);
        QTest::newRow("huge") << QByteArray();
        QTest::newRow("long line") << calendar(vevent("DESCRIPTION:" + QByteArray(3 << 20, 'a') + "\r\n"));
        QTest::newRow("nested") << nested;
        QTest::newRow("broken base64")
            << calendar(vevent("ATTACH;ENCODING=BASE64;VALUE=BINARY:iVBORw0KG!!!*\r\n"));
        QTest::newRow("huge picture") << calendar(vevent(
            "ATTACH;ENCODING=BASE64;VALUE=BINARY:" + Hostile::imageObject(7681).mid(8).toBase64() + "\r\n"));
        // A whole BMP of 2 x 2 pixels.
        QTest::newRow("BMP labelled PNG")
            << calendar(vevent("ATTACH;FMTTYPE=image/png;ENCODING=BASE64;VALUE=BINARY:" +
                               Hostile::bmpClaiming(2, 2).toBase64() + "\r\n"));
        QTest::newRow("unknown zone")
            << calendar("BEGIN:VEVENT\r\nDTSTART;TZID=Mars/Olympus_Mons:20300101T100000\r\nEND:VEVENT\r\n");
        QTest::newRow("not a calendar") << QByteArray("BEGIN:VCARD\r\nFN:Someone\r\nEND:VCARD\r\n");
        QTest::newRow("unbalanced") << calendar("BEGIN:VEVENT\r\nDTSTART:20300101T100000\r\n");
        QTest::newRow("too many events") << calendar(vevent("").repeated(AffairStore::MaxEvents + 1));
    }
    void hostile()
    {
        QFETCH(QByteArray, text);
        TestEnv::ScratchDir scratch;
        TestEnv::writeAll("hostile.ics", text);
        QVERIFY(!text.isEmpty() || QFile::resize("hostile.ics", CalendarImport::MaxFileBytes + 1)); // sparse
        CalendarImport::Plan plan;
        QString error;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!CalendarImport::ReadFile("hostile.ics", AffairList(), &plan, &error) && !error.isEmpty());
        QVERIFY(timer.elapsed() < 1000 || QByteArray(QTest::currentDataTag()) == "too many events");
        QVERIFY(plan.add.isEmpty() && plan.update.isEmpty() && plan.refused.isEmpty());
        QVERIFY2(Hostile::peakMiB() < 200, qPrintable(QString::number(Hostile::peakMiB())));
    }

    // 256 colours in the first line and a new one in the second: no palette, every pixel kept.
    void paletteFullAtALineEnd()
    {
        QImage sheet(255, 2, QImage::Format_RGB16);
        sheet.fill(Qt::white);
        for (int k = 0; k < 255; ++k) {
            sheet.setPixel(k, 0, qRgb((k & 31) << 3, (k >> 5) << 2, 0));
        }
        sheet.setPixel(0, 1, qRgb(0, 0, 248));
        QImage png;
        QVERIFY(png.loadFromData(CalendarExport::Png(sheet), "PNG"));
        QCOMPARE(png.pixel(0, 1), sheet.pixel(0, 1));
        QCOMPARE(png.pixel(254, 0), sheet.pixel(254, 0));
        QCOMPARE(qAlpha(png.pixel(1, 1)), 0);
    }

    // Export, then import into a fresh list: the same events and pictures, whatever their number
    // of colours; imported over the list they came from, every one updates its own event. A
    // cancel leaves no plan.
    void roundTrip()
    {
        TestEnv::ScratchDir scratch({"data"});
        QList<AffairInfo> events{
            Event("a", At(2030, 1, 31, 10, 0), AffairPeriod::Of(U::Month, 1), "Month end,\nwith a comma"),
            Event("b", At(2030, 3, 31, 2, 30), AffairPeriod::Of(U::Day, 1)),
            Event("c", At(2028, 2, 29, 8, 0), AffairPeriod::Of(U::Year, 1)),
            Event("d", At(2030, 10, 27, 1, 30), AffairPeriod::Of(U::Hour, 1)),
            Event("e", At(2030, 5, 5, 5, 5)),
            Event("f", At(2030, 5, 6, 5, 5)),
            Event("g", At(2030, 5, 7, 5, 5)),
            Event("h", At(2030, 5, 8, 5, 5)),
        };
        events[0].SetEffect({EffectChoice::Spread, EffectChoice::LeftDown});
        events[7].SetPicPath(QString()); // its picture is lost: it attaches none, nor another's
        QList<QImage> pictures;
        // White and 1, 2, 3, 15 or 255 colours: each palette size at and past its edge; then RGB.
        for (int colours : {1, 2, 3, 15, 255, 5000, 1}) {
            AffairInfo& r = events[pictures.size()];
            r.SetPicPath(PictureFile::NewPath(At(2030, 1, 1, 0, int(pictures.size()))));
            pictures.append(drawing(61 + int(pictures.size()), 40, colours));
            QVERIFY(PictureFile::Write(r.GetPicPath(), pictures.last()));
        }
        events[6].SetPicPath(events[3].GetPicPath()); // one drawing, two events
        pictures[6] = pictures[3];
        QString error;
        QVERIFY2(CalendarExport::WriteFile(events, "out.ics", &error), qPrintable(error));
        const QByteArray text = TestEnv::readAll("out.ics");
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
            QVERIFY(i < pictures.size()
                        ? CalendarImport::Picture(plan.add.at(i), QSize(10, 10)) == pictures[i]
                        : plan.add.at(i).picture.isEmpty());
        }

        QVERIFY(CalendarImport::Read(text, ListOf(events), &plan, &error));
        QVERIFY(plan.add.isEmpty() && plan.update.size() == events.size());
        QCOMPARE(plan.update.at(2).record.GetAffairID(), events[2].GetAffairID());
        // The UID link survives the event file; events without one write no key.
        QVERIFY(AffairStore("events.eda").SaveAffairs(ListOf({plan.update.at(0).record, events[1]})));
        QCOMPARE(TestEnv::readAll("events.eda").count("CalendarUid"), 1);
        const AffairList loaded = Stored("events.eda");
        QCOMPARE(loaded.At(0).GetCalendarUid(), CalendarExport::Uid(events[0]));
        QVERIFY(loaded.At(1).GetCalendarUid().isEmpty());

        int calls = 0;
        QVERIFY(
            !CalendarImport::Read(text, AffairList(), &plan, &error, [&](int, int) { return ++calls < 3; }));
        QCOMPARE(error, QStringLiteral("The import was cancelled."));
        QVERIFY(plan.add.isEmpty());
    }

    // Through the book in a fresh folder: --strict with a refusal and a cancel half-way change
    // nothing; then the events come in with their pictures, and a second import updates them.
    void applyThroughBook()
    {
        QByteArray text;
        {
            TestEnv::ScratchDir source({"data"});
            AffairInfo drawn = Event("d", At(2031, 5, 31, 9, 0), AffairPeriod::Of(U::Month, 1), "Drawn");
            QVERIFY(PictureFile::Write(drawn.GetPicPath(), drawing(30, 20, 7)));
            text = CalendarExport::Text({drawn});
        }
        text.replace("END:VCALENDAR",
                     "BEGIN:VEVENT\r\nUID:w@x\r\nSUMMARY:Weekdays\r\nDTSTART:20310602T070000\r\n"
                     "RRULE:FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR\r\nEND:VEVENT\r\n"
                     "BEGIN:VEVENT\r\nUID:n@x\r\nSUMMARY:Plain\r\nDTSTART:20310603T070000\r\n"
                     "END:VEVENT\r\nEND:VCALENDAR");
        TestEnv::ScratchDir target({"data"});
        TestEnv::writeAll("in.ics", text);
        ReminderBook book;
        QVERIFY(book.Load());
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        QCOMPARE(CalendarImport::Run(book, "in.ics", true, outStream, errStream), 1);
        QVERIFY(err.contains("Weekdays: repeats on weekdays only"));
        CalendarImport::Plan plan;
        QString error;
        QVERIFY(CalendarImport::ReadFile("in.ics", book.Events(), &plan, &error));
        QVERIFY(!CalendarImport::Apply(book, plan, &error, [](int done, int) { return done < 1; }));
        QCOMPARE(book.Events().Count(), 0);
        QCOMPARE(QDir("data").entryList(QDir::Files).filter("dap").size(), 0);

        QCOMPARE(CalendarImport::Run(book, "in.ics", false, outStream, errStream), 0);
        QCOMPARE(book.Events().Count(), 2);
        const AffairInfo drawn = book.Events().At(book.Events().At(0).GetAffairTitle() == "Drawn" ? 0 : 1);
        QImage picture;
        QVERIFY(PictureFile::Read(drawn.GetPicPath(), QSize(30, 20), &picture));
        QCOMPARE(picture, drawing(30, 20, 7));
        QCOMPARE(CalendarImport::Run(book, "in.ics", false, outStream, errStream), 0);
        QCOMPARE(book.Events().Count(), 2);
        QVERIFY(out.contains("0 event(s) added, 2 updated."));
        // The events named, and only those; an unknown identifier writes nothing.
        QVERIFY2(CalendarExport::WriteFile(book, {drawn.GetAffairID()}, "one.ics", &error),
                 qPrintable(error));
        QCOMPARE(TestEnv::readAll("one.ics").count("BEGIN:VEVENT"), 1);
        QVERIFY(!CalendarExport::WriteFile(book, {drawn.GetAffairID(), "nobody"}, "two.ics", &error));
        QVERIFY(error.contains("nobody") && !QFile::exists("two.ics"));
    }
};

QTEST_MAIN(TestCalendar)
#include "testcalendar.moc"
