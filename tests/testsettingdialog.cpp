// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/options/settingdialog.h"
#include "support/widgettest.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileInfo>

using namespace WidgetTest;

class TestSettingDialog : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void failedSaveIsReported();
};

void TestSettingDialog::roundTrip_data()
{
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::newRow("OK") << QDialogButtonBox::Ok;
    QTest::newRow("Cancel") << QDialogButtonBox::Cancel;
}

void TestSettingDialog::roundTrip()
{
    QFETCH(QDialogButtonBox::StandardButton, button);
    Sandbox box;
    ESettings stored;
    stored.SetMinStart(true);
    stored.SetEffectiveColor(QStringLiteral("rgb(1,2,3)"));
    QVERIFY(stored.SaveOptions());
    const QByteArray before = TestEnv::readAll(ESettings::DefaultPath());
    MainWindow window;
    window.InitWindow();
    QString style;
    WhenModal<SettingDialog>([&](SettingDialog* dialog) {
        // The form shows what is stored, the defaults elsewhere.
        QVERIFY(Child<QCheckBox>(dialog, "check_minstart")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "check_autostart")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "check_delreminder")->isChecked());
        QCOMPARE(Child<QPushButton>(dialog, "button_eff")->styleSheet(),
                 QStringLiteral("background-color: rgb(1,2,3);"));
        Child<QCheckBox>(dialog, "check_autostart")->setChecked(true);
        Child<QCheckBox>(dialog, "check_delreminder")->setChecked(false);
        WhenModal<QColorDialog>([&, dialog](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0, 255, 0));
            colors->accept();
            QTimer::singleShot(0, dialog, [&, dialog]() {
                style = Child<QPushButton>(dialog, "button_over")->styleSheet();
                ClickBox(dialog, button);
            });
        });
        Click(dialog, "button_over");
    });
    Trigger(&window, "actionOption");

    QCOMPARE(style, QStringLiteral("background-color: rgb(0,255,0);"));
    if (button == QDialogButtonBox::Cancel) {
        QCOMPARE(TestEnv::readAll(ESettings::DefaultPath()), before);
        QVERIFY(!QFileInfo::exists(box.AutoStartEntry()));
        return;
    }
    ESettings after;
    QVERIFY(after.GetMinStart());
    QVERIFY(after.GetAutoStart());
    QVERIFY(!after.GetDelReminder());
    QVERIFY(after.GetCancelReminder());
    QCOMPARE(after.GetExpiredColor(), QStringLiteral("rgb(0,255,0)"));
    QCOMPARE(after.GetEffectiveColor(), QStringLiteral("rgb(1,2,3)"));
    // Applied at once: the auto-start entry exists.
    QVERIFY(QFileInfo::exists(box.AutoStartEntry()));
}

void TestSettingDialog::failedSaveIsReported()
{
    Sandbox box;
    MainWindow window;
    window.InitWindow();
    // A folder in the file's place makes the save fail.
    QVERIFY(QDir().mkpath(ESettings::DefaultPath()));
    QString text;
    WhenModal<SettingDialog>([&](SettingDialog* dialog) {
        AnswerBox(QMessageBox::Ok, &text);
        ClickBox(dialog, QDialogButtonBox::Ok);
    });
    window.SettingPro();
    QVERIFY2(text.contains(QFileInfo(ESettings::DefaultPath()).absoluteFilePath()), qPrintable(text));
}

QTEST_MAIN(TestSettingDialog)
#include "testsettingdialog.moc"
