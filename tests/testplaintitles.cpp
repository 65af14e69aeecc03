// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/plaintext.h"
#include "gui/effects/effectshow.h"
#include "gui/events/affaireditdialog.h"
#include "gui/main/misseddialog.h"
#include "support/widgettest.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextDocument>
#include <QWindow>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace WidgetTest;

namespace {
// Notices anyone opening the FIFO for reading, and lets them go at once (a writer that comes and
// goes gives them an end of file), so a fault fails the test instead of freezing it.
struct FifoWatch
{
    explicit FifoWatch(const QByteArray& path)
        : Watcher([this, path] {
              for (; !Stop; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
                  const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) {
                      Opened = true;
                      ::close(fd);
                  }
              }
          })
    {
    }
    ~FifoWatch()
    {
        Stop = true;
        Watcher.join();
    }
    std::atomic<bool> Stop{false};
    std::atomic<bool> Opened{false};
    std::thread Watcher; // last, so that it starts once the flags are set
};

// Shows `html` as Qt shows a tooltip or a label left to guess, laid out so that images load.
QString asShown(const QString& text)
{
    QTextDocument doc;
    if (Qt::mightBeRichText(text)) {
        doc.setHtml(text);
    } else {
        doc.setPlainText(text);
    }
    doc.documentLayout()->documentSize();
    return doc.toRawText();
}
} // namespace

// A title is the user's words wherever it appears: the event dialog keeps it byte for byte,
// the missed list, its tooltip and the reminder's card show it as typed, and markup in it never
// makes the program open a file (a FIFO would freeze it). Markup read as such fails "bold".
class TestPlainTitles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(Scratch.isValid());
        QCOMPARE(::mkfifo(QFile::encodeName(Fifo()).constData(), 0600), 0);
    }

    void shownAsTyped_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("bold") << "<b>Dentist</b> at 9";
        QTest::newRow("FIFO") << QStringLiteral("<img src=%1>").arg(Fifo());
        QTest::newRow("modified mark") << "Fix [*] now";
        QTest::newRow("entities and spaces") << QStringLiteral("Tom &amp; Jerry\u00a0 &lt;3\ttab");
    }
    void shownAsTyped()
    {
        QFETCH(QString, title);
        FifoWatch watch(QFile::encodeName(Fifo()));
        Sandbox sandbox;
        AffairInfo stored =
            Event(QStringLiteral("2029-01-01T08:00:00"), At(2030, 2, 1, 9, 0), Days(1), title);

        AffairEditDialog dialog;
        dialog.SetAffair(stored);
        QCOMPARE(Exec(dialog, [](QWidget* d) { ClickBox(d, QDialogButtonBox::Ok); }), int(QDialog::Accepted));
        QCOMPARE(dialog.GetAffair().GetAffairTitle().toUtf8(), title.toUtf8());

        MissedDialog missed({{stored, At(2030, 1, 14, 9, 0)}});
        missed.show();
        const QTableWidgetItem* item = Child<QTableWidget>(&missed, "missedList")->item(0, 0);
        QCOMPARE(item->text(), title);
        QCOMPARE(asShown(item->toolTip()), title);
        QCOMPARE(asShown(PlainText::ForToolTip(title)), title);

        EffectShow reminder;
        reminder.SetTitle(title);
        QVERIFY(!reminder.PrepareEffect(QStringLiteral("missing"), 3, 0));
        reminder.winId();
        QCOMPARE(reminder.windowHandle()->title(), title);
        // Lines break at spaces, or in a long word: nothing else is added or lost.
        const auto letters = [](QString text) {
            return text.remove(QRegularExpression(QStringLiteral("\\s")));
        };
        QCOMPARE(letters(EffectShow::CardTitleLines(title, QSize(1920, 1080)).join(QString())),
                 letters(title));
        QVERIFY(!watch.Opened);
    }

private:
    QString Fifo() const { return Scratch.filePath(QStringLiteral("fifo")); }
    QTemporaryDir Scratch;
};

QTEST_MAIN(TestPlainTitles)
#include "testplaintitles.moc"
