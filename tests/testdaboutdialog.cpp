// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/daboutdialog.h"
#include "core/system/makerinfo.h"
#include "support/widgettest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

using namespace WidgetTest;

class TestDAboutDialog : public QObject
{
    Q_OBJECT

public slots:
    // Catches the URLs the program hands to the desktop, so no browser starts.
    void open(const QUrl& url) { Urls << url; }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void textsSizeAndLinks();
    void fromMainWindow_data();
    void fromMainWindow();

private:
    QList<QUrl> Urls;
};

void TestDAboutDialog::initTestCase()
{
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
}

void TestDAboutDialog::cleanupTestCase()
{
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void TestDAboutDialog::textsSizeAndLinks()
{
    DAboutDialog about;
    QStringList texts;
    for (const char* label : {"label", "label_2", "label_3"}) {
        texts << Child<QLabel>(&about, label)->text();
    }
    QCOMPARE(texts,
             QStringList({"Pennibell", "Version " + MakerInfo::VersionNumber(), MakerInfo::Copyright()}));
    QCOMPARE(about.size(), QSize(291, 231));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    // No Windows version to read: the Email button stays.
    about.show();
    QVERIFY(Child(&about, "pushButton_2")->isVisible());
    Urls.clear();
    Click(&about, "pushButton");
    Click(&about, "pushButton_2");
    QCOMPARE(Urls, QList<QUrl>({QUrl(MakerInfo::WebSite()), QUrl("mailto:" + MakerInfo::SupportEmail())}));
}

void TestDAboutDialog::fromMainWindow_data()
{
    QTest::addColumn<bool>("chm");
    QTest::addColumn<QString>("opened");
    QTest::newRow("compiled help present") << true << "PennibellHelp.chm";
    QTest::newRow("own manual") << false << "help/index.html";
}

// "About" is modal; "Contents" opens the compiled help if present, else the program's own manual.
void TestDAboutDialog::fromMainWindow()
{
    QFETCH(bool, chm);
    QFETCH(QString, opened);
    Sandbox box;
    if (chm) {
        TestEnv::writeAll("PennibellHelp.chm", "chm");
    }
    MainWindow window;
    window.InitWindow();
    window.show();
    bool seen = false;
    WhenModal<DAboutDialog>([&](DAboutDialog* about) {
        seen = true;
        Click(about, "pushButton_3");
    });
    Trigger(&window, "actionAbout");
    QVERIFY(seen);
    Urls.clear();
    Trigger(&window, "actionContents");
    QCOMPARE(Urls, QList<QUrl>({QUrl::fromLocalFile(QDir::current().absoluteFilePath(opened))}));
}

QTEST_MAIN(TestDAboutDialog)
#include "testdaboutdialog.moc"
