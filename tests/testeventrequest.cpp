// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/eventrequest.h"
#include "core/events/localtime.h"
#include "core/picture/picturefile.h"
#include "core/picture/pictureimport.h"
#include "helpers/hostile.h"

#include <QtTest>
#include <unistd.h>

// What every front end accepts as an event, and what it refuses before anything is written.
class TestEventRequest : public QObject
{
    Q_OBJECT

    const QDateTime Now{QDate(2027, 1, 31), QTime(9, 0, 30)};

private slots:
    void initTestCase() { TestEnv::setTimeZone("Europe/Berlin"); }

    void when_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // local ISO time; empty: refused
        const auto row = [](const char* name, const char* text, const char* expected) {
            QTest::newRow(name) << QString(text) << QString(expected);
        };
        row("space", "2027-02-01 08:15", "2027-02-01T08:15:00");
        row("T and seconds", "2027-02-01T08:15:42", "2027-02-01T08:15:42");
        row("offset", "2027-02-01T08:15:00+00:00", "2027-02-01T09:15:00");
        row("Z", "2027-07-01T08:15:00Z", "2027-07-01T10:15:00");
        row("west of UTC", "2027-02-01T08:15:00-05:30", "2027-02-01T14:45:00");
        row("+minutes, seconds dropped", "+90 min", "2027-01-31T10:30:30");
        row("+h no space", "+2h", "2027-01-31T11:00:30");
        row("+month clamps", "+1 mo", "2027-02-28T09:00:30");
        row("+Years", "+1 Years", "2028-01-31T09:00:30");
        row("+weeks", "+2 w", "2027-02-14T09:00:30");
        row("30 February", "2027-02-30 09:00", "");
        row("hour 24", "2027-02-01 24:00", "");
        row("year 10000", "10000-01-01 09:00", "");
        row("before 1970", "1969-12-31 23:59", "");
        row("offset 15 hours", "2027-02-01T08:15:00+15:00", "");
        row("unknown unit", "+3 fortnights", "");
        row("too many", "+100000 d", "");
        row("beyond 9999", "+99999 y", "");
        row("negative", "-3 h", "");
        row("words", "tomorrow", "");
    }
    void when()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QDateTime out;
        QString error;
        const bool ok = EventRequest::ParseWhen(text, Now, &out, &error);
        QCOMPARE(ok, !expected.isEmpty());
        QCOMPARE(ok ? LocalTime::ToIso(out) : QString(), expected);
        QVERIFY(ok || !error.isEmpty());
    }

    // Formatted by hand for speed, so checked against Qt's own.
    void isoWithOffset_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::newRow("winter") << QDateTime(QDate(2027, 1, 31), QTime(9, 0));
        QTest::newRow("summer") << QDateTime(QDate(2027, 7, 1), QTime(23, 59, 59));
        QTest::newRow("leap day") << QDateTime(QDate(2000, 2, 29), QTime(0, 0, 1));
        QTest::newRow("far") << QDateTime(QDate(9999, 12, 31), QTime(12, 0));
    }
    void isoWithOffset()
    {
        QFETCH(QDateTime, moment);
        QCOMPARE(EventRequest::IsoWithOffset(moment),
                 moment.toOffsetFromUtc(moment.offsetFromUtc()).toString(Qt::ISODate));
    }

    void fields_data()
    {
        QTest::addColumn<QVariantMap>("fields");
        QTest::addColumn<bool>("accepted");
        const QString first = QStringLiteral("first");
        const auto ok = [&](const QVariantMap& extra) {
            QVariantMap m{{"title", "Dentist"}, {first, "+1 h"}};
            m.insert(extra);
            return m;
        };
        QTest::newRow("once") << ok({}) << true;
        QTest::newRow("every 2 days") << ok({{"every", 2}, {"unit", "days"}}) << true;
        QTest::newRow("every as text") << ok({{"every", "3"}, {"unit", "w"}}) << true;
        QTest::newRow("listed once-only")
            << ok({{"every", 0}, {"unit", ""}, {"id", "x"}, {"active", true}}) << true;
        QTest::newRow("effect by name") << ok({{"effect", "push left-up"}}) << true;
        QTest::newRow("unknown effect") << ok({{"effect", "Wobble"}}) << false;
        QTest::newRow("every 0 days") << ok({{"every", 0}, {"unit", "days"}}) << false;
        QTest::newRow("every 100000") << ok({{"every", 100000}, {"unit", "d"}}) << false;
        QTest::newRow("every -1") << ok({{"every", -1}, {"unit", "d"}}) << false;
        QTest::newRow("unit alone") << ok({{"unit", "d"}}) << false;
        QTest::newRow("unknown key") << ok({{"colour", "red"}}) << false;
        QTest::newRow("no first") << QVariantMap{{"title", "x"}} << false;
        QTest::newRow("once in the past") << ok({{first, "2027-01-31 09:00"}}) << false;
        QTest::newRow("recurring from the past")
            << ok({{first, "2020-01-01 09:00"}, {"every", 1}, {"unit", "y"}}) << true;
        QTest::newRow("empty title") << ok({{"title", "  "}}) << false;
        QTest::newRow("newline") << ok({{"title", "a\nb"}}) << false;
        QTest::newRow("escape") << ok({{"title", "a\x1b[2Jb"}}) << false;
        for (const char16_t c : {u'\u202a', u'\u202e', u'\u2066', u'\u2069'}) {
            QTest::newRow("direction control") << ok({{"title", QStringLiteral("a") + QChar(c)}}) << false;
        }
        QTest::newRow("longest title") << ok({{"title", QString(AffairInfo::MaxTitleLength, 'x')}}) << true;
        QTest::newRow("1 MB title") << ok({{"title", QString(1 << 20, 'x')}}) << false;
    }
    void fields()
    {
        QFETCH(QVariantMap, fields);
        QFETCH(bool, accepted);
        AffairInfo record;
        QString error;
        QCOMPARE(EventRequest::FromMap(fields, Now, &record, &error), accepted);
        QVERIFY(accepted || !error.isEmpty());
        if (!accepted) {
            return;
        }
        // What is listed comes back as the same event.
        AffairInfo again;
        QVERIFY(EventRequest::FromMap(EventRequest::Describe(record), Now, &again, &error));
        QCOMPARE(again.GetPeriod(), record.GetPeriod());
        QCOMPARE(again.GetUserDateTime(), record.GetUserDateTime());
    }

    // Only regular files, and never an image beyond the picture's limits, whatever its header
    // claims; made pictures are opaque and of the canvas's size.
    void picture_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("png with alpha") << "png" << true;
        QTest::newRow("link to a png of ours") << "png link" << true;
        QTest::newRow("another user's png, named") << "png foreign" << true;
        QTest::newRow("link to another user's png") << "png foreign link" << false;
        QTest::newRow("huge bmp header") << "bmp" << false;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("device") << "/dev/zero" << false;
        QTest::newRow("folder") << "/" << false;
        QTest::newRow("not an image") << "text" << false;
        QTest::newRow("missing") << "missing" << false;
    }
    void picture()
    {
        QFETCH(QString, kind);
        QFETCH(bool, accepted);
        TestEnv::ScratchDir dir;
        QString path = kind.startsWith('/') ? kind : dir.file(kind);
        if (kind.startsWith("png")) {
            QImage image(300, 200, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            image.setPixel(0, 0, qRgba(255, 0, 0, 255));
            QVERIFY(image.save(dir.file("png"), "PNG"));
            if (kind.contains("foreign") &&
                ::chown(QFile::encodeName(dir.file("png")).constData(), 4321, 4321) != 0) {
                QSKIP("only root can give a file to another user");
            }
            if (kind.endsWith("link")) {
                QVERIFY(QFile::link(dir.file("png"), path));
            } else {
                path = dir.file("png");
            }
        } else if (kind == "bmp" || kind == "fifo" || kind == "text") {
            Hostile::place(path, kind == "bmp"    ? Hostile::bmpClaiming(16384, 16384)
                                 : kind == "fifo" ? QByteArray("fifo")
                                                  : QByteArray("not a picture"));
        }
        QImage out;
        QString error;
        QCOMPARE(PictureImport::Read(path, &out, &error), accepted);
        QVERIFY(accepted || error.contains(path) || error.contains(QFileInfo(path).fileName()));
        if (accepted) {
            QCOMPARE(out.size(), QSize(PictureImport::CanvasWidth, PictureImport::CanvasHeight));
            QVERIFY(!out.hasAlphaChannel());
            // Transparent becomes white; the image sits in the middle.
            QCOMPARE(out.pixel(960, 540), qRgb(255, 255, 255));
            QCOMPARE(out.pixel(810, 440), qRgb(255, 0, 0));
        }
    }

    void titlePicture()
    {
        const QImage picture = PictureImport::FromTitle(QStringLiteral("Dentist"));
        QCOMPARE(picture.size(), QSize(PictureImport::CanvasWidth, PictureImport::CanvasHeight));
        int dark = 0;
        for (int y = 0; y < picture.height(); y += 4) {
            for (int x = 0; x < picture.width(); x += 4) {
                dark += qGray(picture.pixel(x, y)) < 96;
            }
        }
        // Large letters: a good part of the screen, not a line of small print.
        QVERIFY2(dark > 4000, qPrintable(QString::number(dark)));
    }
};

QTEST_MAIN(TestEventRequest)
#include "testeventrequest.moc"
