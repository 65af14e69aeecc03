// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading a full-HD drawing, each against zlib doing only the (un)compression of
// the same payload, measured side by side in one run.
#include "core/picture/picturefile.h"
#include "gui/paint/paintwidget.h"
#include "mock/MockScreens.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#ifdef PENNIBELL_HAVE_ZLIB
#include <zlib.h>
#endif

namespace {

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Something like a user's drawing: strokes, shapes and text on white.
QImage drawing(const QSize& size)
{
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int i = 0; i < 60; ++i) {
        p.setPen(QPen(QColor::fromHsv((i * 37) % 360, 200, 220), 2 + i % 12, Qt::SolidLine, Qt::RoundCap));
        const int x = (i * 211) % size.width();
        const int y = (i * 137) % size.height();
        switch (i % 4) {
        case 0:
            p.drawLine(x, y, (x * 7) % size.width(), (y * 3) % size.height());
            break;
        case 1:
            p.drawRect(x, y, 150 + i, 90 + i);
            break;
        case 2:
            p.drawEllipse(x, y, 200, 120);
            break;
        default:
            p.setFont(QFont(QStringLiteral("Sans"), 24 + i % 20));
            p.drawText(x, y + 40, QStringLiteral("Reminder %1").arg(i));
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QSize size(1920, 1080);
    MockScreens::set(size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dap20100201090503"));

    PaintWidget canvas;
    const QImage image = drawing(size);
    PictureFile::Write(path, image);
    if (!canvas.LoadPicture(path)) {
        std::fprintf(stderr, "could not load the drawing\n");
        return 1;
    }
    const QByteArray payload = PictureFile::Payload(image);
    const QByteArray file = PictureFile::Encode(image);
    const int runs = 9;

    const double save = medianMs(runs, [&] { canvas.SavePicture(path); });
    const double load = medianMs(runs, [&] { canvas.LoadPicture(path); });
    std::printf("picture 1920x1080: payload %lld bytes, file %lld bytes\n",
                static_cast<long long>(payload.size()), static_cast<long long>(file.size()));
    std::printf("SavePicture  %8.2f ms\n", save);
    std::printf("LoadPicture  %8.2f ms\n", load);

#ifdef PENNIBELL_HAVE_ZLIB
    std::vector<Bytef> out(compressBound(uLong(payload.size())));
    const double zc = medianMs(runs, [&] {
        uLongf n = uLongf(out.size());
        compress2(out.data(), &n, reinterpret_cast<const Bytef*>(payload.constData()), uLong(payload.size()),
                  Z_DEFAULT_COMPRESSION);
    });
    std::vector<Bytef> back(size_t(payload.size()));
    const double zu = medianMs(runs, [&] {
        uLongf n = uLongf(back.size());
        uncompress(back.data(), &n, reinterpret_cast<const Bytef*>(file.constData()) + 4,
                   uLong(file.size() - 4));
    });
    std::printf("zlib compress   %8.2f ms   SavePicture / compress   = %.2f\n", zc, save / zc);
    std::printf("zlib uncompress %8.2f ms   LoadPicture / uncompress = %.2f\n", zu, load / zu);
#else
    std::printf("zlib not found: no reference figures\n");
#endif
    return 0;
}
