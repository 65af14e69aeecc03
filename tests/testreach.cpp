// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "gui/effects/effectshow.h"
#include "gui/options/settingdialog.h"
#include "support/eventbuilder.h"
#include "support/widgettest.h"

#include <QMenu>

using namespace WidgetTest;
using namespace EventBuilder;

// The main window's reminder and the window itself stay within reach.
class TestReach : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ScreenSize::setOverride(QSize(320, 240)); }

    // A reminder on screen is clicked away while Options is open, or dismissed from the tray.
    void reminderDismissed()
    {
        Sandbox box;
        SaveEvents({Event("20300110080000", At(2030, 1, 10, 8, 0), Days(1), "Tea")});
        auto w = StartWindow();
        QAction* dismiss = nullptr;
        for (QAction* a : w->TrayIcon()->contextMenu()->actions()) {
            dismiss = a->text() == QLatin1String("Dismiss reminder") ? a : dismiss;
        }
        QVERIFY(dismiss);
        Child<QAction>(w.get(), "actionPreview")->trigger();
        EffectShow* reminder = w->EffectWindow();
        WhenModal<SettingDialog>([&](SettingDialog* options) {
            QTRY_VERIFY_WITH_TIMEOUT(!reminder->IsRunning() && reminder->isVisible(), 30000);
            // Through the window system, where modal dialogs block input.
            QTest::mouseClick(reminder->windowHandle(), Qt::LeftButton, {}, QPoint(160, 120));
            ClickBox(options, QDialogButtonBox::Cancel);
        });
        Child<QAction>(w.get(), "actionOption")->trigger();
        QVERIFY(!w->EffectWindow() && !dismiss->isVisible());
        Child<QAction>(w.get(), "actionPreview")->trigger();
        QVERIFY(w->EffectWindow() && dismiss->isVisible());
        dismiss->trigger();
        QVERIFY(!w->EffectWindow() && !dismiss->isVisible());
    }

    // Help says where the manual is when nothing can show it; a backup names its file.
    void messagesNameTheirFiles()
    {
        Sandbox box;
        SaveEvents({Event("20300110080000", At(2030, 1, 10, 8, 0), Days(1), "Tea")});
        auto w = StartWindow();
        QString text;
        AnswerBox(QMessageBox::Ok, &text);
        Child<QAction>(w.get(), "actionBak")->trigger();
        QVERIFY2(
            text.contains(QDir::current().absoluteFilePath(QStringLiteral("backup/SEvent2030-01-15.bef"))),
            qPrintable(text));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no program to open the manual with
        AnswerBox(QMessageBox::Ok, &text);
        Child<QAction>(w.get(), "actionContents")->trigger();
        qputenv("PATH", path);
        QVERIFY2(text.contains(QDir::toNativeSeparators(MainWindow::HelpPath())), qPrintable(text));
    }
};

QTEST_MAIN(TestReach)
#include "testreach.moc"
