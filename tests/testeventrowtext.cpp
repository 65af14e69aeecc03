// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventrowtext.h"

#include <QTest>

Q_DECLARE_METATYPE(AffairPeriod)

class TestEventRowText : public QObject
{
    Q_OBJECT

private slots:
    // The table's text; the editor dialog picks its unit by the same rule.
    void periodText_data()
    {
        QTest::addColumn<AffairPeriod>("period"); // year, month, day, hour, minute
        QTest::addColumn<QString>("text");
        QTest::newRow("once") << AffairPeriod{0, 0, 0, 0, 0} << "Once";
        QTest::newRow("year wins over month") << AffairPeriod{1, 3, 0, 0, 0} << "1  year";
        QTest::newRow("months") << AffairPeriod{0, 6, 9, 0, 0} << "6  month";
        QTest::newRow("14 days are weeks") << AffairPeriod{0, 0, 14, 0, 0} << "2  week";
        QTest::newRow("10 days") << AffairPeriod{0, 0, 10, 0, 0} << "10  day";
        QTest::newRow("hour wins over minutes") << AffairPeriod{0, 0, 0, 1, 30} << "1  hour";
        QTest::newRow("minutes") << AffairPeriod{0, 0, 0, 0, 45} << "45  minute";
        // Negative counts come only from a damaged file; they never count as a period.
        QTest::newRow("negative year") << AffairPeriod{-1, 0, 0, 0, 5} << "5  minute";
        QTest::newRow("all negative") << AffairPeriod{-1, -1, -7, -1, -1} << "Once";
    }
    void periodText()
    {
        QFETCH(AffairPeriod, period);
        QFETCH(QString, text);
        QCOMPARE(EventRowText::PeriodText(period), text);
        // What the editor dialog makes of the unit and count it shows reads the same.
        QCOMPARE(EventRowText::PeriodText(AffairPeriod::Of(period.MainUnit(), period.UnitCount())), text);
    }

    void parseColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color"); // invalid: not parsed
        QTest::newRow("blue") << "rgb(0,0,255)" << QColor(0, 0, 255);
        QTest::newRow("word or empty part is 0") << "rgb(red,,3)" << QColor(0, 0, 3);
        QTest::newRow("out of range clamped") << "rgb(300,-5,3)" << QColor(255, 0, 3);
        QTest::newRow("two parts") << "rgb(1,2)" << QColor();
        QTest::newRow("four parts") << "rgb(1,2,3,4)" << QColor();
        QTest::newRow("name") << "blue" << QColor();
    }
    void parseColor()
    {
        QFETCH(QString, text);
        QFETCH(QColor, color);
        QColor parsed;
        QCOMPARE(EventRowText::ParseColor(text, &parsed), color.isValid());
        QCOMPARE(parsed, color);
    }
};

QTEST_MAIN(TestEventRowText)
#include "testeventrowtext.moc"
