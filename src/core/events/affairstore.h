// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QString>
#include <memory>

class QSettings;

// Loads and saves the event file "./data/eventinfor.eda" (INI text). Made for one operation.
class AffairStore
{
public:
    static QString DefaultPath();
    // No event file of the program's holds more; a larger count is damage.
    static constexpr int MaxEvents = 100000;

    AffairStore();
    explicit AffairStore(const QString& fileName);
    ~AffairStore();

    AffairList LoadAffairs();
    // True only when the file on disk now holds exactly the list. The file is replaced
    // whole, so a failed save leaves the previous one as it was.
    bool SaveAffairs(const AffairList& list);

    QString FileName() const;

private:
    std::unique_ptr<QSettings> Settings;
};
