// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarexport.h"
#include "core/calendar/picturepngcache.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "support/eventbuilder.h"
#include "support/testenv.h"

#include <QDir>
#include <QPainter>
#include <QtTest>
#include <sys/stat.h>

class TestPicturePngCache : public QObject
{
    Q_OBJECT

    TestEnv::ScratchDir Scratch;
    const QString Picture = QStringLiteral("./data/dap20300101090000");

    static QImage drawing(const QColor& colour)
    {
        QImage image(64, 48, QImage::Format_RGB16);
        image.fill(Qt::white);
        QPainter(&image).fillRect(8, 8, 21, 10, colour);
        return image;
    }
    // Pixels of the PNG that differ from the picture with white transparent; -1 for no PNG.
    static int wrongPixels(const QByteArray& png, const QImage& picture)
    {
        QImage got;
        if (!got.loadFromData(png, "PNG") || got.size() != picture.size()) {
            return -1;
        }
        int wrong = 0;
        for (int y = 0; y < got.height(); ++y) {
            for (int x = 0; x < got.width(); ++x) {
                const QRgb want = picture.pixel(x, y);
                wrong += want == qRgb(255, 255, 255) ? qAlpha(got.pixel(x, y)) != 0 : got.pixel(x, y) != want;
            }
        }
        return wrong;
    }

    // The inode of the one entry: a made entry replaces the file, a used one leaves it.
    static ino_t entryInode()
    {
        const QDir folder(PicturePngCache::DefaultFolder());
        const QStringList names = folder.entryList(QDir::Files);
        struct stat st
        {
        };
        return names.size() == 1 &&
                       ::stat(QFile::encodeName(folder.filePath(names.first())).constData(), &st) == 0
                   ? st.st_ino
                   : 0;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", Scratch.file(QStringLiteral("cache")).toLocal8Bit());
        QVERIFY(QDir().mkpath(QStringLiteral("data")));
    }

    void replacedPictureNeverGivesItsOldPng()
    {
        QVERIFY(PictureFile::Write(Picture, drawing(Qt::red)));
        QCOMPARE(wrongPixels(PicturePngCache().Png(Picture), drawing(Qt::red)), 0);
        const ino_t made = entryInode();
        QCOMPARE(wrongPixels(PicturePngCache().Png(Picture), drawing(Qt::red)), 0);
        QVERIFY(made != 0 && entryInode() == made); // used as it is, not made again
        // Same size, and often the same modification time: only the new inode tells them apart.
        QVERIFY(PictureFile::Write(Picture, drawing(Qt::blue)));
        QCOMPARE(wrongPixels(PicturePngCache().Png(Picture), drawing(Qt::blue)), 0);
    }

    void damagedEntryIsRebuilt_data()
    {
        QTest::addColumn<int>("keep"); // bytes kept, all when negative
        QTest::addColumn<int>("flip"); // a byte changed, from the end when negative
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("truncated") << 100 << 0;
        QTest::newRow("byte in the PNG") << -1 << -20;
        QTest::newRow("byte in the head") << -1 << 3;
    }
    void damagedEntryIsRebuilt()
    {
        QFETCH(int, keep);
        QFETCH(int, flip);
        QVERIFY(PictureFile::Write(Picture, drawing(Qt::green)));
        PicturePngCache().Png(Picture);
        const QStringList names = QDir(PicturePngCache::DefaultFolder()).entryList(QDir::Files);
        QCOMPARE(names.size(), 1);
        const QString entry = PicturePngCache::DefaultFolder() + QLatin1Char('/') + names.first();
        const QByteArray good = TestEnv::readAll(entry);
        QByteArray bad = keep < 0 ? good : good.left(keep);
        if (flip != 0) {
            bad[flip < 0 ? bad.size() + flip : flip] ^= 0x10;
        }
        TestEnv::writeAll(entry, bad);
        QCOMPARE(wrongPixels(PicturePngCache().Png(Picture), drawing(Qt::green)), 0);
        QCOMPARE(TestEnv::readAll(entry), good);
    }

    void bookPrimesANewPicture()
    {
        qputenv("XDG_CACHE_HOME", Scratch.file(QStringLiteral("primed")).toLocal8Bit());
        // The entry of a picture that is gone: the first priming of a run sweeps it away.
        const QString gone = QStringLiteral("./data/dap20300101090001");
        QVERIFY(PictureFile::Write(gone, drawing(Qt::gray)));
        PicturePngCache().Png(gone);
        QFile::remove(gone);
        const auto entries = [] { return QDir(PicturePngCache::DefaultFolder()).entryList(QDir::Files); };
        const QStringList stale = entries();
        QCOMPARE(stale.size(), 1);
        ReminderBook book;
        book.Start(); // as the running program; a command's book makes none
        QString id;
        QVERIFY(book.Add(EventBuilder::Event("p", QDateTime::currentDateTime().addDays(1)), drawing(Qt::cyan),
                         &id));
        QTRY_VERIFY_WITH_TIMEOUT(entries() != stale, 8000); // a failure waits three times this
        QVERIFY(!entries().contains(stale.first()));
    }

    void unwritableCacheStillExports()
    {
        TestEnv::writeAll(Scratch.file(QStringLiteral("blocked")), "a file where the folder would be");
        qputenv("XDG_CACHE_HOME", Scratch.file(QStringLiteral("blocked")).toLocal8Bit());
        QVERIFY(PictureFile::Write(Picture, drawing(Qt::darkMagenta)));
        const AffairInfo event = EventBuilder::Event("1", EventBuilder::At(2030, 1, 1, 9, 0));
        QCOMPARE(event.GetPicPath(), Picture);
        const QByteArray text = CalendarExport::Text({event}).replace("\r\n ", "");
        const qsizetype start = text.indexOf("BASE64:") + 7;
        const QByteArray png = QByteArray::fromBase64(text.mid(start, text.indexOf("\r\n", start) - start));
        QCOMPARE(wrongPixels(png, drawing(Qt::darkMagenta)), 0);
    }
};

QTEST_GUILESS_MAIN(TestPicturePngCache)
#include "testpicturepngcache.moc"
