// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/lastrunning.h"

#include "core/events/clock.h"
#include "core/storage/datalocation.h"
#include "core/storage/inifile.h"
#include "core/storage/safefile.h"

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
    QByteArray bytes;
    IniFile ini;
    if (!SafeFile::Read(FileName, 4096, &bytes) || !ini.Parse(bytes, 16)) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 secs = ini.Value(QString(), Key).trimmed().toLongLong(&ok);
    // A moment after now was never a moment the program ran: the largest number, or a clock
    // that was wrong then. Counting from it would list reminders that never fell due.
    if (!ok || secs <= 0 || secs > Clock::nowSecs()) {
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
    IniFile ini;
    ini.Set(QString(), Key, nowSecs);
    return SafeFile::Write(FileName, ini.Text());
}
