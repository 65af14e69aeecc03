// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/autostart.h"
#include "core/options/options.h"
#include "support/widgettest.h"

#include <QFileInfo>

using namespace WidgetTest;

namespace {

// Marks the file as old, so that a rewrite shows.
void SetOld(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC),
                             QFileDevice::FileModificationTime));
}

bool Old(const QString& path)
{
    return QFileInfo(path).lastModified().date().year() == 2001;
}

} // namespace

class TestAutoStart : public QObject
{
    Q_OBJECT

private slots:
    void quoteExecArgument_data();
    void quoteExecArgument();
    void entryFollowsTheProgram();
    void applyOptions();
};

void TestAutoStart::quoteExecArgument_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("quoted");
    const auto row = [](const char* name, const char* path, const char* quoted) {
        QTest::newRow(name) << QString::fromUtf8(path) << QString::fromUtf8(quoted);
    };
    row("plain", "/opt/pennibell/pennibell", "/opt/pennibell/pennibell");
    row("space", "/home/a b/pennibell", "\"/home/a b/pennibell\"");
    row("dollar", "/opt/$x/p", "\"/opt/\\$x/p\"");
    row("double quote", "/opt/a\"b/p", "\"/opt/a\\\"b/p\"");
    row("backquote", "/opt/a`b/p", "\"/opt/a\\`b/p\"");
    row("backslash", "/opt/a\\b/p", "\"/opt/a\\\\b/p\"");
    row("single quote", "/opt/it's/p", "\"/opt/it's/p\"");
    row("percent", "/opt/100%/p", "/opt/100%%/p");
    row("hash and parens", "/opt/(#1)/p", "\"/opt/(#1)/p\"");
}

void TestAutoStart::quoteExecArgument()
{
    QFETCH(QString, path);
    QFETCH(QString, quoted);
    QCOMPARE(AutoStart::QuoteExecArgument(path), quoted);
}

void TestAutoStart::entryFollowsTheProgram()
{
    using O = AutoStart::Outcome;
    Sandbox box;
    const QString entry = box.AutoStartEntry();
    // Off and absent: nothing happens, not even the folder.
    QCOMPARE(AutoStart::Apply(false, "/opt/p/pennibell", "/opt/p/icon.png"), O::Unchanged);
    QVERIFY(!QFileInfo::exists(QFileInfo(entry).path()));
    QCOMPARE(AutoStart::Apply(true, "/opt/a b/c\\d", "/opt/p/icon.png"), O::Written);
    const QByteArray text = TestEnv::readAll(entry);
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nType=Application\n"));
    QVERIFY(text.contains("\nName=Pennibell\n"));
    // Quoted for the Exec rules, then the backslashes escaped again as a string value.
    QVERIFY2(text.contains("\nExec=\"/opt/a b/c\\\\\\\\d\"\n"), text.constData());
    // The program moved, or the entry was edited by hand: it is put right.
    QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/srv/p/icon.png"), O::Written);
    QVERIFY(TestEnv::readAll(entry).contains("\nExec=/srv/p/pennibell\n"));
    TestEnv::writeAll(entry, "[Desktop Entry]\nHidden=true\n");
    QCOMPARE(AutoStart::Apply(true, "/srv/p/pennibell", "/srv/p/icon.png"), O::Written);
    QCOMPARE(TestEnv::readAll(entry), AutoStart::EntryText("/srv/p/pennibell", "/srv/p/icon.png"));
}

void TestAutoStart::applyOptions()
{
    Sandbox box;
    const QString entry = box.AutoStartEntry();
    MainWindow window;
    window.InitWindow();
    QVERIFY(!QFileInfo::exists(entry));
    const auto autoStart = [&window](bool on) {
        window.AppOptions()->Change([on](ESettings& s) { s.SetAutoStart(on); });
    };
    autoStart(true);
    window.ApplyOptions();
    const QString program = AutoStart::QuoteExecArgument(QCoreApplication::applicationFilePath());
    QVERIFY(TestEnv::readAll(entry).contains("\nExec=" + program.toUtf8() + "\n"));
    QVERIFY(TestEnv::readAll(entry).contains("\nIcon=" + MainWindow::IconPath().toUtf8() + "\n"));
    QVERIFY(MainWindow::IconPath().startsWith(QCoreApplication::applicationDirPath()));
    // Rewritten only when something changed; removed when the option goes off.
    SetOld(entry);
    window.ApplyOptions();
    QVERIFY(Old(entry));
    autoStart(false);
    QVERIFY(window.ApplyOptions());
    QVERIFY(!QFileInfo::exists(entry));
    // An entry that cannot be written is reported, not taken for done.
    TestEnv::writeAll(QStringLiteral("notafolder"), "x");
    qputenv("XDG_CONFIG_HOME", QDir::current().absoluteFilePath(QStringLiteral("notafolder")).toLocal8Bit());
    autoStart(true);
    QVERIFY(!window.ApplyOptions());
}

QTEST_MAIN(TestAutoStart)
#include "testautostart.moc"
