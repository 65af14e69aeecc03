// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/events/affaireditdialog.h"
#include "gui/about/daboutdialog.h"
#include "gui/paint/paintcpanel.h"
#include "core/effects/screensize.h"
#include "gui/options/settingdialog.h"
#include "support/widgettest.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTranslator>

using namespace WidgetTest;

// Switches the language at run time and reads the texts the windows show afterwards.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { Switch(false); }
    void textsFollowLanguage();
    void rowColoursSurviveSwitch();

private:
    // Declared in the order they are made; they go in reverse when the test ends.
    std::unique_ptr<Sandbox> Box;
    std::unique_ptr<QTranslator> German;
    std::unique_ptr<MainWindow> Main;
    std::unique_ptr<SettingDialog> Options;
    std::unique_ptr<DAboutDialog> About;
    std::unique_ptr<PaintCPanel> Editor;
    std::unique_ptr<AffairEditDialog> Event;

    void Switch(bool german);
    QStringList Texts() const;
};

void TestTranslation::initTestCase()
{
    // The same lookup the program makes at start-up, for a German system.
    German = std::make_unique<QTranslator>();
    if (!German->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("pennibell"),
                      QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        QSKIP("built without the Linguist tools: no translations");
    }
    Box = std::make_unique<Sandbox>();
    ScreenSize::setOverride(QSize(1280, 1024));
    // One daily event, still due: its row shows a period and "Yes".
    SaveEvents({WidgetTest::Event("20300110080000", "Daily", At(2030, 1, 10, 8, 0), 1)});
    Main = StartWindow();
    Options = std::make_unique<SettingDialog>();
    About = std::make_unique<DAboutDialog>();
    Editor = std::make_unique<PaintCPanel>();
    Editor->SetAffair(AffairInfo());
    Event = std::make_unique<AffairEditDialog>();
}

void TestTranslation::Switch(bool german)
{
    if (german) {
        QVERIFY(QCoreApplication::installTranslator(German.get()));
    } else {
        QCoreApplication::removeTranslator(German.get());
    }
    // The windows hear of the change through posted events.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

// From each window a text of its form and those the code sets (table, menus, effect list).
QStringList TestTranslation::Texts() const
{
    QTableWidget* table = Table(Main.get());
    QString font;
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        if (const auto* action = top->findChild<QAction*>(QStringLiteral("FontAction"))) {
            font = action->text();
        }
    }
    return {Child<QAbstractButton>(Main.get(), "AddNew")->text(),
            table->horizontalHeaderItem(4)->text(),
            table->item(0, 3)->text(),
            table->item(0, 4)->text(),
            table->actions().at(3)->text(),
            Main->TrayIcon()->contextMenu()->actions().at(2)->text(),
            Child<QCheckBox>(Options.get(), "check_minstart")->text(),
            About->windowTitle(),
            Child<QLabel>(About.get(), "label_3")->text(),
            Editor->windowTitle(),
            font,
            Event->windowTitle(),
            Child<QListWidget>(Event.get(), "EffectList")->item(18)->text()};
}

void TestTranslation::textsFollowLanguage()
{
    const QList<QPair<const char*, const char*>> texts = {
        {"Add New", "Neues Ereignis"},
        {"Effective", "Aktiv"},
        {"1  day", "1  Tag(e)"},
        {"Yes", "Ja"},
        {"Preview event", "Ereignisvorschau"},
        {"Show", "Anzeigen"},
        {"Minimize the window when Pennibell starts", "Fenster beim Start von Pennibell minimieren"},
        {"About", "Über Pennibell"},
        {"Copyright (C) 2026 The Pennibell makers", "Copyright (C) 2026 Die Pennibell-Macher"},
        {"Paint", "Zeichnen"},
        {"Font", "Schriftart"},
        {"Event Information", "Ereignisdetails"},
        {"Spread Right-Down", "Ausbreiten nach rechts unten"}};
    QStringList english, german;
    for (const auto& [inEnglish, inGerman] : texts) {
        english << QString::fromUtf8(inEnglish);
        german << QString::fromUtf8(inGerman);
    }
    QCOMPARE(Texts(), english);
    Switch(true);
    QCOMPARE(Texts(), german);
    Switch(false);
    QCOMPARE(Texts(), english);
}

// The row colour follows the translated "Yes" of the state column; a switch must not turn an
// event that is still due into an expired-looking one.
void TestTranslation::rowColoursSurviveSwitch()
{
    const auto colour = [this] { return Table(Main.get())->item(0, 0)->foreground().color(); };
    const QColor effective(0, 0, 255);
    QCOMPARE(colour(), effective);
    Switch(true);
    QCOMPARE(colour(), effective);
    Main->ColorRows();
    QCOMPARE(colour(), effective);
    Switch(false);
    Main->ColorRows();
    QCOMPARE(colour(), effective);
}

QTEST_MAIN(TestTranslation)
#include "testtranslation.moc"
