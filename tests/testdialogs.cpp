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

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    // At the default font each dialog keeps its designed size (the options only grow, by the
    // holding and notification choices); in German, or with texts twice as long, every text is
    // shown whole, inside its window.
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
        // The translators did reach the dialogs.
        QCOMPARE(dialog->windowTitle() == Make(which, &options)->windowTitle(), texts.isEmpty());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get(), 5000));
        const QSize designed = which == QLatin1String("about")     ? QSize(291, 231)
                               : which == QLatin1String("options") ? QSize(400, 284)
                                                                   : QSize(407, 498);
        if (texts.isEmpty() && which == QLatin1String("options")) {
            QVERIFY(dialog->width() >= designed.width() && dialog->height() > designed.height());
        } else if (texts.isEmpty()) {
            QCOMPARE(dialog->size(), designed);
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

    // Enter closes the About box through "OK" and opens no link, even with the focus on one.
    void aboutEnterIsOk()
    {
        Sandbox sandbox;
        QStringList opened;
        Opener opener(&opened);
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opener, "open");
        DAboutDialog about;
        // Left open, the modal guard fails the test.
        Exec(about, [](QWidget* d) {
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d, 5000));
            Child<QWidget>(d, "pushButton")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(opened, QStringList());
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
