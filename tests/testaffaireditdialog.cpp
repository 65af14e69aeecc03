// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "core/events/clock.h"
#include "core/effects/effectcodes.h"
#include "support/painttest.h"
#include "support/testenv.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimeEdit>
#include <QtTest>

using PaintTest::child;

namespace {

AffairInfo stored(const AffairPeriod& p, int type = 3, int direction = 0)
{
    AffairInfo affair;
    affair.SetInfo(QStringLiteral("2010-01-01T08:00:00"), QStringLiteral("Dentist"),
                   QDateTime(QDate(2010, 1, 5), QTime(8, 30, 15)), p.year, p.month, p.day, p.hour, p.minute);
    // As loaded from the event file: the codes are text.
    affair.SetEffect({QString::number(type), QString::number(direction)});
    return affair;
}

// Runs the dialog modally and presses one of its buttons, as the editor's "Set Event" does.
int runAndPress(AffairEditDialog& dialog, QDialogButtonBox::StandardButton which)
{
    QTimer::singleShot(0, &dialog, [&dialog, which] {
        QTRY_VERIFY(dialog.isVisible());
        QTest::mouseClick(child<QDialogButtonBox>(&dialog, "buttonBox")->button(which), Qt::LeftButton);
    });
    return dialog.exec();
}

} // namespace

class TestAffairEditDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("UTC");
        Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    }
    void cleanupTestCase() { Clock::reset(); }

    void rowsAndCodesBothWays()
    {
        AffairEditDialog dialog;
        QListWidget* list = child<QListWidget>(&dialog, "EffectList");
        QCOMPARE(list->count(), 19);
        for (int row = -1; row < 19; ++row) {
            // No current row stores Bounce.
            const int type = row < 0 ? 3 : EffectCodes::Type(row);
            const int direction = row < 0 ? 0 : EffectCodes::Direction(row);
            dialog.SetAffair(AffairInfo());
            list->setCurrentRow(row);
            QCOMPARE(list->currentItem() ? list->currentItem()->text() : QString(), EffectCodes::Text(row));
            QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
            QCOMPARE(dialog.GetAffair().GetEffect(), (QVariantList{type, direction}));
            QCOMPARE(dialog.GetAffair().GetEffect().at(0).typeId(), QMetaType::Int);
            dialog.SetAffair(stored(AffairPeriod{}, type, direction));
            QCOMPARE(list->currentRow(), qMax(row, 0));
        }
        // Codes without a row show Bounce.
        for (const QPoint& code : {QPoint(2, 5), QPoint(0, 8), QPoint(4, 0), QPoint(1, -1)}) {
            dialog.SetAffair(stored(AffairPeriod{}, code.x(), code.y()));
            QCOMPARE(list->currentRow(), 0);
        }
    }

    void periodShown_data()
    {
        QTest::addColumn<AffairPeriod>("period");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("count");
        auto p = [](int y, int mo, int d, int h, int mi) { return AffairPeriod{y, mo, d, h, mi}; };
        QTest::newRow("14 days are 2 weeks") << p(0, 0, 14, 0, 0) << "Weekly" << 2;
        QTest::newRow("10 days") << p(0, 0, 10, 0, 0) << "Daily" << 10;
        QTest::newRow("7 x 99999 days") << p(0, 0, 699993, 0, 0) << "Weekly" << 99999;
        QTest::newRow("3 months") << p(0, 3, 0, 0, 0) << "Monthly" << 3;
        QTest::newRow("year wins over day") << p(2, 0, 5, 0, 0) << "Yearly" << 2;
        QTest::newRow("hours") << p(0, 0, 0, 36, 0) << "Hourly" << 36;
        QTest::newRow("minutes") << p(0, 0, 0, 0, 45) << "Minute" << 45;
        QTest::newRow("once") << p(0, 0, 0, 0, 0) << "OnlyOnce" << 1;
    }

    void periodShown()
    {
        QFETCH(AffairPeriod, period);
        QFETCH(QString, kind);
        QFETCH(int, count);
        AffairEditDialog dialog;
        dialog.SetAffair(stored(period));
        QVERIFY(dialog.findChild<QRadioButton*>(kind)->isChecked());
        QSpinBox* perNum = child<QSpinBox>(&dialog, "PerNum");
        QCOMPARE(perNum->value(), count);
        QCOMPARE(perNum->isEnabled(), kind != QLatin1String("OnlyOnce"));
        QCOMPARE(child<QTextEdit>(&dialog, "AFTitle")->toPlainText(), QStringLiteral("Dentist"));
        QCOMPARE(child<QDateEdit>(&dialog, "AFDateEdit")->date(), QDate(2010, 1, 5));
        QCOMPARE(child<QTimeEdit>(&dialog, "AFTimeEdit")->time(), QTime(8, 30, 15));
        // Confirmed as shown, only the shown unit is kept.
        QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        const AffairPeriod back = dialog.GetAffair().GetPeriod();
        const int kept = back.year + back.month + back.day + back.hour + back.minute;
        QCOMPARE(kept, kind == QLatin1String("Weekly")     ? 7 * count
                       : kind == QLatin1String("OnlyOnce") ? 0
                                                           : count);
        QCOMPARE(dialog.GetAffair().GetAffairID(), QStringLiteral("2010-01-01T08:00:00"));
    }

    void periodStored_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<AffairPeriod>("expected");
        QTest::newRow("3 weeks") << "Weekly" << 3 << AffairPeriod{0, 0, 21, 0, 0};
        QTest::newRow("once ignores PerNum") << "OnlyOnce" << 5 << AffairPeriod{};
        QTest::newRow("2 years") << "Yearly" << 2 << AffairPeriod{2, 0, 0, 0, 0};
        QTest::newRow("99999 minutes") << "Minute" << 99999 << AffairPeriod{0, 0, 0, 0, 99999};
    }

    void periodStored()
    {
        QFETCH(QString, kind);
        QFETCH(int, count);
        QFETCH(AffairPeriod, expected);
        AffairEditDialog dialog;
        dialog.SetAffair(stored(AffairPeriod{0, 0, 1, 0, 0}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QRadioButton*>(kind), Qt::LeftButton);
        QSpinBox* perNum = child<QSpinBox>(&dialog, "PerNum");
        QCOMPARE(perNum->isEnabled(), kind != QLatin1String("OnlyOnce"));
        perNum->setValue(count);
        QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        QCOMPARE(dialog.GetAffair().GetPeriod(), expected);
    }

    void newEventConfirmedUnchanged()
    {
        AffairEditDialog dialog;
        Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
        dialog.SetAffair(AffairInfo());
        Clock::advance(4); // the user takes a few seconds
        QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        const AffairInfo affair = dialog.GetAffair();
        QCOMPARE(affair.GetAffairID(), QStringLiteral("2010-02-01T09:05:07"));
        QCOMPARE(affair.GetUserDateTime(), QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
        QCOMPARE(affair.GetPeriod(), AffairPeriod{});
        QCOMPARE(affair.GetEffect(), (QVariantList{3, 0}));
        QVERIFY(affair.GetPicPath().isEmpty());
    }

    void doubleClickAsksForPreview()
    {
        AffairEditDialog dialog;
        dialog.SetAffair(AffairInfo());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy previews(&dialog, &AffairEditDialog::startprev);
        QListWidget* list = child<QListWidget>(&dialog, "EffectList");
        const QPoint at = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(previews.count(), 1);
        QCOMPARE(previews.at(0), (QVariantList{2, 1}));
        QVERIFY(dialog.isVisible());
    }

    void cancelLeavesRecord()
    {
        AffairEditDialog dialog;
        const AffairInfo original = stored(AffairPeriod{0, 0, 14, 0, 0}, 1, 7);
        dialog.SetAffair(original);
        child<QTextEdit>(&dialog, "AFTitle")->setPlainText(QStringLiteral("Changed"));
        child<QRadioButton>(&dialog, "Yearly")->setChecked(true);
        child<QListWidget>(&dialog, "EffectList")->setCurrentRow(0);
        QCOMPARE(runAndPress(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
        const AffairInfo after = dialog.GetAffair();
        QCOMPARE(after.GetAffairTitle(), QStringLiteral("Dentist"));
        QCOMPARE(after.GetPeriod(), original.GetPeriod());
        QCOMPARE(after.GetEffect(), original.GetEffect());
    }
};

QTEST_MAIN(TestAffairEditDialog)
#include "testaffaireditdialog.moc"
