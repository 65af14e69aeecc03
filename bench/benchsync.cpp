// SPDX-License-Identifier: GPL-3.0-or-later
// First sync of 1,000 events with pictures to a local Radicale, then a sync with nothing changed,
// then the first sync of a second computer; the program's own book, picture files and mapping.
#include "support/synckit.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

using namespace SyncKit;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (Radicale::Program().isEmpty()) {
        std::printf("radicale is not installed: skipped\n");
        return 0;
    }
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    Radicale server;
    if (!server.Start()) {
        std::printf("radicale did not start\n");
        return 1;
    }
    const QUrl calendar = server.Url(QStringLiteral("alice/bench/"));
    Computer work(calendar);
    bool made = false;
    work.Client.Send("MKCALENDAR", calendar, {}, {}, 65536, [&](const DavReply& reply) { made = reply.status == 201; });
    QElapsedTimer clock;
    clock.start();
    while (!made && clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    work.Book.BeginBatch();
    for (int i = 0; i < count; ++i) {
        work.AddEvent(QStringLiteral("Event %1").arg(i), QColor::fromHsv(i % 360, 200, 200), QSize(640, 400));
    }
    work.Book.EndBatch();
    clock.restart();
    const SyncResult first = work.Sync(false, 900000);
    const qint64 firstMs = clock.elapsed();
    clock.restart();
    const SyncResult again = work.Sync();
    const qint64 againMs = clock.elapsed();
    Computer home(calendar);
    clock.restart();
    const SyncResult pulled = home.Sync(false, 900000);
    const qint64 pullMs = clock.elapsed();
    std::printf("first sync of %d events with 640x400 pictures: %lld ms, %d sent, %d requests\n", count,
                static_cast<long long>(firstMs), first.sent, first.requests);
    std::printf("sync with nothing changed: %lld ms, %d request(s)\n", static_cast<long long>(againMs),
                again.requests);
    std::printf("first sync on a second computer: %lld ms, %d added, %d requests\n",
                static_cast<long long>(pullMs), pulled.added, pulled.requests);
    return first.sent == count && again.requests == 1 && pulled.added == count ? 0 : 1;
}
