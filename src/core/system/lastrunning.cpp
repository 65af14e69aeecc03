// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/lastrunning.h"

#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString Key = QStringLiteral("LastRunning");
}

QString LastRunning::DefaultPath()
{
    return DataLocation::DataFolder() + QStringLiteral("/lastrun.ini");
}

LastRunning::LastRunning(const QString& fileName) : FileName(fileName) {}

std::optional<qint64> LastRunning::Recorded() const
{
    // A few bytes of our own; anything else (a link, a device, a huge file) is no record.
    if (!QFileInfo::exists(FileName) || !SafeFile::SafeToParse(FileName, 4096)) {
        return std::nullopt;
    }
    const QSettings settings(FileName, QSettings::IniFormat);
    bool ok = false;
    const qint64 secs = settings.value(Key).toLongLong(&ok);
    if (!ok || secs <= 0) {
        return std::nullopt;
    }
    return secs;
}

bool LastRunning::Mark(qint64 nowSecs, bool force)
{
    // A clock set back counts as time passed too, or the record would stand still.
    if (!force && Written && qAbs(nowSecs - *Written) < Interval) {
        return true;
    }
    Written = nowSecs;
    return SafeFile::WriteIni(FileName, {{Key, nowSecs}});
}
