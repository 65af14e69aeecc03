// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/affairstore.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
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
        QSet<QByteArray> pictureContents;
        QSet<QByteArray> storeContents;
        QRandomGenerator random(20261206);
        // A kill in the middle of a backup leaves its temporary copy of the store behind.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dir.path());
        for (int k = 0; k < 30; ++k) {
            QProcess saver;
            saver.setProcessEnvironment(env);
            saver.start(PENNIBELL_SAVER, {dir.path()});
            // No time limits: on a busy machine saving (and dying in a sync) can take long.
            QVERIFY(saver.waitForReadyRead(-1));
            QThread::msleep(random.bounded(1, 60));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished(-1));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            const AffairList list = AffairStore(dir.file("data/eventinfor.eda")).LoadAffairs();
            QVERIFY2(list.Count() == 60 || list.Count() == 140, QByteArray::number(list.Count()));
            QCOMPARE(list.At(list.Count() - 1).GetAffairID(), QStringLiteral("id%1").arg(list.Count() - 1));

            QImage image;
            QCOMPARE(PictureFile::Read(dir.file("data/dap20300101080000"), QSize(800, 600), &image), 0);
            pictureContents.insert(TestEnv::readAll(dir.file("data/dap20300101080000")));
            storeContents.insert(TestEnv::readAll(dir.file("data/eventinfor.eda")));

            BackupArchive::Contents contents;
            QString reason;
            const QByteArray backup =
                TestEnv::readAll(dir.file(BackupArchive::FileNameFor(QDate(2026, 12, 6))));
            QVERIFY2(BackupArchive::Parse(backup, &contents, &reason), qPrintable(reason));
            QVERIFY(contents.events.Count() == 60 || contents.events.Count() == 140);
            QVERIFY(!contents.pictures.value(0).isEmpty());
        }
        // Only ever the two contents the saver writes, nothing in between.
        QVERIFY(pictureContents.size() <= 2);
        QVERIFY(storeContents.size() <= 2);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "testcrashsafety.moc"
