#include "esettings.h"
#include "mainwindow.h"
#include "settingdialog.h"
#include "testenv.h"
#include "traycheck.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

void WhenModal(std::function<void(QWidget*)> answer, QWidget* after = nullptr)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer, after]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == after) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

template <typename T> T* Child(QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        qFatal("no child %s", name);
    }
    return child;
}

} // namespace

class TestSettingDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void acceptUnchanged();
    void roundTrip();
    void cancelKeepsEverything();
    void failedSaveIsReported();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    QString Entry() const { return Config->filePath(QStringLiteral("autostart/Pennibell.desktop")); }
};

void TestSettingDialog::init()
{
    Scratch = std::make_unique<TestEnv::ScratchDir>();
    Config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
    TrayCheck::SetOverride(true);
}

void TestSettingDialog::cleanup()
{
    TrayCheck::SetOverride(std::nullopt);
    Scratch.reset();
}

void TestSettingDialog::form()
{
    SettingDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(dialog.size(), QSize(400, 219));
    QCOMPARE(Child<QCheckBox>(&dialog, "check_autostart")->text(),
             QStringLiteral("Auto start Pennibell when windows starts"));
    QCOMPARE(Child<QCheckBox>(&dialog, "check_minstart")->geometry(), QRect(20, 50, 311, 21));
    QCOMPARE(Child<QGroupBox>(&dialog, "groupBox_3")->title(), QStringLiteral("Operation remind"));
    QCOMPARE(Child<QCheckBox>(&dialog, "check_cancelreminder")->text(),
             QStringLiteral("Quit without saving"));
    // Defaults, no options file yet.
    QVERIFY(!Child<QCheckBox>(&dialog, "check_autostart")->isChecked());
    QVERIFY(!Child<QCheckBox>(&dialog, "check_minstart")->isChecked());
    QVERIFY(Child<QCheckBox>(&dialog, "check_delreminder")->isChecked());
    QVERIFY(Child<QCheckBox>(&dialog, "check_cancelreminder")->isChecked());
    QCOMPARE(Child<QPushButton>(&dialog, "button_eff")->styleSheet(),
             QStringLiteral("background-color: rgb(0,0,255);"));
    QCOMPARE(Child<QPushButton>(&dialog, "button_over")->styleSheet(),
             QStringLiteral("background-color: rgb(255,0,0);"));
}

void TestSettingDialog::acceptUnchanged()
{
    ESettings before;
    before.SetMinStart(true);
    before.SetExpiredColor(QStringLiteral("rgb(1,2,3)"));
    QVERIFY(before.SaveOptions());
    SettingDialog dialog;
    QVERIFY(dialog.ReadForm());
    ESettings after;
    QVERIFY(after.GetMinStart());
    QVERIFY(!after.GetAutoStart());
    QCOMPARE(after.GetExpiredColor(), QStringLiteral("rgb(1,2,3)"));
    QCOMPARE(after.GetEffectiveColor(), QStringLiteral("rgb(0,0,255)"));
}

void TestSettingDialog::roundTrip()
{
    MainWindow window;
    window.InitWindow();
    QString style;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingDialog*>(modal);
        QVERIFY(dialog);
        QVERIFY(!dialog->parent());
        Child<QCheckBox>(dialog, "check_autostart")->setChecked(true);
        Child<QCheckBox>(dialog, "check_delreminder")->setChecked(false);
        WhenModal(
            [&](QWidget* chooser) {
                auto* colors = qobject_cast<QColorDialog*>(chooser);
                QVERIFY(colors);
                colors->setCurrentColor(QColor(0, 255, 0));
                colors->accept();
                QTimer::singleShot(0, dialog, [&, dialog]() {
                    style = Child<QPushButton>(dialog, "button_over")->styleSheet();
                    QTest::mouseClick(
                        Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok),
                        Qt::LeftButton);
                });
            },
            dialog);
        QTest::mouseClick(Child<QPushButton>(dialog, "button_over"), Qt::LeftButton);
    });
    window.findChild<QAction*>(QStringLiteral("actionOption"))->trigger();

    QCOMPARE(style, QStringLiteral("background-color: rgb(0,255,0);"));
    ESettings stored;
    QVERIFY(stored.GetAutoStart());
    QVERIFY(!stored.GetDelReminder());
    QVERIFY(stored.GetCancelReminder());
    QCOMPARE(stored.GetExpiredColor(), QStringLiteral("rgb(0,255,0)"));
    QCOMPARE(stored.GetEffectiveColor(), QStringLiteral("rgb(0,0,255)"));
    QVERIFY(TestEnv::readAll(ESettings::DefaultPath()).contains("ExpiredColor"));
    // Applied at once: the auto-start entry exists.
    QVERIFY(QFileInfo::exists(Entry()));
}

void TestSettingDialog::cancelKeepsEverything()
{
    MainWindow window;
    window.InitWindow();
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingDialog*>(modal);
        QVERIFY(dialog);
        Child<QCheckBox>(dialog, "check_autostart")->setChecked(true);
        WhenModal(
            [&](QWidget* chooser) {
                auto* colors = qobject_cast<QColorDialog*>(chooser);
                colors->setCurrentColor(QColor(0, 255, 0));
                colors->accept();
                QTimer::singleShot(0, dialog, [dialog]() {
                    QTest::mouseClick(
                        Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Cancel),
                        Qt::LeftButton);
                });
            },
            dialog);
        QTest::mouseClick(Child<QPushButton>(dialog, "button_eff"), Qt::LeftButton);
    });
    window.SettingPro();
    QVERIFY(!QFileInfo::exists(ESettings::DefaultPath()));
    QVERIFY(!QFileInfo::exists(Entry()));
    QCOMPARE(ESettings().GetEffectiveColor(), QStringLiteral("rgb(0,0,255)"));
}

void TestSettingDialog::failedSaveIsReported()
{
    MainWindow window;
    window.InitWindow();
    // A folder in the file's place makes the save fail.
    QVERIFY(QDir().mkpath(ESettings::DefaultPath()));
    QString text;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingDialog*>(modal);
        QVERIFY(dialog);
        WhenModal(
            [&](QWidget* box) {
                auto* warning = qobject_cast<QMessageBox*>(box);
                QVERIFY(warning);
                text = warning->text();
                warning->button(QMessageBox::Ok)->click();
            },
            dialog);
        Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    window.SettingPro();
    QVERIFY2(text.contains(QFileInfo(ESettings::DefaultPath()).absoluteFilePath()), qPrintable(text));
}

QTEST_MAIN(TestSettingDialog)
#include "testsettingdialog.moc"
