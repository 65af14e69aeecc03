// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/picturefile.h"
#include "support/testenv.h"

#include <QDir>
#include <QtEndian>
#include <QtTest>

#include <cstring>

namespace {

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
    void payloadLayout()
    {
        // Red, green, blue, white, black, a mixed 5-6-5 value.
        const quint16 words[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410};
        for (int width : {2, 3}) {
            QImage image(width, 2, QImage::Format_RGB16);
            // Whatever lies in the line padding must not reach the file.
            std::memset(image.bits(), 0xAB, size_t(image.sizeInBytes()));
            QByteArray expected = QByteArray::number(width) + "x2size";
            int k = 0;
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < width; ++x, ++k) {
                    reinterpret_cast<quint16*>(image.scanLine(y))[x] = words[k % 6];
                    expected += word(words[k % 6]);
                }
                expected += QByteArray(width % 2 * 2, '\0'); // odd widths pad each line to 4 bytes
            }
            QCOMPARE(PictureFile::Payload(image), expected);
        }
    }

    void encodeIsLengthThenZlib()
    {
        const QImage image = sample(1365, 4);
        const QByteArray file = PictureFile::Encode(image);
        const QByteArray payload = PictureFile::Payload(image);
        // 1365 pixels need 2730 bytes, padded to 2732 per line.
        QCOMPARE(payload.size(), qsizetype(strlen("1365x4size") + 2732 * 4));
        QCOMPARE(qFromBigEndian<quint32>(file.constData()), quint32(payload.size()));
        QCOMPARE(quint8(file.at(4)), quint8(0x78)); // zlib stream header
        QCOMPARE(qUncompress(file), payload);
    }

    void roundTripAndScaling()
    {
        for (const QSize size : {QSize(320, 240), QSize(33, 7), QSize(1, 1)}) {
            const QImage image = sample(size.width(), size.height());
            const QByteArray file = PictureFile::Encode(image);
            QImage back;
            QVERIFY(PictureFile::Decode(file, size, &back));
            QCOMPARE(back.format(), QImage::Format_RGB16);
            QCOMPARE(back, image);
            QCOMPARE(PictureFile::Encode(back), file);
        }
        // Stored for another screen size: stretched to this one.
        const QImage wide = sample(40, 20);
        QImage back;
        QVERIFY(PictureFile::Decode(PictureFile::Encode(wide), QSize(16, 30), &back));
        QCOMPARE(back, wide.scaled(16, 30, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }

    void damagedFilesAreUnreadable_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = PictureFile::Encode(sample(6, 4));
        const QByteArray pixels = PictureFile::Payload(sample(6, 4)).mid(7);

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("three bytes") << good.left(3);
        QTest::newRow("truncated stream") << good.left(good.size() - 6);
        QByteArray bad = good;
        for (int i = 6; i < 12; ++i) {
            bad[i] = char(bad[i] ^ 0x5A);
        }
        QTest::newRow("bad zlib") << bad;
        QByteArray wrongLength = good;
        qToBigEndian<quint32>(quint32(pixels.size() + 100), wrongLength.data());
        QTest::newRow("length prefix too large") << wrongLength;
        QByteArray huge = good;
        qToBigEndian<quint32>(0xFFFFFFF0u, huge.data());
        QTest::newRow("absurd length prefix") << huge;
        QTest::newRow("no marker") << qCompress("6x4" + pixels);
        QTest::newRow("no x") << qCompress("64size" + pixels);
        QTest::newRow("zero width") << qCompress("0x4size" + pixels);
        QTest::newRow("zero height") << qCompress("6x0size" + pixels);
        QTest::newRow("negative width") << qCompress("-6x4size" + pixels);
        QTest::newRow("huge sides") << qCompress("99999x99999size" + pixels);
        QTest::newRow("three sides") << qCompress("6x4x2size" + pixels);
        QTest::newRow("short block") << qCompress("6x4size" + pixels.left(pixels.size() - 2));
        QTest::newRow("long block") << qCompress("6x4size" + pixels + "xx");
        QTest::newRow("block for a bigger image") << qCompress("6x4size" + pixels + pixels);
    }

    void damagedFilesAreUnreadable()
    {
        QFETCH(QByteArray, file);
        QImage out(2, 2, QImage::Format_RGB16);
        out.fill(Qt::green);
        const QImage before = out;
        QVERIFY(!PictureFile::Decode(file, QSize(6, 4), &out));
        QCOMPARE(out, before);
    }

    void readAndWriteFiles()
    {
        TestEnv::ScratchDir dir;
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        const QImage image = sample(20, 10);
        QImage out;
        QCOMPARE(PictureFile::Read(QString(), QSize(20, 10), &out), -1);
        QCOMPARE(PictureFile::Read(QStringLiteral("./data/none"), QSize(20, 10), &out), -1);
        QCOMPARE(PictureFile::Write(QStringLiteral("./data/dap1"), image), 0);
        QCOMPARE(PictureFile::Read(QStringLiteral("./data/dap1"), QSize(20, 10), &out), 0);
        QCOMPARE(out, image);
        // Rewriting replaces the file whole and leaves no temporary file beside it.
        QCOMPARE(PictureFile::Write(QStringLiteral("./data/dap1"), sample(9, 9)), 0);
        QCOMPARE(TestEnv::readAll(QStringLiteral("./data/dap1")), PictureFile::Encode(sample(9, 9)));
        QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files | QDir::Hidden), QStringList{"dap1"});
        QString reason;
        QCOMPARE(PictureFile::Write(QStringLiteral("./missing/dap1"), image, &reason), -1);
        QVERIFY(!reason.isEmpty());
    }

    void programPath()
    {
        QVERIFY(PictureFile::IsProgramPath(QStringLiteral("./data/dap20100201090503")));
        for (const char* other : {"./data/dap2010020109050", "./backup/dap20100201090503",
                                  "./data/dap20100201090503.png", "", "./data/dap20100201090503\n"}) {
            QVERIFY2(!PictureFile::IsProgramPath(QString::fromLatin1(other)), other);
        }
    }

    void newPathTakesNextFreeSecond()
    {
        TestEnv::ScratchDir dir;
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        const QDateTime at(QDate(2010, 2, 1), QTime(9, 5, 3));
        QCOMPARE(PictureFile::NewPath(at), QStringLiteral("./data/dap20100201090503"));
        TestEnv::writeAll(QStringLiteral("./data/dap20100201090503"), "taken");
        TestEnv::writeAll(QStringLiteral("./data/dap20100201090504"), "taken");
        QCOMPARE(PictureFile::NewPath(at), QStringLiteral("./data/dap20100201090505"));
        // Across a minute boundary the stamp carries like a clock.
        TestEnv::writeAll(QStringLiteral("./data/dap20100201090559"), "taken");
        QCOMPARE(PictureFile::NewPath(at.addSecs(56)), QStringLiteral("./data/dap20100201090600"));
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "testpicturefile.moc"
