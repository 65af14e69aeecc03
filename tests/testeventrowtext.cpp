// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventrowtext.h"

#include <QTest>

Q_DECLARE_METATYPE(AffairPeriod)

class TestEventRowText : public QObject
{
    Q_OBJECT

private slots:
    void periodText_data();
    void periodText();
    void parseColor_data();
    void parseColor();
};

void TestEventRowText::periodText_data()
{
    QTest::addColumn<AffairPeriod>("period"); // year, month, day, hour, minute
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, AffairPeriod period, const char* text) {
        QTest::newRow(name) << period << QString::fromLatin1(text);
    };
    row("once", {0, 0, 0, 0, 0}, "Once");
    row("year wins over month", {1, 3, 0, 0, 0}, "1  year");
    row("months", {0, 6, 9, 0, 0}, "6  month");
    row("7 days is a week", {0, 0, 7, 0, 0}, "1  week");
    row("14 days", {0, 0, 14, 0, 0}, "2  week");
    row("10 days", {0, 0, 10, 0, 0}, "10  day");
    row("one hour", {0, 0, 0, 1, 30}, "1  hour");
    row("minutes", {0, 0, 0, 0, 45}, "45  minute");
    // Negative counts come only from a damaged file; they never count as a period.
    row("negative year", {-1, 0, 0, 0, 5}, "5  minute");
    row("all negative", {-1, -1, -7, -1, -1}, "Once");
}

void TestEventRowText::periodText()
{
    QFETCH(AffairPeriod, period);
    QFETCH(QString, text);
    QCOMPARE(EventRowText::PeriodText(period), text);
}

void TestEventRowText::parseColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color"); // invalid: not parsed
    const auto row = [](const char* name, const char* text, QColor color) {
        QTest::newRow(name) << QString::fromLatin1(text) << color;
    };
    row("blue", "rgb(0,0,255)", QColor(0, 0, 255));
    row("bare numbers", "12,34,56", QColor(12, 34, 56));
    row("spaces read as numbers", "rgb(1, 2, 3)", QColor(1, 2, 3));
    row("word or empty part is 0", "rgb(red,,3)", QColor(0, 0, 3));
    row("out of range clamped", "rgb(300,-5,3)", QColor(255, 0, 3));
    row("two parts", "rgb(1,2)", QColor());
    row("four parts", "rgb(1,2,3,4)", QColor());
    row("empty", "", QColor());
    row("name", "blue", QColor());
}

void TestEventRowText::parseColor()
{
    QFETCH(QString, text);
    QFETCH(QColor, color);
    QColor parsed;
    QCOMPARE(EventRowText::ParseColor(text, &parsed), color.isValid());
    if (color.isValid()) {
        QCOMPARE(parsed, color);
    }
}

QTEST_MAIN(TestEventRowText)
#include "testeventrowtext.moc"
