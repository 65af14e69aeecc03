// SPDX-License-Identifier: GPL-3.0-or-later
// The event file may be hand-edited: loading and re-arming any text must neither crash nor hang.
#include "core/events/affairstore.h"
#include "core/events/clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>

// Qt's warnings about damaged input would only slow the run down.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath("eventinfor.eda");
    Clock::setMock(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    AffairList list = AffairStore(path).LoadAffairs();
    list.RearmAll();
    Clock::advance(3600);
    list.DueMask();
    return 0;
}
