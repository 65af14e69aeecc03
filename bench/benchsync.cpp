// SPDX-License-Identifier: GPL-3.0-or-later
// First sync of 1,000 events with pictures to a local Radicale, then a sync with nothing changed,
// then the first sync of a second computer; the program's own book, picture files and mapping.
#include "support/synckit.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <sys/resource.h>

using namespace SyncKit;

// This process's own processor time, to tell our share of a sync from the server's.
static long long CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

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
    work.Client.Send("MKCALENDAR", calendar, {}, {}, 65536,
                     [&](const DavReply& reply) { made = reply.status == 201; });
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
    const auto timed = [&clock](Computer& computer, const char* what) {
        clock.restart();
        const long long cpu = CpuMs();
        const SyncResult r = computer.Sync(false, 900000);
        std::printf("%s: %lld ms (%lld ms of it our processor time), %d sent, %d added, %d request(s)\n",
                    what, static_cast<long long>(clock.elapsed()), CpuMs() - cpu, r.sent, r.added,
                    r.requests);
        return r;
    };
    std::printf("%d events with 640x400 pictures\n", count);
    const SyncResult first = timed(work, "first sync");
    const SyncResult again = timed(work, "sync with nothing changed");
    // As after a new start: the state as it was saved, nothing remembered in memory.
    work.State = SyncState();
    work.State.Load(work.StatePath);
    const SyncResult restarted = timed(work, "sync with nothing changed after a new start");
    Computer home(calendar);
    const SyncResult pulled = timed(home, "first sync on a second computer");
    return first.sent == count && again.requests == 1 && restarted.requests == 1 && pulled.added == count ? 0
                                                                                                          : 1;
}
