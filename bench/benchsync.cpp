// SPDX-License-Identifier: GPL-3.0-or-later
// First sync of 1,000 events with pictures to a local Radicale, then a sync with nothing changed.
#include "support/synckit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <cstdio>

using namespace SyncKit;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (Radicale::Program().isEmpty()) {
        std::printf("radicale is not installed: skipped\n");
        return 0;
    }
    Radicale server;
    if (!server.Start()) {
        std::printf("radicale did not start\n");
        return 1;
    }
    Computer maker(QStringLiteral("m"), server.Url(QStringLiteral("alice/")));
    bool made = false;
    maker.Client.Send("MKCALENDAR", server.Url(QStringLiteral("alice/bench/")), {}, {}, 65536,
                      [&](const DavReply& reply) { made = reply.status == 201; });
    QElapsedTimer wait;
    wait.start();
    while (!made && wait.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    const QUrl calendar = server.Url(QStringLiteral("alice/bench/"));
    Computer work(QStringLiteral("w"), calendar);
    for (int i = 0; i < 1000; ++i) {
        const QString id = work.Book.AddEvent(QStringLiteral("Event %1").arg(i));
        // A drawing, not a flat colour: a few strokes on white, as users draw them.
        QImage picture(640, 400, QImage::Format_RGB16);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setPen(QPen(QColor::fromHsv(i % 360, 200, 200), 6));
        for (int s = 0; s < 8; ++s) {
            painter.drawLine((i * 37 + s * 53) % 640, (s * 91) % 400, (i * 11 + s * 71) % 640,
                             (i + s * 29) % 400);
        }
        painter.end();
        work.Book.Pictures.insert(id, picture);
    }
    QElapsedTimer clock;
    clock.start();
    SyncResult first = work.Sync(false, 600000);
    const qint64 firstMs = clock.elapsed();
    clock.restart();
    SyncResult again = work.Sync();
    const qint64 againMs = clock.elapsed();
    Computer home(QStringLiteral("h"), calendar);
    clock.restart();
    SyncResult pulled = home.Sync(false, 600000);
    const qint64 pullMs = clock.elapsed();
    std::printf("first sync of 1000 events with pictures (plain codec): %lld ms, %d sent, %d requests\n",
                static_cast<long long>(firstMs), first.sent, first.requests);
    std::printf("sync with nothing changed: %lld ms, %d request(s)\n", static_cast<long long>(againMs),
                again.requests);
    std::printf("first sync on a second computer: %lld ms, %d added, %d requests\n",
                static_cast<long long>(pullMs), pulled.added, pulled.requests);
    return first.sent == 1000 && again.requests == 1 && pulled.added == 1000 ? 0 : 1;
}
