// SPDX-License-Identifier: GPL-3.0-or-later
// The options file may be hand-edited: any text must load into some options.
#include "core/options/esettings.h"

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
    static const QString path = dir.filePath("ESetting.ini");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ESettings settings(path);
    (void)settings.GetEffectiveColor();
    return 0;
}
