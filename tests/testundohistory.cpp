// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/undohistory.h"

#include <QPainter>
#include <QtTest>

namespace {

// Step `letter` of a history: a stroke of its own colour and place, overlapping its neighbours.
void Draw(QImage* image, char letter)
{
    const int k = letter - 'a';
    QPainter painter(image);
    painter.setPen(QPen(QColor::fromHsv((k * 47) % 360, 255, 200), 3 + k % 4));
    painter.drawLine(QPoint(k * 5 % image->width(), 0),
                     QPoint(image->width() - 1, (k * 7 + 10) % image->height()));
    painter.drawEllipse(QRect(k * 3, k * 2, 20, 12));
}

QImage Sheet(const QSize& size)
{
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    return image;
}

} // namespace

class TestUndoHistory : public QObject
{
    Q_OBJECT

private slots:
    // Letters draw a step, u undoes, r redoes. A plain list of whole images, which is what the
    // history stands in for, says what the sheet must show after every command.
    void histories_data()
    {
        QTest::addColumn<QByteArray>("commands");
        QTest::newRow("one step undone and redone") << QByteArray("aurur");
        QTest::newRow("all undone, all redone") << QByteArray("abcuuurrr");
        QTest::newRow("undo past the start, redo past the end") << QByteArray("abuuuurrrr");
        QTest::newRow("new step drops the redo steps") << QByteArray("abcuudrrr");
        QTest::newRow("undo after redo") << QByteArray("abuurruu");
        QTest::newRow("same step twice, the second changes nothing") << QByteArray("aaur");
        QTest::newRow("long session") << QByteArray("abcdefghuuuijkuruuuulmnrrr");
    }
    void histories()
    {
        QFETCH(QByteArray, commands);
        QImage sheet = Sheet(QSize(97, 61)); // odd: lines carry padding
        UndoHistory history;
        QList<QImage> states{sheet.copy()};
        int at = 0;
        for (const char command : commands) {
            if (command == 'u') {
                QCOMPARE(history.Undo(&sheet).isEmpty(), at == 0);
                at = qMax(0, at - 1);
            } else if (command == 'r') {
                QCOMPARE(history.Redo(&sheet).isEmpty(), at == states.size() - 1);
                at = qMin(int(states.size()) - 1, at + 1);
            } else {
                const QImage before = sheet.copy();
                Draw(&sheet, command);
                const bool changed = sheet != before;
                QCOMPARE(history.Record(before, sheet), changed);
                if (changed) {
                    states.resize(at + 1);
                    states.append(sheet.copy());
                    ++at;
                }
            }
            QVERIFY2(sheet == states.at(at), &command);
            QCOMPARE(history.UndoCount(), at);
            QCOMPARE(history.RedoCount(), int(states.size()) - 1 - at);
        }
    }

    // Too many steps, or too many bytes: the oldest go, the newest stays, and what is left
    // still undoes to the right picture.
    void bounds()
    {
        QImage sheet = Sheet(QSize(200, 120));
        UndoHistory fewSteps(3);
        QList<QImage> states{sheet.copy()};
        for (char c = 'a'; c <= 'f'; ++c) {
            const QImage before = sheet.copy();
            Draw(&sheet, c);
            fewSteps.Record(before, sheet);
            states.append(sheet.copy());
        }
        QCOMPARE(fewSteps.UndoCount(), 3);
        while (fewSteps.CanUndo()) {
            fewSteps.Undo(&sheet);
        }
        QVERIFY(sheet == states.at(3));

        UndoHistory fewBytes(100, 40 * 1024);
        QImage noise(sheet.size(), QImage::Format_RGB16);
        for (int i = 0; i < 5; ++i) {
            QRandomGenerator(i).fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.sizeInBytes() / 4);
            fewBytes.Record(sheet, noise);
            sheet = noise.copy();
            QVERIFY(fewBytes.UndoCount() >= 1 &&
                    (fewBytes.Bytes() <= 40 * 1024 || fewBytes.UndoCount() == 1));
        }
        QVERIFY(fewBytes.UndoCount() < 5);
    }

    // The price of a step is what it changed: long thin strokes across a full-HD sheet keep
    // every one of the last 100 steps in a few megabytes.
    void strokesAcrossTheSheet()
    {
        QImage sheet = Sheet(QSize(1920, 1080));
        UndoHistory history;
        for (int i = 0; i < 150; ++i) {
            const QImage before = sheet;
            QPainter painter(&sheet);
            painter.setPen(QPen(QColor::fromHsv(i * 7 % 360, 255, 200), 5));
            painter.drawLine(QPoint(i * 13 % 1920, 0), QPoint(1919 - i * 11 % 1920, 1079));
            painter.end();
            QVERIFY(history.Record(before, sheet));
        }
        QCOMPARE(history.UndoCount(), UndoHistory::DefaultSteps);
        QVERIFY2(history.Bytes() < 8 << 20, QByteArray::number(history.Bytes()));
    }

    // A history kept for one sheet never writes into another.
    void otherSheetDropsHistory()
    {
        QImage sheet = Sheet(QSize(50, 40));
        UndoHistory history;
        const QImage before = sheet.copy();
        Draw(&sheet, 'a');
        QVERIFY(history.Record(before, sheet));
        QImage other = Sheet(QSize(40, 50));
        QVERIFY(history.Undo(&other).isEmpty() && !history.CanUndo() && !history.CanRedo());
        QVERIFY(other == Sheet(QSize(40, 50)));
    }
};

QTEST_MAIN(TestUndoHistory)
#include "testundohistory.moc"
