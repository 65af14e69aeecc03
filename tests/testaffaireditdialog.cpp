// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "gui/main/eventrowtext.h"
#include "support/widgettest.h"

#include <QDateEdit>

using namespace WidgetTest;

Q_DECLARE_METATYPE(AffairPeriod)

const QDateTime Now(QDate(2010, 1, 1), QTime(9, 5, 3));

class TestAffairEditDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("UTC"); }
    void init() { MockClock::set(Now); }
    void cleanupTestCase() { MockClock::reset(); }

    // The table's text and the dialog's unit follow one rule: the largest unit that holds.
    // Negative counts come only from a damaged file; they never count as a period.
    void period_data()
    {
        QTest::addColumn<AffairPeriod>("period"); // year, month, day, hour, minute
        QTest::addColumn<QString>("text");
        QTest::addColumn<AffairPeriod>("kept"); // through the dialog and OK
        QTest::newRow("once") << AffairPeriod{0, 0, 0, 0, 0} << "Once" << AffairPeriod{};
        QTest::newRow("year wins") << AffairPeriod{1, 3, 0, 0, 0} << "1  year" << AffairPeriod{1, 0, 0, 0, 0};
        QTest::newRow("months") << AffairPeriod{0, 6, 9, 0, 0} << "6  month" << AffairPeriod{0, 6, 0, 0, 0};
        QTest::newRow("14 days") << AffairPeriod{0, 0, 14, 0, 0} << "2  week" << AffairPeriod{0, 0, 14, 0, 0};
        QTest::newRow("10 days") << AffairPeriod{0, 0, 10, 0, 0} << "10  day" << AffairPeriod{0, 0, 10, 0, 0};
        QTest::newRow("hour wins") << AffairPeriod{0, 0, 0, 1, 30} << "1  hour"
                                   << AffairPeriod{0, 0, 0, 1, 0};
        QTest::newRow("all negative") << AffairPeriod{-1, -1, -7, -1, -1} << "Once" << AffairPeriod{};
    }
    void period()
    {
        QFETCH(AffairPeriod, period);
        QFETCH(QString, text);
        QFETCH(AffairPeriod, kept);
        QCOMPARE(EventRowText::PeriodText(period), text);
        AffairInfo stored;
        stored.SetInfo(QStringLiteral("2009-12-01T08:00:00"), QStringLiteral("Dentist"), Now.addDays(4),
                       period.year, period.month, period.day, period.hour, period.minute);
        stored.SetEffect({EffectChoice::Spread, EffectChoice::RightDown});
        AffairEditDialog dialog;
        dialog.SetAffair(stored);
        QCOMPARE(Exec(dialog, [](QWidget* d) { ClickBox(d, QDialogButtonBox::Ok); }), int(QDialog::Accepted));
        QCOMPARE(dialog.GetAffair().GetPeriod(), kept);
        QVERIFY(dialog.GetAffair().GetEffect() == stored.GetEffect());
        QCOMPARE(dialog.GetAffair().GetUserDateTime(), Now.addDays(4));
    }

    // A new event confirmed at once would never be shown: asked first; No goes back to the form.
    void passedMomentAsked_data()
    {
        QTest::addColumn<int>("days"); // from today
        QTest::addColumn<int>("answer");
        QTest::newRow("tomorrow, not asked") << 1 << 0;
        QTest::newRow("passed, No") << 0 << int(QMessageBox::No);
        QTest::newRow("passed, Yes") << 0 << int(QMessageBox::Yes);
    }
    void passedMomentAsked()
    {
        QFETCH(int, days);
        QFETCH(int, answer);
        AffairEditDialog dialog;
        dialog.SetAffair(AffairInfo());
        Child<QDateEdit>(&dialog, "AFDateEdit")->setDate(Now.date().addDays(days));
        MockClock::advance(4); // the user takes a few seconds
        QString asked;
        const int result = Exec(dialog, [&](QWidget* d) {
            if (answer) {
                AnswerBox(QMessageBox::StandardButton(answer), &asked);
            }
            ClickBox(d, QDialogButtonBox::Ok);
            if (d->isVisible()) {
                ClickBox(d, QDialogButtonBox::Cancel);
            }
        });
        QCOMPARE(result, int(answer == QMessageBox::No ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(asked.isEmpty(), !answer);
        if (result == QDialog::Accepted) {
            QCOMPARE(dialog.GetAffair().GetAffairID(), QStringLiteral("2010-01-01T09:05:07"));
            QCOMPARE(dialog.GetAffair().IsActive(), days > 0);
            QVERIFY(dialog.GetAffair().GetEffect() == EffectChoice()); // the one default
        }
    }
};

QTEST_MAIN(TestAffairEditDialog)
#include "testaffaireditdialog.moc"
