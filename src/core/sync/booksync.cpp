// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/booksync.h"

#include "core/events/clock.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"

QList<AffairInfo> BookSync::Events() const
{
    QList<AffairInfo> events;
    const AffairList& list = Book->Events();
    events.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        events.append(list.At(i));
    }
    return events;
}

std::optional<AffairInfo> BookSync::Find(const QString& id) const
{
    return Book->Find(id);
}

QImage BookSync::Picture(const AffairInfo& record) const
{
    QByteArray bytes;
    if (!PictureFile::IsProgramPath(record.GetPicPath()) ||
        !SafeFile::Read(record.GetPicPath(), PictureFile::MaxFileBytes, &bytes)) {
        return {};
    }
    const QSize size = PictureFile::StoredSize(bytes);
    QImage picture;
    if (size.isEmpty() || !PictureFile::Decode(bytes, size, &picture)) {
        return {};
    }
    return picture;
}

bool BookSync::Add(const AffairInfo& record, const QImage& picture, QString* id, QString* error)
{
    AffairInfo fresh = record;
    fresh.SetPicPath(QString());
    if (picture.isNull()) {
        return Book->Add(fresh, id, error);
    }
    return Book->Add(fresh, picture, id, error);
}

bool BookSync::Replace(const QString& id, const AffairInfo& record, const QImage& picture, QString* error)
{
    AffairInfo next = record;
    next.SetAffairID(id);
    QString written;
    if (!picture.isNull()) {
        // A new file, so that the event's old picture stays whole until the list names the new one.
        written = PictureFile::NewPath(Clock::now());
        if (written.isEmpty() || !PictureFile::Write(written, picture, error)) {
            return false;
        }
    }
    if (written.isEmpty()) {
        // No picture came: the event keeps the one it has.
        const std::optional<AffairInfo> now = Book->Find(id);
        next.SetPicPath(now ? now->GetPicPath() : QString());
    } else {
        next.SetPicPath(written);
    }
    if (!Book->Replace(id, next, error)) {
        if (!written.isEmpty()) {
            PictureFile::Remove(written);
        }
        return false;
    }
    return true;
}

bool BookSync::Remove(const QString& id, QString* error)
{
    return Book->Remove(id, error);
}
