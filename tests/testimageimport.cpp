// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/imageimport.h"
#include "helpers/hostile.h"

#include <QPainter>
#include <QtTest>

namespace {

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A real JPEG whose frame header is changed to claim another size.
QByteArray JpegClaiming(quint16 width, quint16 height)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray jpeg = Encoded(small, "JPG");
    const int sof = jpeg.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(height, jpeg.data() + sof + 5);
    qToBigEndian<quint16>(width, jpeg.data() + sof + 7);
    return jpeg;
}

// Left half transparent, right half a photo-like colour.
QImage HalfTransparent(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(QRect(size.width() / 2, 0, size.width() / 2, size.height()),
                              QColor(200, 100, 50));
    return image;
}

const QSize Sheet(320, 240);

} // namespace

class TestImageImport : public QObject
{
    Q_OBJECT

private slots:
    // Each is refused with a reason, at once, without memory to speak of.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("what");
        QTest::newRow("FIFO") << QByteArray("fifo");
        QTest::newRow("link to /dev/zero") << QByteArray("zero");
        QTest::newRow("/dev/zero") << QByteArray("/dev/zero");
        QTest::newRow("folder") << QByteArray("folder");
        QTest::newRow("missing") << QByteArray("missing");
        QTest::newRow("2 GB file") << QByteArray("2gb");
        QTest::newRow("text") << QByteArray("Buy milk\n");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("PNG of 100000 x 100000") << Hostile::png(100000, 100000);
        QTest::newRow("PNG of 20000 x 20000") << Hostile::png(20000, 20000);
        QTest::newRow("PNG of 6000 x 6000") << Hostile::png(6000, 6000);
        QTest::newRow("PNG of 4000000000 x 1") << Hostile::png(4000000000u, 1);
        QTest::newRow("BMP of 100000 x 100000") << Hostile::bmpClaiming(100000, 100000);
        QTest::newRow("BMP upside down, huge") << Hostile::bmpClaiming(30000, -30000);
        QTest::newRow("JPEG of 65500 x 65500") << JpegClaiming(65500, 65500);
        QTest::newRow("GIF of 65535 x 65535") << QByteArray(
            "GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00,\x00\x00\x00\x00\xFF\xFF\xFF\xFF\x00\x02\x02\x44\x01\x00;",
            30);
    }
    void hostile()
    {
        QFETCH(QByteArray, what);
        TestEnv::ScratchDir dir;
        const QString path = what == "/dev/zero" ? QString::fromLatin1(what) : "picture";
        if (what == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (what != "missing" && what != "/dev/zero") {
            Hostile::place(path, what);
        }
        QVERIFY(what != "2gb" || QFile::resize(path, 2LL << 30));
        QImage out(3, 3, QImage::Format_RGB16);
        out.fill(Qt::green);
        const QImage before = out;
        QString error;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ImageImport::ReadFile(path, Sheet, &out, &error));
        if (!QStringList{"fifo", "zero", "/dev/zero", "folder", "missing", "2gb"}.contains(
                QString::fromLatin1(what))) {
            QVERIFY(!ImageImport::ReadData(what, Sheet, &out, &error));
        }
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!error.isEmpty() && out == before);
        QVERIFY2(Hostile::peakMiB() < 200, qPrintable(QString::number(Hostile::peakMiB())));
    }

    // Transparent parts white, colours as the sheet stores them, scaled down to fit and never up.
    void readable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("PNG larger than the sheet")
            << Encoded(HalfTransparent(QSize(640, 400)), "PNG") << QSize(320, 200);
        QTest::newRow("PNG smaller than the sheet")
            << Encoded(HalfTransparent(QSize(10, 7)), "PNG") << QSize(10, 7);
        QTest::newRow("a sliver") << Encoded(HalfTransparent(QSize(5000, 2)), "PNG") << QSize(320, 1);
        QTest::newRow("JPEG, decoded scaled down")
            << Encoded(HalfTransparent(QSize(3200, 2400)).convertToFormat(QImage::Format_RGB32), "JPG")
            << QSize(320, 240);
        QTest::newRow("BMP") << Encoded(HalfTransparent(QSize(64, 48)), "BMP") << QSize(64, 48);
    }
    void readable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        TestEnv::ScratchDir dir;
        TestEnv::writeAll("picture", bytes);
        QFile::link("picture", "link"); // a link to a file is fine
        QImage fromFile;
        QImage fromData;
        QString error;
        QVERIFY2(ImageImport::ReadFile("link", Sheet, &fromFile, &error), qPrintable(error));
        QVERIFY2(ImageImport::ReadData(bytes, Sheet, &fromData, &error), qPrintable(error));
        QVERIFY(fromFile == fromData);
        QCOMPARE(fromFile.size(), size);
        QCOMPARE(fromFile.format(), QImage::Format_RGB16);
        // BMP keeps no transparency, JPEG no exact colours; (200, 100, 50) is stored as 5-6-5.
        const QByteArray tag = QTest::currentDataTag();
        QVERIFY(tag.startsWith("JPEG") || tag.startsWith("BMP") ||
                fromFile.pixel(0, 0) == qRgb(255, 255, 255));
        const QColor right = fromFile.pixelColor(size.width() - 1, size.height() / 2);
        const int slack = tag.startsWith("JPEG") ? 12 : 0;
        QVERIFY2(qAbs(right.red() - 206) <= slack && qAbs(right.green() - 101) <= slack &&
                     qAbs(right.blue() - 49) <= slack,
                 qPrintable(right.name()));
    }
};

QTEST_MAIN(TestImageImport)
#include "testimageimport.moc"
