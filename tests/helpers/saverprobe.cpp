// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the event file, a picture and a backup in an endless loop, alternating between two
// contents, until it is killed. The crash-safety test kills it at random moments.
#include "core/events/clock.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
#include "support/eventbuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {
AffairList events(int count)
{
    AffairList list;
    for (int i = 0; i < count; ++i) {
        list.AppendAffair(EventBuilder::Event(
            QStringLiteral("id%1").arg(i), EventBuilder::At(2030, 1, 1, 8, 0).addDays(i),
            EventBuilder::Days(i % 9), QStringLiteral("Event %1, with \"quotes\"").arg(i)));
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
    Clock::setMock(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    const AffairList lists[2] = {events(60), events(140)};
    const QImage pictures[2] = {picture(0), picture(1)};
    for (unsigned round = 0;; ++round) {
        const int v = int(round % 2);
        if (!AffairStore().SaveAffairs(lists[v])) {
            return 2;
        }
        if (PictureFile::Write("./data/dap20300101080000", pictures[v]) != 0) {
            return 3;
        }
        if (!BackupArchive::Backup().ok()) {
            return 4;
        }
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
