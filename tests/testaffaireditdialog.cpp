// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "support/widgettest.h"

#include <QDateEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>

using namespace WidgetTest;

namespace {

const QDateTime Now(QDate(2010, 1, 1), QTime(9, 5, 3));

// Runs the dialog as "Set Event" does; `act` works it and presses its buttons.
template <typename F> int Run(AffairEditDialog& dialog, F act)
{
    WhenModal<AffairEditDialog>([act](AffairEditDialog* shown) { act(shown); });
    return dialog.exec();
}

} // namespace

class TestAffairEditDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnv::setTimeZone("UTC"); }
    void init() { Clock::setMock(Now); }
    void cleanupTestCase() { Clock::reset(); }

    // A stored event is shown in the largest unit that holds, and confirmed as shown.
    void shownAndConfirmed_data()
    {
        QTest::addColumn<AffairPeriod>("period");
        QTest::addColumn<QPoint>("codes"); // type, direction
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::addColumn<AffairPeriod>("kept");
        QTest::addColumn<QPoint>("keptCodes");
        QTest::newRow("14 days are 2 weeks") << AffairPeriod{0, 0, 14, 0, 0} << QPoint(1, 7) << "Weekly" << 2
                                             << 18 << AffairPeriod{0, 0, 14, 0, 0} << QPoint(1, 7);
        QTest::newRow("year wins, unknown codes") << AffairPeriod{2, 0, 5, 0, 0} << QPoint(2, 5) << "Yearly"
                                                  << 2 << 0 << AffairPeriod{2, 0, 0, 0, 0} << QPoint(3, 0);
        QTest::newRow("10 days") << AffairPeriod{0, 0, 10, 0, 0} << QPoint(2, 1) << "Daily" << 10 << 2
                                 << AffairPeriod{0, 0, 10, 0, 0} << QPoint(2, 1);
        QTest::newRow("once") << AffairPeriod{} << QPoint(0, 4) << "OnlyOnce" << 1 << 7 << AffairPeriod{}
                              << QPoint(0, 4);
    }

    void shownAndConfirmed()
    {
        QFETCH(AffairPeriod, period);
        QFETCH(QPoint, codes);
        QFETCH(QString, kind);
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(AffairPeriod, kept);
        QFETCH(QPoint, keptCodes);
        AffairInfo stored;
        stored.SetInfo(QStringLiteral("2009-12-01T08:00:00"), QStringLiteral("Dentist"), Now.addDays(4),
                       period.year, period.month, period.day, period.hour, period.minute);
        stored.SetEffect({QString::number(codes.x()), QString::number(codes.y())}); // text, as loaded
        AffairEditDialog dialog;
        dialog.SetAffair(stored);
        QVERIFY(dialog.findChild<QRadioButton*>(kind)->isChecked());
        QCOMPARE(Child<QSpinBox>(&dialog, "PerNum")->value(), count);
        QCOMPARE(Child<QSpinBox>(&dialog, "PerNum")->isEnabled(), kind != QLatin1String("OnlyOnce"));
        QCOMPARE(Child<QListWidget>(&dialog, "EffectList")->currentRow(), row);
        QCOMPARE(Run(dialog, [](QWidget* d) { ClickBox(d, QDialogButtonBox::Ok); }), int(QDialog::Accepted));
        QCOMPARE(dialog.GetAffair().GetPeriod(), kept);
        QCOMPARE(dialog.GetAffair().GetEffect(), (QVariantList{keptCodes.x(), keptCodes.y()}));
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
        Clock::advance(4); // the user takes a few seconds
        QString asked;
        const int result = Run(dialog, [&](QWidget* d) {
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
            QCOMPARE(dialog.GetAffair().GetUserDateTime(), Now.addDays(days));
            QCOMPARE(dialog.GetAffair().IsActive(), days > 0);
        }
    }
};

QTEST_MAIN(TestAffairEditDialog)
#include "testaffaireditdialog.moc"
