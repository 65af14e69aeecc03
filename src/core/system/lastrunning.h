// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The last moment the program is known to have been running, kept in its own small file beside
// the event file so that the next start can tell what fell due in between. Whole seconds since
// the epoch, which no change of time zone between two runs can shift.
class LastRunning
{
public:
    // "./data/lastrun.ini": not the options file, which is rewritten whole from the options.
    static QString DefaultPath();
    // At most one write in this many seconds while running.
    static constexpr qint64 Interval = 600;

    explicit LastRunning(const QString& fileName = DefaultPath());

    // None on a first start, when the record is missing or damaged, or when it lies after now.
    std::optional<qint64> Recorded() const;
    // Writes nowSecs when forced (start, quit) or when Interval has passed since the last write.
    // False only when a write was due and failed.
    bool Mark(qint64 nowSecs, bool force = false);

private:
    QString FileName;
    std::optional<qint64> Written;
};
