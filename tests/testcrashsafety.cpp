// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/storage/backuparchive.h"
#include "core/picture/picturefile.h"
#include "support/testenv.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>
#include <csignal>

// A saver killed at any moment leaves every file either as it was or as it was about to be,
// whole: never half written.
class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void killedSaverLeavesWholeFiles()
    {
        TestEnv::ScratchDir dir;
        QSet<int> storeSizes;
        QSet<int> backupEventCounts;
        QSet<QByteArray> pictureContents;
        QSet<QByteArray> storeContents;
        QRandomGenerator random(20261206);
        const int kills = 30;
        for (int k = 0; k < kills; ++k) {
            QProcess saver;
            saver.start(PENNIBELL_SAVER, {dir.path()});
            QVERIFY(saver.waitForStarted());
            QVERIFY(saver.waitForReadyRead(20000));
            QThread::msleep(random.bounded(1, 60));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished(5000));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            const AffairList list = AffairStore(dir.file("data/eventinfor.eda")).LoadAffairs();
            QVERIFY2(list.Count() == 60 || list.Count() == 140, QByteArray::number(list.Count()));
            QCOMPARE(list.At(list.Count() - 1).GetAffairID(), QStringLiteral("id%1").arg(list.Count() - 1));
            storeSizes.insert(list.Count());

            QImage image;
            QCOMPARE(PictureFile::Read(dir.file("data/dap20300101080000"), QSize(800, 600), &image), 0);
            pictureContents.insert(TestEnv::readAll(dir.file("data/dap20300101080000")));
            storeContents.insert(TestEnv::readAll(dir.file("data/eventinfor.eda")));

            BackupArchive::Contents contents;
            QString reason;
            const QByteArray backup = TestEnv::readAll(dir.file(BackupArchive::FileNameFor(QDate(2026, 12, 6))));
            QVERIFY2(BackupArchive::Parse(backup, &contents, &reason), qPrintable(reason));
            QVERIFY(contents.events.Count() == 60 || contents.events.Count() == 140);
            QVERIFY(!contents.pictures.value(0).isEmpty());
            backupEventCounts.insert(contents.events.Count());
        }
        // Only ever the two contents the saver writes, nothing in between.
        QVERIFY(pictureContents.size() <= 2);
        QVERIFY(storeContents.size() <= 2);
        qInfo() << "store sizes seen" << storeSizes << "backup sizes seen" << backupEventCounts;
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "testcrashsafety.moc"
