#include "affaireditdialog.h"
#include "clock.h"
#include "effectcodes.h"
#include "testenv.h"

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

class TestAffairEditDialog : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T* child(QWidget* dialog, const char* name)
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

    static AffairInfo stored(const AffairPeriod& p, int type = 3, int direction = 0)
    {
        AffairInfo affair;
        affair.SetInfo(QStringLiteral("2010-01-01T08:00:00"), QStringLiteral("Dentist"),
                       QDateTime(QDate(2010, 1, 5), QTime(8, 30, 15)), p.year, p.month, p.day, p.hour,
                       p.minute);
        // As loaded from the event file: the codes are text.
        affair.SetEffect({QString::number(type), QString::number(direction)});
        return affair;
    }

    // Runs the dialog modally and presses one of its buttons, as the editor's "Set Event" does.
    static int runAndPress(AffairEditDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        QTimer::singleShot(0, &dialog, [&dialog, which] {
            QTRY_VERIFY(dialog.isVisible());
            QTest::mouseClick(child<QDialogButtonBox>(&dialog, "buttonBox")->button(which), Qt::LeftButton);
        });
        return dialog.exec();
    }

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("UTC");
        Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    }
    void cleanupTestCase() { Clock::reset(); }

    void formAsDesigned();
    void rowsMapToCodes_data();
    void rowsMapToCodes();
    void codesMapToRows_data();
    void codesMapToRows();
    void periodShown_data();
    void periodShown();
    void periodStored_data();
    void periodStored();
    void newEventConfirmedUnchanged();
    void doubleClickAsksForPreview();
    void cancelLeavesRecord();
};

void TestAffairEditDialog::formAsDesigned()
{
    AffairEditDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Event Information"));
    QCOMPARE(dialog.minimumSize(), QSize(407, 498));
    QCOMPARE(dialog.maximumSize(), QSize(407, 498));
    QVERIFY(child<QDateEdit>(&dialog, "AFDateEdit")->calendarPopup());
    QCOMPARE(child<QSpinBox>(&dialog, "PerNum")->minimum(), 1);
    QCOMPARE(child<QSpinBox>(&dialog, "PerNum")->maximum(), 99999);
    QCOMPARE(child<QListWidget>(&dialog, "EffectList")->count(), EffectCodes::RowCount);
    QCOMPARE(child<QListWidget>(&dialog, "EffectList")->item(18)->text(),
             QStringLiteral("Spread Right-Down"));
    QCOMPARE(child<QDateEdit>(&dialog, "AFDateEdit")->date(), QDate(2010, 2, 1));
}

void TestAffairEditDialog::rowsMapToCodes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("direction");
    const char* names[] = {"Bounce",          "Blinds Horizontal", "Blinds Vertical",  "Push Up",
                           "Push Down",       "Push Left",         "Push Right",       "Push Left-Up",
                           "Push Right-Up",   "Push Left-Down",    "Push Right-Down",  "Spread Up",
                           "Spread Down",     "Spread Left",       "Spread Right",     "Spread Left-Up",
                           "Spread Right-Up", "Spread Left-Down",  "Spread Right-Down"};
    const int types[] = {3, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
    const int directions[] = {0, 0, 1, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7};
    for (int row = 0; row < 19; ++row) {
        QTest::newRow(names[row]) << row << types[row] << directions[row];
    }
    QTest::newRow("no current row") << -1 << 3 << 0;
}

void TestAffairEditDialog::rowsMapToCodes()
{
    QFETCH(int, row);
    QFETCH(int, type);
    QFETCH(int, direction);
    AffairEditDialog dialog;
    dialog.SetAffair(AffairInfo());
    child<QListWidget>(&dialog, "EffectList")->setCurrentRow(row);
    QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
    QCOMPARE(dialog.GetAffair().GetEffect(), (QVariantList{type, direction}));
    QCOMPARE(dialog.GetAffair().GetEffect().at(0).typeId(), QMetaType::Int);
    if (row >= 0) {
        QCOMPARE(EffectCodes::Row(type, direction), row);
    }
}

void TestAffairEditDialog::codesMapToRows_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("row");
    QTest::newRow("spread right-down") << 1 << 7 << 18;
    QTest::newRow("push up") << 0 << 0 << 3;
    QTest::newRow("blinds vertical") << 2 << 1 << 2;
    QTest::newRow("blinds with no such direction") << 2 << 5 << 0;
    QTest::newRow("push with no such direction") << 0 << 8 << 0;
    QTest::newRow("unknown effect") << 4 << 0 << 0;
    QTest::newRow("negative direction") << 1 << -1 << 0;
}

void TestAffairEditDialog::codesMapToRows()
{
    QFETCH(int, type);
    QFETCH(int, direction);
    QFETCH(int, row);
    AffairEditDialog dialog;
    dialog.SetAffair(stored(AffairPeriod{}, type, direction));
    QCOMPARE(child<QListWidget>(&dialog, "EffectList")->currentRow(), row);
}

void TestAffairEditDialog::periodShown_data()
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

void TestAffairEditDialog::periodShown()
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

void TestAffairEditDialog::periodStored_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<AffairPeriod>("expected");
    QTest::newRow("3 weeks") << "Weekly" << 3 << AffairPeriod{0, 0, 21, 0, 0};
    QTest::newRow("once ignores PerNum") << "OnlyOnce" << 5 << AffairPeriod{};
    QTest::newRow("2 years") << "Yearly" << 2 << AffairPeriod{2, 0, 0, 0, 0};
    QTest::newRow("12 hours") << "Hourly" << 12 << AffairPeriod{0, 0, 0, 12, 0};
    QTest::newRow("99999 minutes") << "Minute" << 99999 << AffairPeriod{0, 0, 0, 0, 99999};
}

void TestAffairEditDialog::periodStored()
{
    QFETCH(QString, kind);
    QFETCH(int, count);
    QFETCH(AffairPeriod, expected);
    AffairEditDialog dialog;
    dialog.SetAffair(stored(AffairPeriod{0, 0, 1, 0, 0}));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QRadioButton* button = dialog.findChild<QRadioButton*>(kind);
    QTest::mouseClick(button, Qt::LeftButton);
    QSpinBox* perNum = child<QSpinBox>(&dialog, "PerNum");
    QCOMPARE(perNum->isEnabled(), kind != QLatin1String("OnlyOnce"));
    perNum->setValue(count);
    QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
    QCOMPARE(dialog.GetAffair().GetPeriod(), expected);
}

void TestAffairEditDialog::newEventConfirmedUnchanged()
{
    AffairEditDialog dialog;
    Clock::setMock(QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    dialog.SetAffair(AffairInfo());
    QVERIFY(child<QRadioButton>(&dialog, "OnlyOnce")->isChecked());
    QVERIFY(!child<QSpinBox>(&dialog, "PerNum")->isEnabled());
    Clock::advance(4); // the user takes a few seconds
    QCOMPARE(runAndPress(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
    const AffairInfo affair = dialog.GetAffair();
    QCOMPARE(affair.GetAffairID(), QStringLiteral("2010-02-01T09:05:07"));
    QCOMPARE(affair.GetUserDateTime(), QDateTime(QDate(2010, 2, 1), QTime(9, 5, 3)));
    QCOMPARE(affair.GetAffairTitle(), QString());
    QCOMPARE(affair.GetPeriod(), AffairPeriod{});
    QCOMPARE(affair.GetEffect(), (QVariantList{3, 0}));
    QVERIFY(!affair.IsActive());
    QVERIFY(affair.GetPicPath().isEmpty());
}

void TestAffairEditDialog::doubleClickAsksForPreview()
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

void TestAffairEditDialog::cancelLeavesRecord()
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

QTEST_MAIN(TestAffairEditDialog)
#include "testaffaireditdialog.moc"
