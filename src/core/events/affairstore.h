// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"

#include <QString>

// Loads and saves the event file "./data/eventinfor.eda" (INI text). Made for one operation.
class AffairStore
{
public:
    static QString DefaultPath();
    // No one keeps more events than this; a larger count or group number is damage.
    static constexpr int MaxEvents = 10000;
    // Far above what MaxEvents records of the longest title make; a larger file is not read.
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    AffairStore();
    explicit AffairStore(const QString& fileName);
    ~AffairStore();

    // Events N = 1 .. num; when num is missing or not a sane count, every Event_N group there
    // is. Never beyond the highest group present; a gap below it is an empty record. A file
    // that is not a regular file of sane size loads as no file.
    AffairList LoadAffairs();
    // True only when the file on disk now holds exactly the list. The file is replaced
    // whole, so a failed save leaves the previous one as it was.
    bool SaveAffairs(const AffairList& list);

    // Loads the list; a missing file is an empty list. False, with the reason, when a file is
    // there but cannot be read.
    bool Load(AffairList* out, QString* error = nullptr);
    // SaveAffairs, with the reason for a failure ready for the user.
    bool Save(const AffairList& list, QString* error = nullptr);

    QString FileName() const;

private:
    QString Name;
};
