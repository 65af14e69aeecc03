#include "clock.h"
#include "picturefile.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QtTest>

class TestPictureFile : public QObject
{
    Q_OBJECT

private:
    // Little-endian RGB16 word as the file stores it.
    static QByteArray word(quint16 w) { return QByteArray(1, char(w & 0xFF)) + char(w >> 8); }

    static QImage sample(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB16);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 256));
            }
        }
        return image;
    }

    static QByteArray compressedPayload(const QByteArray& payload) { return qCompress(payload, -1); }

private slots:
    void payloadLayout_data();
    void payloadLayout();
    void encodeIsLengthThenZlib();
    void roundTripBitForBit_data();
    void roundTripBitForBit();
    void otherScreenSizeIsScaled();
    void damagedFilesAreUnreadable_data();
    void damagedFilesAreUnreadable();
    void readAndWriteFiles();
    void programPath_data();
    void programPath();
    void newPathTakesNextFreeSecond();
};

void TestPictureFile::payloadLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("padding");
    QTest::newRow("even width") << 2 << QByteArray("2x2size") << 0;
    QTest::newRow("odd width pads 2 bytes") << 3 << QByteArray("3x2size") << 2;
}

void TestPictureFile::payloadLayout()
{
    QFETCH(int, width);
    QFETCH(QByteArray, header);
    QFETCH(int, padding);
    // Red, green, blue, white, black, a mixed 5-6-5 value.
    const quint16 words[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410};
    QImage image(width, 2, QImage::Format_RGB16);
    // Whatever lies in the line padding must not reach the file.
    std::memset(image.bits(), 0xAB, size_t(image.sizeInBytes()));
    QByteArray expected = header;
    int k = 0;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < width; ++x, ++k) {
            reinterpret_cast<quint16*>(image.scanLine(y))[x] = words[k % 6];
            expected += word(words[k % 6]);
        }
        expected += QByteArray(padding, '\0');
    }
    QCOMPARE(PictureFile::Payload(image), expected);
}

void TestPictureFile::encodeIsLengthThenZlib()
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

void TestPictureFile::roundTripBitForBit_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("320x240") << QSize(320, 240);
    QTest::newRow("odd 33x7") << QSize(33, 7);
    QTest::newRow("one pixel") << QSize(1, 1);
}

void TestPictureFile::roundTripBitForBit()
{
    QFETCH(QSize, size);
    const QImage image = sample(size.width(), size.height());
    const QByteArray file = PictureFile::Encode(image);
    QImage back;
    QVERIFY(PictureFile::Decode(file, size, &back));
    QCOMPARE(back.format(), QImage::Format_RGB16);
    QCOMPARE(back, image);
    QCOMPARE(PictureFile::Encode(back), file);
}

void TestPictureFile::otherScreenSizeIsScaled()
{
    const QImage wide = sample(40, 20);
    QImage back;
    QVERIFY(PictureFile::Decode(PictureFile::Encode(wide), QSize(16, 30), &back));
    QCOMPARE(back.size(), QSize(16, 30));
    QCOMPARE(back, wide.scaled(16, 30, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void TestPictureFile::damagedFilesAreUnreadable_data()
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
    QTest::newRow("no marker") << compressedPayload("6x4" + pixels);
    QTest::newRow("no x") << compressedPayload("64size" + pixels);
    QTest::newRow("zero width") << compressedPayload("0x4size" + pixels);
    QTest::newRow("zero height") << compressedPayload("6x0size" + pixels);
    QTest::newRow("negative width") << compressedPayload("-6x4size" + pixels);
    QTest::newRow("huge sides") << compressedPayload("99999x99999size" + pixels);
    QTest::newRow("three sides") << compressedPayload("6x4x2size" + pixels);
    QTest::newRow("short block") << compressedPayload("6x4size" + pixels.left(pixels.size() - 2));
    QTest::newRow("long block") << compressedPayload("6x4size" + pixels + "xx");
    QTest::newRow("block for a bigger image") << compressedPayload("6x4size" + pixels + pixels);
}

void TestPictureFile::damagedFilesAreUnreadable()
{
    QFETCH(QByteArray, file);
    QImage out(2, 2, QImage::Format_RGB16);
    out.fill(Qt::green);
    const QImage before = out;
    QVERIFY(!PictureFile::Decode(file, QSize(6, 4), &out));
    QCOMPARE(out, before);
}

void TestPictureFile::readAndWriteFiles()
{
    TestEnv::ScratchDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    const QImage image = sample(20, 10);
    QImage out;
    QCOMPARE(PictureFile::Read(QString(), QSize(20, 10), &out), -1);
    QCOMPARE(PictureFile::Read(QStringLiteral("./data/none"), QSize(20, 10), &out), -1);

    QCOMPARE(PictureFile::Write(QStringLiteral("./data/dap1"), image), 0);
    QCOMPARE(TestEnv::readAll(QStringLiteral("./data/dap1")), PictureFile::Encode(image));
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

void TestPictureFile::programPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ours");
    QTest::newRow("made by the editor") << "./data/dap20100201090503" << true;
    QTest::newRow("short stamp") << "./data/dap2010020109050" << false;
    QTest::newRow("other folder") << "./backup/dap20100201090503" << false;
    QTest::newRow("extension") << "./data/dap20100201090503.png" << false;
    QTest::newRow("empty") << "" << false;
}

void TestPictureFile::programPath()
{
    QFETCH(QString, path);
    QFETCH(bool, ours);
    QCOMPARE(PictureFile::IsProgramPath(path), ours);
}

void TestPictureFile::newPathTakesNextFreeSecond()
{
    TestEnv::ScratchDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    QCOMPARE(PictureFile::NewPath(Clock::now()), QStringLiteral("./data/dap20100201090503"));
    TestEnv::writeAll(QStringLiteral("./data/dap20100201090503"), "taken");
    TestEnv::writeAll(QStringLiteral("./data/dap20100201090504"), "taken");
    QCOMPARE(PictureFile::NewPath(Clock::now()), QStringLiteral("./data/dap20100201090505"));
    // Across a minute boundary the stamp carries like a clock.
    Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 59)));
    TestEnv::writeAll(QStringLiteral("./data/dap20100201090559"), "taken");
    QCOMPARE(PictureFile::NewPath(Clock::now()), QStringLiteral("./data/dap20100201090600"));
    Clock::reset();
}

QTEST_GUILESS_MAIN(TestPictureFile)
#include "testpicturefile.moc"
