// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/options/autostart.h"
#include "core/options/esettings.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
#include "core/storage/safefile.h"
#include "helpers/hostile.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
const QString Pic = QStringLiteral("./data/dap20100101000001");
const QString Today = QStringLiteral("./backup/SEvent2010-06-01.bef");

// Pixels that do not compress: a picture file of some 3 KiB per 1000 pixels.
QImage noise(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB16);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, random.generate());
        }
    }
    return image;
}

AffairList events(int count, int titleLength)
{
    AffairList list;
    for (int i = 0; i < count; ++i) {
        AffairInfo a;
        a.SetInfo(QStringLiteral("2010-01-01T00:%1:00").arg(i, 2, 10, QLatin1Char('0')),
                  QString(titleLength, QChar('a' + i % 26)), QDateTime(QDate(2011, 1, 1), QTime(8, 0)), 0, 0,
                  1, 0, 0);
        a.SetPicPath(i == 0 ? Pic : QString());
        a.SetEffect({1, 2});
        list.AppendAffair(a);
    }
    return list;
}
} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Clock::setMock(QDateTime(QDate(2010, 6, 1), QTime(12, 0))); }

    // Each kind of write on a real disk with 0, 4 and 8 KiB left: it either reports success
    // and the file holds all of it, or reports failure and every file is as it was.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("kib");
        for (const char* kind : {"store", "options", "picture", "backup", "autostart", "restore"}) {
            for (int kib : {0, 4, 8}) {
                QTest::addRow("%s, %d KiB free", kind, kib) << QString::fromLatin1(kind) << kib;
            }
        }
    }
    void fullDisk()
    {
        QFETCH(QString, kind);
        QFETCH(int, kib);
        QTemporaryDir outside;
        const QString restoreFrom = outside.filePath(QStringLiteral("big.bef"));
        {
            // A backup of a large picture made elsewhere, to be restored onto the small disk.
            TestEnv::ScratchDir elsewhere;
            QDir().mkpath(QStringLiteral("data"));
            QVERIFY(AffairStore().SaveAffairs(events(3, 10)));
            QCOMPARE(PictureFile::Write(Pic, noise(60, 60, 2)), 0);
            QVERIFY(BackupArchive::Backup(restoreFrom).ok());
        }
        Hostile::SmallDisk disk;
        if (!disk.mounted()) {
            QSKIP("mounting a tmpfs needs root");
        }
        QDir().mkpath(QStringLiteral("data"));
        QDir().mkpath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QDir::current().absoluteFilePath(QStringLiteral("config")).toLocal8Bit());
        QVERIFY(AffairStore().SaveAffairs(events(2, 10)));
        QCOMPARE(PictureFile::Write(Pic, noise(60, 60, 1)), 0);
        QVERIFY(ESettings().SaveOptions());
        QVERIFY(BackupArchive::Backup(Today).ok());
        QCOMPARE(AutoStart::Apply(true, QStringLiteral("/old"), QString()), AutoStart::Outcome::Written);
        const QString longPath = QLatin1Char('/') + QString(12000, QLatin1Char('p'));
        disk.leave(kib);
        const auto before = Hostile::snapshot();

        bool ok = false;
        std::function<bool()> whole;
        if (kind == "store") {
            ok = AffairStore().SaveAffairs(events(40, 300));
            whole = [] { return AffairStore().LoadAffairs().Count() == 40; };
        } else if (kind == "options") {
            ESettings options;
            options.SetExpiredColor(QStringLiteral("rgb(1,2,3)"));
            ok = options.SaveOptions();
            whole = [] { return ESettings().GetExpiredColor() == QLatin1String("rgb(1,2,3)"); };
        } else if (kind == "picture") {
            ok = PictureFile::Write(Pic, noise(60, 60, 3)) == 0;
            whole = [] {
                QImage image;
                return PictureFile::Read(Pic, QSize(60, 60), &image) == 0 && image == noise(60, 60, 3);
            };
        } else if (kind == "backup") {
            ok = BackupArchive::Backup(Today).ok();
            whole = [] {
                BackupArchive::Contents contents;
                return BackupArchive::Parse(TestEnv::readAll(Today), &contents) &&
                       contents.pictures.value(0) == TestEnv::readAll(Pic);
            };
        } else if (kind == "autostart") {
            ok = AutoStart::Apply(true, longPath, QString()) == AutoStart::Outcome::Written;
            whole = [&] {
                return TestEnv::readAll(AutoStart::EntryPath()) == AutoStart::EntryText(longPath, QString());
            };
        } else {
            ok = BackupArchive::Restore(restoreFrom, AffairStore().LoadAffairs(), nullptr).ok();
            whole = [] {
                QImage image;
                return AffairStore().LoadAffairs().Count() == 3 &&
                       PictureFile::Read(Pic, QSize(60, 60), &image) == 0 && image == noise(60, 60, 2);
            };
        }
        QVERIFY(!ok || kib > 0);
        if (ok) {
            QVERIFY(whole && whole());
        } else {
            QCOMPARE(Hostile::snapshot(), before);
        }
    }

    // Leftovers of a write cut short are found by their prefix; nothing else goes.
    void staleStagingFilesGo()
    {
        TestEnv::ScratchDir dir;
        TestEnv::writeAll(QStringLiteral(".pennibell-staging-abc123"), "left");
        TestEnv::writeAll(QStringLiteral("dap20100101000001"), "kept");
        SafeFile::RemoveStale(QStringLiteral("."));
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dap20100101000001")});
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "testsafefile.moc"
