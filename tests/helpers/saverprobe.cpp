// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the event file, a picture and a backup in an endless loop, alternating between two
// contents, until it is killed; or, given "restore", restores two backups in turn. The
// crash-safety test kills it at random moments.
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <cstdio>

using namespace EventBuilder;

namespace {
AffairList events(int count)
{
    AffairList list;
    for (int i = 0; i < count; ++i) {
        list.AppendAffair(Event(QStringLiteral("id%1").arg(i), At(2030, 1, 1, 8, 0).addDays(i), Days(i % 9),
                                QStringLiteral("Event %1, with \"quotes\"").arg(i)));
    }
    return list;
}

QImage picture(int variant)
{
    QImage image(800, 600, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(variant ? Qt::red : Qt::blue, 9));
    for (int i = 0; i < 40; ++i) {
        p.drawLine(i * 20, 0, 800 - i * 17, 600);
    }
    return image;
}
} // namespace

// Backups of 20 and 35 events whose pictures say which backup and event they belong to ("A3").
int restoreForever()
{
    const QString names[2] = {QStringLiteral("backup/A.bef"), QStringLiteral("backup/B.bef")};
    for (int v = 0; v < 2; ++v) {
        const AffairList list = events(v ? 35 : 20);
        for (int i = 0; i < list.Count(); ++i) {
            TestEnv::writeAll(list.At(i).GetPicPath(), QByteArray(v ? "B" : "A") + QByteArray::number(i));
        }
        if (!AffairStore().SaveAffairs(list) || !BackupArchive::Backup(names[v]).ok()) {
            return 3;
        }
    }
    for (unsigned round = 0;; ++round) {
        AffairList current;
        AffairStore().Load(&current);
        if (!BackupArchive::Restore(names[round % 2], current, nullptr).ok()) {
            return 4;
        }
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(app.arguments().value(1));
    QDir().mkpath("data");
    QDir().mkpath("backup");
    // One saver runs at a time, and the one before was killed and reaped, so a lock file left
    // here is its own. Killed between creating and filling it, the file names no owner, and
    // the store's first save would wait out QLockFile's 30 s before taking it over.
    QFile::remove("data/eventinfor.eda.lock");
    QFile::remove("data/eventinfor.eda.lock.rmlock");
    MockClock::set(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    if (app.arguments().value(2) == QLatin1String("restore")) {
        return restoreForever();
    }
    const AffairList lists[2] = {events(60), events(140)};
    const QImage pictures[2] = {picture(0), picture(1)};
    for (unsigned round = 0;; ++round) {
        const int v = int(round % 2);
        if (!AffairStore().SaveAffairs(lists[v]) ||
            !PictureFile::Write("./data/dap20300101080000", pictures[v]) ||
            !BackupArchive::Backup(BackupArchive::FileNameFor(QDate(2026, 12, 6))).ok()) {
            return 2;
        }
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
