// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"
#include "helpers/hostile.h"

#include <QtTest>

#include <cstring>

namespace {

const QString Pic = "./data/dap20100201090503";

// Little-endian RGB16 word as the file stores it.
QByteArray word(quint16 w)
{
    return QByteArray(1, char(w & 0xFF)) + char(w >> 8);
}

QImage sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB16);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 256));
        }
    }
    return image;
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT

private slots:
    // Each line's 5-6-5 words, odd widths padded to 4 bytes; whatever lies in the line padding of
    // the image must not reach the file. It reads back as it was, and stretched to another screen.
    void layoutAndRoundTrip()
    {
        // Red, green, blue, white, black, a mixed 5-6-5 value.
        const quint16 words[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410};
        for (int width : {1, 2, 3}) {
            QImage image(width, 2, QImage::Format_RGB16);
            std::memset(image.bits(), 0xAB, size_t(image.sizeInBytes()));
            QByteArray expected = QByteArray::number(width) + "x2size";
            for (int y = 0, k = 0; y < 2; ++y) {
                for (int x = 0; x < width; ++x, ++k) {
                    reinterpret_cast<quint16*>(image.scanLine(y))[x] = words[k % 6];
                    expected += word(words[k % 6]);
                }
                expected += QByteArray(width % 2 * 2, '\0');
            }
            QCOMPARE(PictureFile::Payload(image), expected);
            QImage back;
            QVERIFY(PictureFile::Decode(PictureFile::Encode(image), image.size(), &back));
            QVERIFY(back.format() == QImage::Format_RGB16 && back == image);
        }
        const QImage wide = sample(40, 20);
        QImage back;
        QVERIFY(PictureFile::Decode(PictureFile::Encode(wide), QSize(16, 30), &back));
        QCOMPARE(back, wide.scaled(16, 30, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        // The largest screen's picture is within every bound.
        QImage largest(PictureFile::MaxSide, int(PictureFile::MaxPixels / PictureFile::MaxSide),
                       QImage::Format_RGB16);
        largest.fill(Qt::red);
        QVERIFY(PictureFile::Decode(PictureFile::Encode(largest), largest.size(), &back) && back == largest);
    }

    // Damaged files, and what a careless user or another program leaves under a picture's
    // name: nothing is read through a link, from a FIFO or a device, nothing beyond the largest
    // screen is allocated.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray pixels = PictureFile::Payload(sample(6, 4)).mid(7);
        const auto claim = [](const QByteArray& header, qint64 pixelBytes) {
            QByteArray file = qCompress(header + QByteArray(64, '\xff'));
            qToBigEndian<quint32>(quint32(header.size() + pixelBytes), file.data());
            return file;
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no marker") << qCompress("6x4" + pixels);
        QTest::newRow("zero width") << qCompress("0x4size" + pixels);
        QTest::newRow("short block") << qCompress("6x4size" + pixels.left(pixels.size() - 2));
        QTest::newRow("claims more than 8K") << claim("7680x4321size", 7680LL * 4321 * 2);
        QTest::newRow("link to a picture outside") << QByteArray("link");
        QTest::newRow("fifo") << QByteArray("fifo");
        QTest::newRow("/dev/zero") << QByteArray("zero");
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, file);
        TestEnv::ScratchDir dir({"data"});
        TestEnv::writeAll("outside", PictureFile::Encode(sample(6, 4)));
        Hostile::place(Pic, file, dir.file("outside"));
        QImage out(2, 2, QImage::Format_RGB16);
        out.fill(Qt::green);
        const QImage before = out;
        QVERIFY(!PictureFile::Read(Pic, QSize(6, 4), &out));
        QCOMPARE(out, before);
        // Saving over it replaces the name itself, never what a link points to.
        QVERIFY(PictureFile::Write(Pic, sample(6, 4)) && PictureFile::Read(Pic, QSize(6, 4), &out));
        QCOMPARE(TestEnv::readAll("outside"), PictureFile::Encode(sample(6, 4)));
        QCOMPARE(QDir("data").entryList(QDir::Files | QDir::Hidden), QStringList{"dap20100201090503"});
    }

    // The size a file claims, read from its head alone: nothing for a head that is not one.
    void storedSize_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QSize>("size");
        QTest::newRow("picture") << QByteArray("12x7size") << QSize(12, 7);
        QTest::newRow("no x") << QByteArray("12y7size") << QSize();
        QTest::newRow("no width") << QByteArray("x7size") << QSize();
        QTest::newRow("larger than 8K") << QByteArray("7681x10size") << QSize();
        QTest::newRow("more pixels than 8K") << QByteArray("7680x4321size") << QSize();
        QTest::newRow("no marker") << QByteArray("12x7") << QSize();
    }
    void storedSize()
    {
        QFETCH(QByteArray, head);
        QFETCH(QSize, size);
        QCOMPARE(PictureFile::StoredSize(qCompress(head + QByteArray(64, '\xff'))), size);
    }

    void programPath()
    {
        QVERIFY(PictureFile::IsProgramPath(Pic));
        for (const char* other : {"./data/dap2010020109050", "./data/dap20100201090503.png",
                                  "/x/./data/dap20260101000009", "./data/dap/../../../home/u/file"}) {
            QVERIFY2(!PictureFile::IsProgramPath(QString::fromLatin1(other)), other);
        }
    }

    void newPathTakesNextFreeSecond()
    {
        TestEnv::ScratchDir dir({"data"});
        const QDateTime at(QDate(2010, 2, 1), QTime(9, 5, 3));
        QCOMPARE(PictureFile::NewPath(at), "./data/dap20100201090503");
        TestEnv::writeAll("./data/dap20100201090503", "taken");
        TestEnv::writeAll("./data/dap20100201090504", "taken");
        QCOMPARE(PictureFile::NewPath(at), "./data/dap20100201090505");
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "testpicturefile.moc"
