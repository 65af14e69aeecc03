#include "daboutdialog.h"
#include "mainwindow.h"
#include "makerinfo.h"
#include "testenv.h"
#include "traycheck.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

// Catches the URLs the program hands to the desktop, so no browser starts.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> Urls;

public slots:
    void open(const QUrl& url) { Urls << url; }
};

class TestDAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void texts();
    void fixedSize();
    void webAndEmail();
    void modalFromMainWindow();
    void helpContents_data();
    void helpContents();

private:
    UrlCatcher Catcher;
    QTemporaryDir Config;
};

void TestDAboutDialog::initTestCase()
{
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &Catcher, "open");
    }
    TrayCheck::SetOverride(true);
    // The main window applies the auto-start option; keep it away from the real desktop.
    qputenv("XDG_CONFIG_HOME", Config.path().toLocal8Bit());
}

void TestDAboutDialog::cleanupTestCase()
{
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    TrayCheck::SetOverride(std::nullopt);
}

void TestDAboutDialog::texts()
{
    DAboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.findChild<QLabel*>("label")->text(), QStringLiteral("Pennibell"));
    QCOMPARE(about.findChild<QLabel*>("label_2")->text(), QStringLiteral("Version 1.0"));
    QCOMPARE(about.findChild<QLabel*>("label_3")->text(), MakerInfo::Copyright());
    QCOMPARE(about.findChild<QLabel*>("label")->parentWidget(), about.findChild<QGroupBox*>("groupBox"));
    QCOMPARE(about.findChild<QPushButton*>("pushButton")->text(), QStringLiteral("Web"));
    QCOMPARE(about.findChild<QPushButton*>("pushButton_2")->text(), QStringLiteral("Email"));
    QCOMPARE(about.findChild<QPushButton*>("pushButton_3")->text(), QStringLiteral("OK"));
    // No Windows version to read: the Email button stays.
    QCOMPARE(DAboutDialog::OsVersion(), 0.0);
    about.show();
    QVERIFY(about.findChild<QPushButton*>("pushButton_2")->isVisible());
}

void TestDAboutDialog::fixedSize()
{
    DAboutDialog about;
    QCOMPARE(about.size(), QSize(291, 231));
    QCOMPARE(about.minimumSize(), QSize(291, 231));
    QCOMPARE(about.maximumSize(), QSize(291, 231));
    QCOMPARE(about.findChild<QPushButton*>("pushButton_3")->geometry(), QRect(193, 200, 85, 23));
}

void TestDAboutDialog::webAndEmail()
{
    Catcher.Urls.clear();
    DAboutDialog about;
    QTest::mouseClick(about.findChild<QPushButton*>("pushButton"), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(Catcher.Urls,
             QList<QUrl>({QUrl(MakerInfo::WebSite()), QUrl("mailto:" + MakerInfo::SupportEmail())}));
}

void TestDAboutDialog::modalFromMainWindow()
{
    TestEnv::ScratchDir scratch;
    MainWindow window;
    window.InitWindow();
    window.show();
    bool seen = false;
    QTimer::singleShot(0, [&]() {
        auto* about = qobject_cast<DAboutDialog*>(QApplication::activeModalWidget());
        QVERIFY(about);
        seen = true;
        QVERIFY(about->isModal());
        QTest::mouseClick(about->findChild<QPushButton*>("pushButton_3"), Qt::LeftButton);
    });
    window.findChild<QAction*>(QStringLiteral("actionAbout"))->trigger();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDAboutDialog::helpContents_data()
{
    QTest::addColumn<bool>("chm");
    QTest::addColumn<QString>("opened");
    QTest::newRow("compiled help present") << true << "PennibellHelp.chm";
    QTest::newRow("own manual") << false << "help/index.html";
}

void TestDAboutDialog::helpContents()
{
    QFETCH(bool, chm);
    QFETCH(QString, opened);
    TestEnv::ScratchDir scratch;
    if (chm) {
        TestEnv::writeAll("PennibellHelp.chm", "chm");
    }
    MainWindow window;
    window.InitWindow();
    Catcher.Urls.clear();
    window.findChild<QAction*>(QStringLiteral("actionContents"))->trigger();
    QCOMPARE(Catcher.Urls, QList<QUrl>({QUrl::fromLocalFile(QDir::current().absoluteFilePath(opened))}));
}

QTEST_MAIN(TestDAboutDialog)
#include "testdaboutdialog.moc"
