// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a 10,000-event calendar against libical parsing the same file alone, and writing
// 1,000 events with their pictures, with the cache of their PNGs empty and filled.
#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarimport.h"
#include "core/calendar/icalhandle.h"
#include "core/picture/picturefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A calendar program's file: a zone, events with alarms, descriptions and repeat rules.
QByteArray calendarOf(int events)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    const char* rules[] = {"", "RRULE:FREQ=WEEKLY\r\n", "RRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n",
                           "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR\r\n"};
    for (int i = 0; i < events; ++i) {
        const QDate day = QDate(2030, 1, 31).addDays(i % 700);
        text += "BEGIN:VEVENT\r\nUID:bench-" + QByteArray::number(i) +
                "@example.org\r\nDTSTAMP:20240101T000000Z\r\n";
        text += "DTSTART;TZID=Europe/Berlin:" + day.toString("yyyyMMdd").toLatin1() + "T0930" +
                QByteArray::number(10 + i % 50) + "\r\n";
        text += "SUMMARY:Appointment number " + QByteArray::number(i) + "\r\n";
        text += "DESCRIPTION:Bring the papers and the notes from the last meeting\\, and be on time.\r\n";
        text += rules[i % 4];
        text += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n";
        text += "END:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

QImage drawing(const QSize& size, int seed)
{
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int i = 0; i < 12; ++i) {
        p.setPen(QPen(QColor::fromHsv((i * 37 + seed) % 360, 200, 220), 4 + i % 8));
        p.drawLine((i * 211 + seed) % size.width(), (i * 137) % size.height(), (i * 97) % size.width(),
                   (i * 61 + seed) % size.height());
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("TZ", "Europe/Berlin");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    const QByteArray file = calendarOf(10000);
    const double libical = medianMs(5, [&] { IcalHandle root(icalparser_parse_string(file.constData())); });
    const double import = medianMs(5, [&] {
        CalendarImport::Plan plan;
        QString error;
        CalendarImport::Read(file, AffairList(), &plan, &error);
    });
    std::printf("import of 10,000 events: %.1f ms, libical parsing alone %.1f ms, ratio %.2f (at most 2)\n",
                import, libical, import / libical);

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("data"));
    // The cache of the pictures' PNGs lives here, not in the user's cache folder.
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    const QSize screen(1920, 1080);
    QList<AffairInfo> events;
    for (int i = 0; i < 1000; ++i) {
        AffairInfo r;
        r.SetInfo(QString::number(i), QStringLiteral("Event %1").arg(i),
                  QDateTime(QDate(2030, 1, 1).addDays(i), QTime(9, 0)), 0, 0, 7, 0, 0);
        r.SetPicPath(PictureFile::NewPath(QDateTime(QDate(2030, 1, 1), QTime(0, 0)).addSecs(i)));
        r.SetEffect({EffectChoice::Push, EffectChoice::Left});
        events.append(r);
    }
    // A thousand distinct drawings, made on every core.
    QThreadPool pool;
    for (int i = 0; i < events.size(); ++i) {
        pool.start(
            [&events, screen, i] { PictureFile::Write(events.at(i).GetPicPath(), drawing(screen, i)); });
    }
    pool.waitForDone();

    qint64 bytes = 0;
    QElapsedTimer cold;
    cold.start();
    bytes = CalendarExport::Text(events).size();
    const double coldMs = double(cold.nsecsElapsed()) / 1e6;
    std::printf("export of 1,000 events with 1,000 distinct %dx%d pictures, cold (empty cache, one run): "
                "%.1f ms, %lld bytes\n",
                screen.width(), screen.height(), coldMs, static_cast<long long>(bytes));
    const double warmMs = medianMs(3, [&] { bytes = CalendarExport::Text(events).size(); });
    std::printf("export of 1,000 events with 1,000 distinct %dx%d pictures, warm (cache filled, as after the "
                "program has run): %.1f ms, %lld bytes (under 1000 ms)\n",
                screen.width(), screen.height(), warmMs, static_cast<long long>(bytes));
    return 0;
}
