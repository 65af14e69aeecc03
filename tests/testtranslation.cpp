#include "affaireditdialog.h"
#include "affairstore.h"
#include "clock.h"
#include "daboutdialog.h"
#include "esettings.h"
#include "mainwindow.h"
#include "paintcpanel.h"
#include "screensize.h"
#include "settingdialog.h"
#include "testenv.h"
#include "traycheck.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>
#include <memory>

// Switches the language at run time and reads the texts the windows show afterwards.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void rowColoursSurviveSwitch();

private:
    std::unique_ptr<TestEnv::ScratchDir> Scratch;
    std::unique_ptr<QTemporaryDir> Config;
    std::unique_ptr<QTranslator> German;
    std::unique_ptr<MainWindow> Main;
    std::unique_ptr<SettingDialog> Options;
    std::unique_ptr<DAboutDialog> About;
    std::unique_ptr<PaintCPanel> Editor;
    std::unique_ptr<AffairEditDialog> Event;

    void Switch(bool german);
    QWidget* Window(const QString& name) const;
    QString Text(const QString& window, const QString& item) const;
};

void TestTranslation::initTestCase()
{
    // The same lookup the program makes at start-up, for a German system.
    German = std::make_unique<QTranslator>();
    if (!German->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("pennibell"),
                      QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        QSKIP("built without the Linguist tools: no translations");
    }
    TestEnv::setTimeZone("UTC");
    Scratch = std::make_unique<TestEnv::ScratchDir>();
    Config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
    Clock::setMock(QDateTime(QDate(2030, 1, 15), QTime(12, 0)));
    ScreenSize::setOverride(QSize(1280, 1024));
    TrayCheck::SetOverride(true);

    // One daily event, still due: its row shows a period and "Yes".
    QDir().mkpath(QStringLiteral("data"));
    AffairInfo daily;
    daily.SetInfo(QStringLiteral("20300110080000"), QStringLiteral("Daily"),
                  QDateTime(QDate(2030, 1, 10), QTime(8, 0)), 0, 0, 1, 0, 0);
    AffairList list;
    list.AppendAffair(daily);
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));

    Main = std::make_unique<MainWindow>();
    Main->InitWindow();
    Main->ShowAtStart(false);
    Options = std::make_unique<SettingDialog>();
    About = std::make_unique<DAboutDialog>();
    Editor = std::make_unique<PaintCPanel>();
    Editor->SetAffair(AffairInfo());
    Event = std::make_unique<AffairEditDialog>();
}

void TestTranslation::cleanupTestCase()
{
    Event.reset();
    Editor.reset();
    About.reset();
    Options.reset();
    Main.reset();
    TrayCheck::SetOverride(std::nullopt);
    ScreenSize::clearOverride();
    Clock::reset();
    Scratch.reset();
}

// A failed comparison leaves a test in German; the next one starts in English again.
void TestTranslation::cleanup()
{
    Switch(false);
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

QWidget* TestTranslation::Window(const QString& name) const
{
    const QHash<QString, QWidget*> windows = {{"main", Main.get()},
                                              {"options", Options.get()},
                                              {"about", About.get()},
                                              {"editor", Editor.get()},
                                              {"event", Event.get()}};
    return windows.value(name);
}

// `item` is "object.property" ("" for the window itself), or one of the texts the form does not
// hold: "header.N", "cell.N", "context.N", "tray.N" (the tray menu without separators),
// "list.N" (the effect list), "canvas" (the canvas's Font action).
QString TestTranslation::Text(const QString& window, const QString& item) const
{
    QWidget* w = Window(window);
    const QString kind = item.section(QLatin1Char('.'), 0, 0);
    const int n = item.section(QLatin1Char('.'), 1).toInt();
    const auto table = w->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
    if (kind == QLatin1String("header")) {
        return table->horizontalHeaderItem(n)->text();
    }
    if (kind == QLatin1String("cell")) {
        return table->item(0, n)->text();
    }
    if (kind == QLatin1String("context")) {
        return table->actions().at(n)->text();
    }
    if (kind == QLatin1String("tray")) {
        QStringList texts;
        for (const QAction* a : Main->TrayIcon()->contextMenu()->actions()) {
            if (!a->isSeparator()) {
                texts << a->text();
            }
        }
        return texts.value(n);
    }
    if (kind == QLatin1String("list")) {
        return w->findChild<QListWidget*>(QStringLiteral("EffectList"))->item(n)->text();
    }
    if (kind == QLatin1String("canvas")) {
        for (const QWidget* top : QApplication::topLevelWidgets()) {
            if (const auto* font = top->findChild<QAction*>(QStringLiteral("FontAction"))) {
                return font->text();
            }
        }
        return QString();
    }
    const QObject* object = kind.isEmpty() ? w : w->findChild<QObject*>(kind);
    return object ? object->property(item.section(QLatin1Char('.'), 1).toLatin1()).toString() : QString();
}

void TestTranslation::textsFollowLanguage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");

    const auto row = [](const char* name, const char* window, const char* item, const char* english,
                        const char* german) { QTest::newRow(name) << window << item << english << german; };
    row("main button", "main", "AddNew.text", "Add New", "Neues Ereignis");
    row("main menu", "main", "menuFile.title", "File", "Datei");
    row("main action", "main", "actionBak.text", "Bakup", "Sichern");
    row("main header", "main", "header.4", "Effective", "Aktiv");
    row("main period cell", "main", "cell.3", "1  day", "1  Tag(e)");
    row("main state cell", "main", "cell.4", "Yes", "Ja");
    row("main context menu", "main", "context.3", "Preview event", "Ereignisvorschau");
    row("main tray menu", "main", "tray.1", "Show", "Anzeigen");
    row("options title", "options", ".windowTitle", "Options", "Einstellungen");
    row("options box", "options", "check_minstart.text", "Minimize the window when Pennibell starts",
        "Fenster beim Start von Pennibell minimieren");
    row("about title", "about", ".windowTitle", "About", "Über Pennibell");
    row("about copyright", "about", "label_3.text", "Copyright (C) 2026 The Pennibell makers",
        "Copyright (C) 2026 Die Pennibell-Macher");
    row("about button", "about", "pushButton_2.text", "Email", "E-Mail");
    row("editor title", "editor", ".windowTitle", "Paint", "Zeichnen");
    row("editor button", "editor", "pushButton.text", "Set Event", "Ereignis festlegen");
    row("editor tool tip", "editor", "MyRubber.toolTip", "Rubber", "Radierer");
    row("editor canvas", "editor", "canvas", "Font", "Schriftart");
    row("event title", "event", ".windowTitle", "Event Information", "Ereignisdetails");
    row("event period", "event", "Weekly.text", "Week", "Woche");
    row("event effect", "event", "list.18", "Spread Right-Down", "Ausbreiten nach rechts unten");
}

void TestTranslation::textsFollowLanguage()
{
    QFETCH(QString, window);
    QFETCH(QString, item);
    QFETCH(QString, english);
    QFETCH(QString, german);

    QCOMPARE(Text(window, item), english);
    Switch(true);
    QCOMPARE(Text(window, item), german);
    Switch(false);
    QCOMPARE(Text(window, item), english);
}

// The row colour follows the translated "Yes" of the state column; a switch must not turn an
// event that is still due into an expired-looking one.
void TestTranslation::rowColoursSurviveSwitch()
{
    const auto table = Main->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
    const QColor effective(0, 0, 255);
    QCOMPARE(table->item(0, 0)->foreground().color(), effective);
    Switch(true);
    QCOMPARE(table->item(0, 0)->foreground().color(), effective);
    Main->ColorRows();
    QCOMPARE(table->item(0, 0)->foreground().color(), effective);
    Switch(false);
    Main->ColorRows();
    QCOMPARE(table->item(0, 0)->foreground().color(), effective);
}

QTEST_MAIN(TestTranslation)
#include "testtranslation.moc"
