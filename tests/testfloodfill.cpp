// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/floodfill.h"

#include <QPainter>
#include <QtTest>

namespace {

// The fill as written in the book: one pixel at a time from a queue. Slow and plainly right.
QRect ReferenceFill(QImage* image, const QPoint& seed, const QColor& color)
{
    if (!image->rect().contains(seed)) {
        return QRect();
    }
    const QRgb target = image->pixel(seed);
    QImage probe(1, 1, QImage::Format_RGB16);
    probe.fill(color);
    const QRgb paint = probe.pixel(0, 0);
    if (target == paint) {
        return QRect();
    }
    QRect changed;
    QList<QPoint> queue{seed};
    image->setPixel(seed, paint);
    while (!queue.isEmpty()) {
        const QPoint p = queue.takeLast();
        changed |= QRect(p, QSize(1, 1));
        for (const QPoint& d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = p + d;
            if (image->rect().contains(n) && image->pixel(n) == target) {
                image->setPixel(n, paint);
                queue.append(n);
            }
        }
    }
    return changed;
}

QImage Shapes(const QByteArray& kind)
{
    QImage image(kind == "noise" ? QSize(61, 47) : QSize(80, 60), QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    if (kind == "ring") {
        painter.drawEllipse(QRect(10, 10, 50, 40));
    } else if (kind == "frame with a hole") {
        painter.fillRect(QRect(10, 10, 60, 40), Qt::black);
        painter.fillRect(QRect(30, 20, 20, 20), Qt::white);
    } else if (kind == "comb") {
        // Teeth that a fill must go down and come back up from.
        for (int x = 5; x < 80; x += 6) {
            painter.drawLine(x, x % 12 ? 0 : 8, x, x % 12 ? 50 : 59);
        }
    } else if (kind == "checkers" || kind == "noise") {
        painter.end();
        QRandomGenerator random(7);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (kind == "checkers" ? (x + y) % 2 : random.bounded(100) < 38) {
                    image.setPixel(x, y, qRgb(0, 0, 0));
                }
            }
        }
    } else if (kind == "edges") {
        painter.drawLine(0, 20, 79, 20);
        painter.drawLine(40, 0, 40, 59);
    }
    return image;
}

} // namespace

class TestFloodFill : public QObject
{
    Q_OBJECT

private slots:
    void matchesThePlainFill_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QPoint>("seed");
        QTest::addColumn<QColor>("color");
        const QColor blue(0, 0, 255);
        QTest::newRow("inside a ring") << QByteArray("ring") << QPoint(35, 30) << blue;
        QTest::newRow("around a ring") << QByteArray("ring") << QPoint(1, 1) << blue;
        QTest::newRow("the ring itself") << QByteArray("ring") << QPoint(35, 11) << blue;
        QTest::newRow("outside a frame, not into its hole")
            << QByteArray("frame with a hole") << QPoint(0, 0) << blue;
        QTest::newRow("the hole only") << QByteArray("frame with a hole") << QPoint(40, 30) << blue;
        QTest::newRow("down and up the teeth") << QByteArray("comb") << QPoint(2, 55) << blue;
        QTest::newRow("no leak across a corner") << QByteArray("checkers") << QPoint(10, 10) << blue;
        QTest::newRow("black to white") << QByteArray("checkers") << QPoint(11, 10) << QColor(Qt::white);
        QTest::newRow("noise") << QByteArray("noise") << QPoint(30, 23) << blue;
        QTest::newRow("noise, at the last pixel") << QByteArray("noise") << QPoint(60, 46) << blue;
        QTest::newRow("top-left quarter") << QByteArray("edges") << QPoint(0, 0) << blue;
        QTest::newRow("bottom-right quarter") << QByteArray("edges") << QPoint(79, 59) << blue;
        QTest::newRow("whole sheet") << QByteArray("blank") << QPoint(40, 30) << blue;
        QTest::newRow("already that colour") << QByteArray("blank") << QPoint(40, 30) << QColor(Qt::white);
        QTest::newRow("seed outside") << QByteArray("blank") << QPoint(80, 30) << blue;
    }
    void matchesThePlainFill()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QPoint, seed);
        QFETCH(QColor, color);
        QImage filled = Shapes(kind);
        QImage expected = filled.copy();
        const QRect expectedBox = ReferenceFill(&expected, seed, color);
        QCOMPARE(FloodFill::Fill(&filled, seed, color), expectedBox);
        QVERIFY(filled == expected);
    }

    void onlyTheSheetsFormat()
    {
        QImage other(10, 10, QImage::Format_RGB32);
        other.fill(Qt::white);
        QVERIFY(FloodFill::Fill(&other, QPoint(1, 1), Qt::blue).isEmpty());
        QCOMPARE(other.pixel(1, 1), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestFloodFill)
#include "testfloodfill.moc"
