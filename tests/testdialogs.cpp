// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"
#include "core/system/makerinfo.h"
#include "gui/about/daboutdialog.h"
#include "gui/events/affaireditdialog.h"
#include "gui/options/settingdialog.h"
#include "support/widgettest.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QRadioButton>
#include <QTranslator>

using namespace WidgetTest;

namespace {
// Every text of the three dialogs twice as long, as a wordy translation would make them.
class LongTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const QByteArray c(context);
        if (c != "SettingDialog" && c != "DAboutDialog" && c != "AffairEditDialog") {
            return {};
        }
        const QString text = QString::fromUtf8(source);
        return text.contains(QLatin1Char('%')) ? QString() : text + QLatin1Char(' ') + text;
    }
    bool isEmpty() const override { return false; }
};

// Stands in for the desktop's browser.
class Opener : public QObject
{
    Q_OBJECT

public:
    explicit Opener(QStringList* opened) : Opened(opened) {}

public slots:
    void open(const QUrl& url) { Opened->append(url.toString()); }

private:
    QStringList* Opened;
};

struct Place
{
    const char* name;
    QRect rect; // in the dialog; a width or height of 0 is not checked
};

std::unique_ptr<QDialog> Make(const QString& which, Options* options)
{
    if (which == QLatin1String("about")) {
        return std::make_unique<DAboutDialog>();
    }
    if (which == QLatin1String("options")) {
        return std::make_unique<SettingDialog>(options);
    }
    return std::make_unique<AffairEditDialog>();
}

QList<Place> Designed(const QString& which)
{
    if (which == QLatin1String("about")) {
        // Centred texts: the labels' x and width are the widest one's.
        return {{"groupBox", {10, 10, 271, 181}},    {"label", {25, 20, 241, 31}},
                {"label_2", {25, 64, 241, 0}},       {"label_3", {25, 99, 241, 21}},
                {"pushButton", {10, 200, 85, 23}},   {"pushButton_2", {102, 200, 85, 23}},
                {"pushButton_3", {193, 200, 85, 23}}};
    }
    if (which == QLatin1String("options")) {
        return {{"groupBox", {20, 0, 361, 81}},         {"check_autostart", {40, 20, 0, 0}},
                {"check_minstart", {40, 50, 0, 0}},     {"groupBox_3", {20, 90, 181, 81}},
                {"check_delreminder", {40, 110, 0, 0}}, {"check_cancelreminder", {40, 140, 0, 0}},
                {"groupBox_2", {210, 90, 171, 81}},     {"label", {230, 110, 0, 0}},
                {"label_2", {230, 140, 0, 0}},          {"button_eff", {330, 110, 32, 24}},
                {"button_over", {330, 140, 32, 24}},    {"label_showon", {20, 180, 0, 0}},
                {"combo_showon", {177, 180, 204, 24}},  {"check_playsound", {20, 212, 0, 0}},
                {"buttonBox", {20, 245, 361, 0}}};
    }
    return {{"groupBox", {10, 10, 387, 215}},    {"AFTitle", {90, 30, 290, 50}},
            {"AFDateEdit", {90, 92, 130, 24}},   {"label_4", {230, 95, 0, 0}},
            {"AFTimeEdit", {270, 92, 110, 24}},  {"label_3", {20, 130, 0, 0}},
            {"OnlyOnce", {100, 128, 0, 0}},      {"Daily", {310, 128, 0, 0}},
            {"Yearly", {240, 155, 0, 0}},        {"PerNum", {100, 187, 100, 24}},
            {"groupBox_2", {10, 235, 387, 220}}, {"EffectList", {20, 257, 367, 188}}};
}

QSize DesignedSize(const QString& which)
{
    return which == QLatin1String("about")     ? QSize(291, 231)
           : which == QLatin1String("options") ? QSize(400, 284)
                                               : QSize(407, 498);
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    // At the default font each dialog keeps its designed size and places; in German, or with
    // texts twice as long, every text is shown whole, inside its window.
    void layouts_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("texts"); // "": English; "long"; "de": German
        for (const char* which : {"about", "options", "event"}) {
            for (const char* texts : {"", "long", "de"}) {
                QTest::addRow("%s %s", which, texts) << which << texts;
            }
        }
    }
    void layouts()
    {
        QFETCH(QString, which);
        QFETCH(QString, texts);
        Sandbox sandbox;
        Options options(QStringLiteral("ESetting.ini"));
        LongTexts longer;
        QTranslator german;
        QVERIFY(german.load(QLocale(QLocale::German), "pennibell", "_", ":/i18n"));
        QTranslator* translator = texts == QLatin1String("long") ? &longer : &german;
        if (!texts.isEmpty()) {
            QCoreApplication::installTranslator(translator);
        }
        const std::unique_ptr<QDialog> dialog = Make(which, &options);
        QCoreApplication::removeTranslator(translator);
        if (which == QLatin1String("options")) {
            QCOMPARE(Child<QAbstractButton>(dialog.get(), "check_autostart")->text(),
                     texts == QLatin1String("de") ? QStringLiteral("Pennibell bei meiner Anmeldung starten")
                     : texts.isEmpty()            ? QStringLiteral("Start Pennibell when I log in")
                                                  : QStringLiteral("Start Pennibell when I log in Start "
                                                                              "Pennibell when I log in"));
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get(), 5000));
        const auto near = [](int actual, int designed) {
            return designed == 0 || qAbs(actual - designed) <= 4;
        };
        // The options have grown by the holding and notification choices: they keep the designed
        // widgets' order and only grow.
        if (texts.isEmpty() && which == QLatin1String("options")) {
            QVERIFY(dialog->width() >= DesignedSize(which).width() &&
                    dialog->height() > DesignedSize(which).height());
        } else if (texts.isEmpty()) {
            QCOMPARE(dialog->size(), DesignedSize(which));
            for (const Place& place : Designed(which)) {
                auto* widget = Child<QWidget>(dialog.get(), place.name);
                const QRect r(widget->mapTo(dialog.get(), QPoint()), widget->size());
                QVERIFY2(near(r.x(), place.rect.x()) && near(r.y(), place.rect.y()) &&
                             near(r.width(), place.rect.width()) && near(r.height(), place.rect.height()),
                         place.name);
            }
        }
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(widget);
            auto* button = qobject_cast<QAbstractButton*>(widget);
            const bool text = (label && !label->text().isEmpty()) || (button && !button->text().isEmpty());
            if (!text || !widget->isVisible() || widget->objectName().startsWith(QLatin1String("qt_"))) {
                continue;
            }
            const QRect r(widget->mapTo(dialog.get(), QPoint()), widget->size());
            QVERIFY2(dialog->rect().contains(r) && widget->width() >= widget->minimumSizeHint().width(),
                     qPrintable(widget->objectName()));
        }
    }

    // Enter closes the About box through "OK" and opens no link, wherever the focus is.
    void aboutEnterIsOk()
    {
        Sandbox sandbox;
        QStringList opened;
        Opener opener(&opened);
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opener, "open");
        for (const char* focus : {"pushButton_3", "pushButton"}) {
            DAboutDialog about;
            WhenModal<DAboutDialog>([focus](QWidget* d) {
                d->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(d, 5000));
                Child<QWidget>(d, focus)->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            about.exec();
            QCOMPARE(opened, QStringList());
        }
        DAboutDialog about;
        Click(&about, "pushButton");
        QCOMPARE(opened, QStringList{MakerInfo::WebSite()});
    }

    // With nothing that can open them, the web and e-mail buttons say so and name the address.
    void aboutLinksNothingOpens()
    {
        Sandbox sandbox;
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", empty.path().toLocal8Bit());
        qunsetenv("BROWSER");
        DAboutDialog about;
        about.show();
        for (const char* button : {"pushButton", "pushButton_2"}) {
            QString said;
            AnswerBox(QMessageBox::Ok, &said);
            Click(&about, button);
            QVERIFY2(said.contains(QByteArray(button) == "pushButton" ? MakerInfo::WebSite()
                                                                      : MakerInfo::SupportEmail()),
                     qPrintable(said));
        }
        qputenv("PATH", path);
    }

    // The swatches show the colour itself, pure blue as pure blue.
    void swatchesShowTheColour()
    {
        Sandbox sandbox;
        Options options(QStringLiteral("ESetting.ini"));
        options.Change([](ESettings& s) {
            s.SetEffectiveColor(QColor(0, 0, 255));
            s.SetExpiredColor(QColor(0, 255, 0));
        });
        SettingDialog dialog(&options);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog, 5000));
        for (const auto& [name, colour] :
             {std::pair{"button_eff", QColor(0, 0, 255)}, {"button_over", QColor(0, 255, 0)}}) {
            const QImage shown = Child<QWidget>(&dialog, name)->grab().toImage();
            QCOMPARE(shown.pixelColor(shown.rect().center()), colour);
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "testdialogs.moc"
