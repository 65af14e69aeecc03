// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/plaintext.h"
#include "gui/effects/effectshow.h"
#include "gui/events/affaireditdialog.h"
#include "gui/main/misseddialog.h"
#include "mock/MockScreens.h"
#include "support/widgettest.h"

#include <QAbstractTextDocumentLayout>
#include <QDateEdit>
#include <QPlainTextEdit>
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
class FifoWatch
{
public:
    explicit FifoWatch(const QString& path) : Path(path.toLocal8Bit())
    {
        Watcher = std::thread([this] {
            while (!Stop) {
                const int fd = ::open(Path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    Opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~FifoWatch()
    {
        Stop = true;
        Watcher.join();
    }
    bool opened() const { return Opened; }

private:
    QByteArray Path;
    std::atomic<bool> Stop{false};
    std::atomic<bool> Opened{false};
    std::thread Watcher;
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
// makes the program open a file (a FIFO would freeze it, /dev/zero exhaust its memory).
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
        QTest::newRow("quoted FIFO") << QStringLiteral("<img src=\"file://%1\"> rent").arg(Fifo());
        QTest::newRow("zero") << "<img src=\"/dev/zero\">";
        QTest::newRow("modified mark") << "Fix [*] now";
        QTest::newRow("entities and spaces") << QStringLiteral("Tom &amp; Jerry\u00a0 &lt;3\ttab");
    }
    void shownAsTyped()
    {
        QFETCH(QString, title);
        FifoWatch watch(Fifo());
        Sandbox sandbox;
        AffairInfo stored =
            Event(QStringLiteral("2029-01-01T08:00:00"), At(2030, 2, 1, 9, 0), Days(1), title);

        AffairEditDialog dialog;
        dialog.SetAffair(stored);
        const int result = [&] {
            WhenModal<AffairEditDialog>([](QWidget* d) { ClickBox(d, QDialogButtonBox::Ok); });
            return dialog.exec();
        }();
        QCOMPARE(result, int(QDialog::Accepted));
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
        QVERIFY(!watch.opened());
    }

    // Typed markup is text too, and Tab leaves the title for the date.
    void typedTitle()
    {
        Sandbox sandbox;
        AffairEditDialog dialog;
        dialog.SetAffair(Event(QStringLiteral("2029-01-01T08:00:00"), At(2030, 2, 1, 9, 0), Days(1), "x"));
        QWidget* focused = nullptr;
        WhenModal<AffairEditDialog>([&focused](QWidget* d) {
            auto* box = Child<QPlainTextEdit>(d, "AFTitle");
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d, 5000));
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("<i>Pay</i> rent"));
            QTest::keyClick(box, Qt::Key_Tab);
            focused = QApplication::focusWidget();
            ClickBox(d, QDialogButtonBox::Ok);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetAffair().GetAffairTitle(), QStringLiteral("<i>Pay</i> rent"));
        auto* date = Child<QDateEdit>(&dialog, "AFDateEdit");
        QVERIFY(focused && (focused == date || date->isAncestorOf(focused)));
    }

    // The card of a missing picture: whole lines, each within the panel, at most half the
    // screen high, a word longer than a line broken, the end elided; opaque on any desktop.
    void longTitleOnTheCard()
    {
        const QSize screen(1920, 1080);
        const QString word(400, QLatin1Char('W'));
        const QString words =
            QStringLiteral("Pay the rent and call the landlord about the heating ").repeated(30);
        for (const QString& title : {word, words}) {
            const QStringList lines = EffectShow::CardTitleLines(title, screen);
            QFont font;
            font.setPixelSize(screen.height() / 20);
            font.setBold(true);
            const QFontMetrics metrics(font);
            QVERIFY(lines.size() > 1);
            QVERIFY(lines.size() * metrics.lineSpacing() <= screen.height() / 2);
            for (const QString& line : lines) {
                QVERIFY2(metrics.horizontalAdvance(line) <= screen.width() / 2, qPrintable(line));
            }
            QVERIFY(lines.constLast().endsWith(QChar(0x2026)));
        }
        MockScreens::set(screen);
        EffectShow w;
        w.SetTitle(words);
        w.PrepareEffect(QStringLiteral("missing"), 3, 0);
        MockScreens::reset();
        QCOMPARE(qAlpha(w.Frame().Picture().pixel(960, 540)), 255);
    }

private:
    QString Fifo() const { return Scratch.filePath(QStringLiteral("fifo")); }
    QTemporaryDir Scratch;
};

QTEST_MAIN(TestPlainTitles)
#include "testplaintitles.moc"
