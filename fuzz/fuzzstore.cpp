// SPDX-License-Identifier: GPL-3.0-or-later
// The event file may be hand-edited: reading and re-arming any text must neither crash nor hang,
// and what the writer makes of what was read must read back to the very same text.
#include "core/events/affairstore.h"
#include "mock/MockClock.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Qt's warnings about damaged input would only slow the run down.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > size_t(AffairStore::MaxFileBytes)) {
        return 0;
    }
    MockClock::set(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    AffairList list;
    if (!AffairStore::Parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &list)) {
        return 0;
    }
    QByteArray text;
    if (AffairStore::Text(list, &text)) {
        AffairList again;
        QByteArray second;
        if (!AffairStore::Parse(text, &again) || !AffairStore::Text(again, &second) || second != text) {
            std::abort();
        }
    }
    list.RearmAll();
    MockClock::advance(3600);
    list.DueMask();
    return 0;
}
