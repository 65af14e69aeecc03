#include "autostart.h"
#include "esettings.h"
#include "mainwindow.h"
#include "testenv.h"
#include "traycheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestAutoStart : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entryPath();
    void quoteExecArgument_data();
    void quoteExecArgument();
    void entryText();
    void writeRewriteRemove();
    void applyOptions();

private:
    std::unique_ptr<QTemporaryDir> Config;
    QByteArray SavedHome;
    QByteArray SavedConfig;

    QString Entry() const { return Config->filePath(QStringLiteral("autostart/Pennibell.desktop")); }
    static void SetAge(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC),
                                 QFileDevice::FileModificationTime));
    }
    static bool Old(const QString& path) { return QFileInfo(path).lastModified().date().year() == 2001; }
};

void TestAutoStart::init()
{
    Config = std::make_unique<QTemporaryDir>();
    SavedHome = qgetenv("HOME");
    SavedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Config->path().toLocal8Bit());
}

void TestAutoStart::cleanup()
{
    qputenv("HOME", SavedHome);
    qputenv("XDG_CONFIG_HOME", SavedConfig);
    TrayCheck::SetOverride(std::nullopt);
}

void TestAutoStart::entryPath()
{
    QCOMPARE(AutoStart::EntryPath(), Entry());
    qputenv("HOME", Config->path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(AutoStart::EntryPath(), QDir::homePath() + "/.config/autostart/Pennibell.desktop");
    // A relative value is not a valid base directory.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    QCOMPARE(AutoStart::EntryPath(), QDir::homePath() + "/.config/autostart/Pennibell.desktop");
    // The folder is made on the first write.
    QCOMPARE(AutoStart::Apply(true, "/opt/p/pennibell", "/opt/p/icon/Pennibell.png"),
             AutoStart::Outcome::Written);
    QVERIFY(QFileInfo::exists(Config->filePath(".config/autostart/Pennibell.desktop")));
}

void TestAutoStart::quoteExecArgument_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "/opt/pennibell/pennibell"
                           << "/opt/pennibell/pennibell";
    QTest::newRow("space") << "/home/a b/pennibell"
                           << "\"/home/a b/pennibell\"";
    QTest::newRow("dollar") << "/opt/$x/p"
                            << "\"/opt/\\$x/p\"";
    QTest::newRow("double quote") << "/opt/a\"b/p"
                                  << "\"/opt/a\\\"b/p\"";
    QTest::newRow("backquote") << "/opt/a`b/p"
                               << "\"/opt/a\\`b/p\"";
    QTest::newRow("backslash") << "/opt/a\\b/p"
                               << "\"/opt/a\\\\b/p\"";
    QTest::newRow("single quote") << "/opt/it's/p"
                                  << "\"/opt/it's/p\"";
    QTest::newRow("percent") << "/opt/100%/p"
                             << "/opt/100%%/p";
    QTest::newRow("hash and parens") << "/opt/(#1)/p"
                                     << "\"/opt/(#1)/p\"";
}

void TestAutoStart::quoteExecArgument()
{
    QFETCH(QString, path);
    QFETCH(QString, quoted);
    QCOMPARE(AutoStart::QuoteExecArgument(path), quoted);
}

void TestAutoStart::entryText()
{
    const QString text =
        QString::fromUtf8(AutoStart::EntryText("/home/a b/c\\d", "/home/a b/icon/Pennibell.png"));
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
    QVERIFY(lines.contains("Type=Application"));
    QVERIFY(lines.contains("Name=Pennibell"));
    // Quoted for the Exec rules, then the backslashes escaped again as a string value.
    QVERIFY2(lines.contains("Exec=\"/home/a b/c\\\\\\\\d\""), qPrintable(text));
    QVERIFY(lines.contains("Icon=/home/a b/icon/Pennibell.png"));
}

void TestAutoStart::writeRewriteRemove()
{
    using O = AutoStart::Outcome;
    // Off and absent: nothing happens, not even the folder.
    QCOMPARE(AutoStart::Apply(false, "/opt/p/pennibell", "/opt/p/icon.png"), O::Unchanged);
    QVERIFY(!QFileInfo::exists(Config->filePath("autostart")));

    QCOMPARE(AutoStart::Apply(true, "/opt/p/pennibell", "/opt/p/icon.png"), O::Written);
    QCOMPARE(TestEnv::readAll(Entry()), AutoStart::EntryText("/opt/p/pennibell", "/opt/p/icon.png"));
    SetAge(Entry());
    QCOMPARE(AutoStart::Apply(true, "/opt/p/pennibell", "/opt/p/icon.png"), O::Unchanged);
    QVERIFY(Old(Entry()));

    // The program moved: the entry follows.
    QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/srv/p/icon.png"), O::Written);
    QVERIFY(!Old(Entry()));
    QVERIFY(TestEnv::readAll(Entry()).contains("Exec=/srv/p/pennibell\n"));

    // A hand-edited entry is put right.
    TestEnv::writeAll(Entry(), "[Desktop Entry]\nHidden=true\n");
    QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/srv/p/icon.png"), O::Written);
    QCOMPARE(TestEnv::readAll(Entry()), AutoStart::EntryText("/srv/p/pennibell", "/srv/p/icon.png"));

    QCOMPARE(AutoStart::Apply(false, "/srv/p/pennibell", "/srv/p/icon.png"), O::Removed);
    QVERIFY(!QFileInfo::exists(Entry()));
    QCOMPARE(AutoStart::Apply(false, "/srv/p/pennibell", "/srv/p/icon.png"), O::Unchanged);
}

void TestAutoStart::applyOptions()
{
    TestEnv::ScratchDir scratch;
    TrayCheck::SetOverride(true);
    MainWindow window;
    window.InitWindow();
    QVERIFY(!QFileInfo::exists(Entry()));

    ESettings on;
    on.SetAutoStart(true);
    QVERIFY(on.SaveOptions());
    window.ApplyOptions();
    const QByteArray text = TestEnv::readAll(Entry());
    QVERIFY(text.contains("Exec=" +
                          AutoStart::QuoteExecArgument(QCoreApplication::applicationFilePath()).toUtf8()));
    QVERIFY(text.contains("Icon=" + MainWindow::IconPath().toUtf8() + "\n"));
    QVERIFY(MainWindow::IconPath().startsWith(QCoreApplication::applicationDirPath()));

    SetAge(Entry());
    window.ApplyOptions();
    QVERIFY(Old(Entry()));

    ESettings off;
    off.SetAutoStart(false);
    QVERIFY(off.SaveOptions());
    window.ApplyOptions();
    QVERIFY(!QFileInfo::exists(Entry()));
}

QTEST_MAIN(TestAutoStart)
#include "testautostart.moc"
