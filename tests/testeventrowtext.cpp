#include "eventrowtext.h"

#include <QTest>

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
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("text");
    QTest::newRow("once") << 0 << 0 << 0 << 0 << 0 << "Once";
    QTest::newRow("one year") << 1 << 0 << 0 << 0 << 0 << "1  year";
    QTest::newRow("year wins over month") << 1 << 3 << 0 << 0 << 0 << "1  year";
    QTest::newRow("months") << 0 << 6 << 9 << 0 << 0 << "6  month";
    QTest::newRow("7 days is a week") << 0 << 0 << 7 << 0 << 0 << "1  week";
    QTest::newRow("14 days") << 0 << 0 << 14 << 0 << 0 << "2  week";
    QTest::newRow("10 days") << 0 << 0 << 10 << 0 << 0 << "10  day";
    QTest::newRow("one hour") << 0 << 0 << 0 << 1 << 30 << "1  hour";
    QTest::newRow("minutes") << 0 << 0 << 0 << 0 << 45 << "45  minute";
    // Negative counts come only from a damaged file; they never count as a period.
    QTest::newRow("negative year") << -1 << 0 << 0 << 0 << 5 << "5  minute";
    QTest::newRow("all negative") << -1 << -1 << -7 << -1 << -1 << "Once";
}

void TestEventRowText::periodText()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, text);
    AffairPeriod period;
    period.year = year;
    period.month = month;
    period.day = day;
    period.hour = hour;
    period.minute = minute;
    QCOMPARE(EventRowText::PeriodText(period), text);
}

void TestEventRowText::parseColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QColor>("color");
    QTest::newRow("blue") << "rgb(0,0,255)" << true << QColor(0, 0, 255);
    QTest::newRow("bare numbers") << "12,34,56" << true << QColor(12, 34, 56);
    QTest::newRow("spaces read as numbers") << "rgb(1, 2, 3)" << true << QColor(1, 2, 3);
    QTest::newRow("word part is 0") << "rgb(red,2,3)" << true << QColor(0, 2, 3);
    QTest::newRow("empty part is 0") << "rgb(,2,3)" << true << QColor(0, 2, 3);
    QTest::newRow("out of range clamped") << "rgb(300,-5,3)" << true << QColor(255, 0, 3);
    QTest::newRow("two parts") << "rgb(1,2)" << false << QColor();
    QTest::newRow("four parts") << "rgb(1,2,3,4)" << false << QColor();
    QTest::newRow("empty") << "" << false << QColor();
    QTest::newRow("name") << "blue" << false << QColor();
}

void TestEventRowText::parseColor()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QColor, color);
    QColor parsed;
    QCOMPARE(EventRowText::ParseColor(text, &parsed), ok);
    if (ok) {
        QCOMPARE(parsed, color);
        QCOMPARE(parsed.alpha(), 255);
    }
}

QTEST_MAIN(TestEventRowText)
#include "testeventrowtext.moc"
