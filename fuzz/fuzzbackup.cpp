// SPDX-License-Identifier: GPL-3.0-or-later
// A backup file is chosen by the user from anywhere: any bytes must be taken apart or refused
// without touching the data folder.
#include "core/storage/backuparchive.h"
#include "mock/MockClock.h"

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
    MockClock::set(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    BackupArchive::Contents contents;
    QString reason;
    if (BackupArchive::Parse(bytes, &contents, &reason)) {
        if (contents.pictures.size() > contents.events.Count()) {
            __builtin_trap();
        }
    }
    return 0;
}
