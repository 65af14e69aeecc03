// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/localtime.h"
#include "core/storage/inifile.h"
#include "helpers/hostile.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QtTest>

using namespace EventBuilder;

namespace {
const QString Aside = "data/eventinfor.eda.unreadable-20100601-120000";

// Titles that need every rule of the format: quoting, escapes, the object marker, UTF-8.
const QStringList Titles{"Lunch, then \"coffee\"",
                         "Zweite Zeile\nGrüße, 日本 😀",
                         "  spaced ; semi = equals  ",
                         "@Variant(\\0\\0\\0\\t)",
                         QStringLiteral("back\\slash\ttab\x01"
                                        "1f\x7f"),
                         "@@at",
                         QString(QChar(0)) + "0 null",
                         QString()};
} // namespace

class TestAffairStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnv::setTimeZone("Europe/Berlin");
        MockClock::set(QDateTime(QDate(2010, 6, 1), QTime(12, 0)));
    }

    // A file that Qt's settings writer made reads the same, and is written back byte for byte:
    // the files of every earlier version stay as they were.
    void readsAndWritesQtSettingsFiles()
    {
        TestEnv::ScratchDir dir({"data"});
        {
            QSettings qt("data/eventinfor.eda", QSettings::IniFormat);
            qt.setValue("num", Titles.size());
            for (int i = 0; i < Titles.size(); ++i) {
                const QString group = QStringLiteral("Event_%1/").arg(i + 1);
                qt.setValue(group + "AffairID", QStringLiteral("2009-12-20T15:3%1:00").arg(i));
                qt.setValue(group + "AffairTitle", Titles[i]);
                qt.setValue(group + "UserDateTime", "2009-12-21T08:00:00");
                for (const char* unit : {"year", "month", "day", "hour", "minute"}) {
                    qt.setValue(group + "Period." + unit, unit[0] == 'd' ? 7 * i : 0);
                }
                qt.setValue(group + "PicPath", QStringLiteral("./data/dap2009122015310%1").arg(i));
                qt.setValue(group + "EffectType", i % 2 ? QVariant(i % 3) : QVariant(QString::number(i % 3)));
                qt.setValue(group + "EffectDirection", i % 2);
                if (i == 2) {
                    qt.setValue(group + "Snooze", "2010-06-01T10:05:00Z");
                }
            }
        }
        const QByteArray written = TestEnv::readAll("data/eventinfor.eda");
        AffairList list;
        QVERIFY(AffairStore().Load(&list));
        QCOMPARE(list.Count(), Titles.size());
        for (int i = 0; i < Titles.size(); ++i) {
            const AffairInfo r = list.At(i);
            QCOMPARE(r.GetAffairTitle(), Titles[i]);
            QCOMPARE(r.GetPeriod().day, 7 * i);
            QVERIFY(r.GetEffect() == EffectChoice::FromCodes(i % 3, i % 2));
        }
        QCOMPARE(list.At(2).SnoozeSecs(),
                 QDateTime(QDate(2010, 6, 1), QTime(10, 5), Qt::UTC).toSecsSinceEpoch());
        QVERIFY(AffairStore().SaveAffairs(list));
        QCOMPARE(TestEnv::readAll("data/eventinfor.eda"), written);
    }

    // Any text at all, seeded: the bytes Qt wrote, and what each reader makes of them.
    void valuesMatchQtSettings()
    {
        TestEnv::ScratchDir dir;
        QRandomGenerator random(20261206);
        const char16_t special[] = u" ,;=\"\\@0aF\n\t";
        QStringList values;
        for (int k = 0; k < 2000; ++k) {
            QString value;
            for (int i = random.bounded(14); i > 0; --i) {
                const int kind = random.bounded(4);
                value += QChar(kind == 0   ? char16_t(random.bounded(0x80))
                               : kind == 1 ? special[random.bounded(12)]
                               : kind == 2 ? char16_t(0x80 + random.bounded(0x800))
                                           : char16_t(0xE000 + random.bounded(0x1000)));
            }
            values << value;
        }
        IniFile ours;
        {
            QSettings qt("qt.ini", QSettings::IniFormat);
            qt.setValue("num", 7);
            ours.Set(QString(), "num", 7);
            for (int k = 0; k < values.size(); ++k) {
                qt.setValue(QStringLiteral("Event_%1/AffairTitle").arg(k), values[k]);
                ours.Set(QStringLiteral("Event_%1").arg(k), "AffairTitle", values[k]);
            }
        }
        QCOMPARE(ours.Text(), TestEnv::readAll("qt.ini"));
        IniFile read;
        QVERIFY(read.Parse(TestEnv::readAll("qt.ini"), values.size() + 1));
        for (int k = 0; k < values.size(); ++k) {
            QCOMPARE(read.Value(QStringLiteral("Event_%1").arg(k), "AffairTitle"), values[k]);
        }
    }

    // Hand-edited files: line endings, blank lines, continued lines, spaces, escapes and quotes
    // read as Qt's settings reader reads them.
    void handEditedAsQtReadsThem_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("trailing spaces and tabs") << QByteArray("a b \t \t");
        QTest::newRow("leading tab") << QByteArray("\t  a");
        QTest::newRow("continued, CR LF") << QByteArray("a\\\r\nb");
        QTest::newRow("continued, LF CR") << QByteArray("a\\\n\rb");
        QTest::newRow("continued, LF") << QByteArray("a  \\\n  b");
        QTest::newRow("octal and hex") << QByteArray("\\101\\7\\8\\x41z");
        QTest::newRow("quoted spaces kept") << QByteArray("\"a  \"  ");
        QTest::newRow("quoted, then more") << QByteArray("\"a, b\" c \t");
    }
    void handEditedAsQtReadsThem()
    {
        QFETCH(QByteArray, value);
        TestEnv::ScratchDir dir;
        const QByteArray file = "\r\n[G]\r\n\r\n\n k =" + value + "\r\n\r\nnext=1\n\r\nlast = z \n";
        TestEnv::writeAll("hand.ini", file);
        QSettings qt("hand.ini", QSettings::IniFormat);
        IniFile ours;
        QVERIFY(ours.Parse(file, 100));
        for (const char* key : {"k", "next", "last"}) {
            QCOMPARE(ours.Value("G", key), qt.value(QStringLiteral("G/") + key).toString());
        }
    }

    // What a damaged, hand-edited or planted event file loads as: the identifiers in order,
    // every group there whatever num says; a file that cannot be read is kept aside, never
    // read as empty and saved over. A link is followed, and a save keeps it a link.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<bool>("kept");
        const QByteArray two = "[Event_1]\nAffairID=a\n[Event_2]\nAffairID=b\n";
        const auto row = [](const char* name, const QByteArray& file, const QStringList& ids,
                            bool kept = false) { QTest::newRow(name) << file << ids << kept; };
        row("oldstyle", TestEnv::readAll(TestEnv::dataFile("oldstore.eda")),
            QStringList{"2009-12-20T15:30:00", "2009-12-22T09:00:00", "2009-12-23T10:00:00"});
        row("num missing", two, {"a", "b"});
        row("num negative", "[General]\nnum=-1\n" + two, {"a", "b"});
        row("num smaller", "[General]\nnum=1\n" + two, {"a", "b"});
        row("num huge", "[General]\nnum=2147483647\n[Event_1]\nAffairID=a\n", {"a"});
        row("gap", "[General]\nnum=9\n[Event_1]\nAffairID=a\n[Event_3]\nAffairID=c\n", {"a", "c"});
        row("same identifier twice",
            "[Event_1]\nAffairID=2010-01-01T08:00:00\n[Event_2]\nAffairID=2010-01-01T08:00:00\n",
            {"2010-01-01T08:00:00", "2010-01-01T08:00:01"});
        row("title of 2 MB", "[Event_1]\nAffairID=a\nAffairTitle=" + QByteArray(2 << 20, 't') + "\n", {"a"});
        row("list nested 40000 deep", Hostile::nestedListStore(), {"a"});
        row("twenty images", Hostile::imagesStore(),
            QString("abcdefghijklmnopqrst").split("", Qt::SkipEmptyParts));
        row("link", "link", {"outside"});
        row("group beyond any list", "[Event_10001]\nAffairID=a\n", {}, true);
        row("larger than any list", "[Event_1]\nAffairID=a\n" + QByteArray(9 << 20, ';'), {}, true);
        QByteArray keys;
        for (int k = 0; k < 200000; ++k) {
            keys += "[Event_1]\nk" + QByteArray::number(k) + "=\n";
        }
        row("more keys than any list", keys, {}, true);
        row("another program's file", "[General]\nforeign=1\n", {}, true);
        row("fifo", "fifo", {}, true);
        row("zero", "zero", {}, true);
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, ids);
        QFETCH(bool, kept);
        TestEnv::ScratchDir dir({"data"});
        const QByteArray outside = "[Event_1]\nAffairID=outside\n";
        TestEnv::writeAll("outside", outside);
        Hostile::place("data/eventinfor.eda", file, dir.file("outside"));
        const auto before = Hostile::snapshot().value("./data/eventinfor.eda");

        AffairList list;
        QString error;
        QCOMPARE(AffairStore().Load(&list, &error), !kept);
        QVERIFY(Hostile::peakMiB() < 200);
        QStringList loaded;
        for (int i = 0; i < list.Count(); ++i) {
            loaded << list.At(i).GetAffairID();
            QVERIFY(list.At(i).GetAffairTitle().size() <= AffairInfo::MaxTitleLength);
        }
        QCOMPARE(loaded, ids);
        if (kept) {
            QVERIFY2(error.contains(QDir::toNativeSeparators(dir.file(Aside))), qPrintable(error));
            QCOMPARE(Hostile::snapshot().value("./" + Aside), before);
        }
        list.AppendAffair(Event("new", At(2011, 1, 1, 8, 0)));
        QVERIFY(AffairStore().SaveAffairs(list));
        QCOMPARE(Stored().Count(), ids.size() + 1);
        // Saved through the link, which stays.
        QCOMPARE(QFileInfo("data/eventinfor.eda").isSymLink(), QByteArray(QTest::currentDataTag()) == "link");
        QCOMPARE(TestEnv::readAll("outside") == outside, QByteArray(QTest::currentDataTag()) != "link");
    }

    // The writer refuses what the reader would: near the size bound every list that is saved
    // loads again, and the first that would not is refused with the file left as it was.
    void saveNeverWritesWhatLoadRefuses()
    {
        TestEnv::ScratchDir dir({"data"});
        QList<AffairInfo> all;
        const QString title(AffairInfo::MaxTitleLength, QChar(0x65E5));
        for (int i = 0; i < 2700; ++i) {
            all << Event(QString::number(i), At(2011, 1, 1, 8, 0).addSecs(60 * i), {}, title);
        }
        QByteArray text;
        QString error;
        QVERIFY(!AffairStore::Text(ListOf(all), &text, &error) && !error.isEmpty());
        int saved = 0;
        for (int count = 2600; count <= 2700; count += 4) {
            const QByteArray before = TestEnv::readAll("data/eventinfor.eda");
            if (!AffairStore().SaveAffairs(ListOf(all.mid(0, count)), &error)) {
                QCOMPARE(TestEnv::readAll("data/eventinfor.eda"), before);
                break;
            }
            saved = count;
        }
        QVERIFY(saved > 2600);
        AffairList loaded;
        QVERIFY(AffairStore().Load(&loaded));
        QCOMPARE(loaded.Count(), saved);

        AffairList many;
        for (int i = 0; i <= AffairStore::MaxEvents; ++i) {
            many.AppendAffair(Event(QString::number(i), At(2011, 1, 1, 8, 0)));
        }
        QVERIFY(!AffairStore().SaveAffairs(many, &error));
        QVERIFY(error.contains(QString::number(AffairStore::MaxEvents)));
    }
};

QTEST_GUILESS_MAIN(TestAffairStore)
#include "testaffairstore.moc"
