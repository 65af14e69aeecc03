// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"
#include "core/system/makerinfo.h"
#include "gui/about/daboutdialog.h"
#include "gui/events/affaireditdialog.h"
#include "gui/options/settingdialog.h"
#include "support/widgettest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTranslator>

using namespace WidgetTest;

namespace {
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
    // In German, longer than English, every text is shown whole, inside its window.
    void german_data()
    {
        QTest::addColumn<QString>("which");
        for (const char* which : {"about", "options", "event"}) {
            QTest::newRow(which) << which;
        }
    }
    void german()
    {
        QFETCH(QString, which);
        Sandbox sandbox;
        Options options(QStringLiteral("ESetting.ini"));
        QTranslator german;
        QVERIFY(german.load(QLocale(QLocale::German), "pennibell", "_", ":/i18n"));
        QCoreApplication::installTranslator(&german);
        const std::unique_ptr<QDialog> dialog = Make(which, &options);
        QCoreApplication::removeTranslator(&german);
        QVERIFY(dialog->windowTitle() != Make(which, &options)->windowTitle()); // the texts did change
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get(), 5000));
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
    // With nothing that can open them, the web and e-mail buttons say so and name the address.
    void aboutLinks()
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

        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", empty.path().toLocal8Bit());
        qunsetenv("BROWSER");
        for (const auto& [button, address] :
             {std::pair{"pushButton", MakerInfo::WebSite()}, {"pushButton_2", MakerInfo::SupportEmail()}}) {
            QString said;
            AnswerBox(QMessageBox::Ok, &said);
            Click(&about, button);
            QVERIFY2(said.contains(address), qPrintable(said));
        }
        qputenv("PATH", path);
    }
};

QTEST_MAIN(TestDialogs)
#include "testdialogs.moc"
