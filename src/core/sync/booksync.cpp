// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/booksync.h"

#include "core/events/clock.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"

#include <QRegularExpression>
#include <zlib.h>

namespace {

// A picture file's own size, from the first bytes of its compressed header ("640x400size").
QSize StoredSize(const QByteArray& bytes)
{
    if (bytes.size() < 5) {
        return {};
    }
    char head[24];
    z_stream zs{};
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData() + 4));
    zs.avail_in = uInt(bytes.size() - 4);
    zs.next_out = reinterpret_cast<Bytef*>(head);
    zs.avail_out = sizeof head;
    if (inflateInit(&zs) != Z_OK) {
        return {};
    }
    const int rc = inflate(&zs, Z_SYNC_FLUSH);
    const int got = int(sizeof head - zs.avail_out);
    inflateEnd(&zs);
    if (rc != Z_OK && rc != Z_STREAM_END) {
        return {};
    }
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})size"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(head, got));
    if (!match.hasMatch()) {
        return {};
    }
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    return size.width() <= PictureFile::MaxSide && size.height() <= PictureFile::MaxSide ? size : QSize();
}

} // namespace

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
    const QSize size = StoredSize(bytes);
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
        if (written.isEmpty() || PictureFile::Write(written, picture, error) != 0) {
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
