// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarexport.h"

#include "core/calendar/calendarrule.h"
#include "core/calendar/icalhandle.h"
#include "core/effects/effectcodes.h"
#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"
#include "core/system/version.h"

#include <QTimeZone>
#include <QtEndian>
#include <zlib.h>

namespace {

const QString UidPrefix = QStringLiteral("pennibell-");
const QString UidSuffix = QStringLiteral("@pennibell");

icaltimetype wallTime(const QDate& date, const QTime& time)
{
    icaltimetype t = icaltime_null_time();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    t.hour = time.hour();
    t.minute = time.minute();
    t.second = time.second();
    return t;
}

QImage readPicture(const QString& path)
{
    QByteArray bytes;
    QImage image;
    if (!PictureFile::IsProgramPath(path) || !SafeFile::Read(path, PictureFile::MaxFileBytes, &bytes)) {
        return image;
    }
    const QSize size = PictureFile::StoredSize(bytes);
    if (size.isEmpty() || !PictureFile::Decode(bytes, size, &image)) {
        return QImage();
    }
    return image;
}

// The system zone as libical knows it; none when the zone has no IANA name.
icaltimezone* systemZone()
{
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (id.isEmpty() || id == "UTC") {
        return nullptr;
    }
    return icaltimezone_get_builtin_timezone(id.constData());
}

icalcomponent* eventComponent(const AffairInfo& r, icaltimezone* zone, const icaltimetype& stamp)
{
    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(CalendarExport::Uid(r).toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_summary(r.GetAffairTitle().toUtf8().constData()));

    const QDateTime first = r.GetUserDateTime();
    CalendarRule::Start start = CalendarRule::Start::Local;
    const QByteArray rrule = CalendarRule::Export(r.GetPeriod(), first.date(), &start);
    if (start == CalendarRule::Start::Local && zone != nullptr) {
        icalproperty* dtstart = icalproperty_new_dtstart(wallTime(first.date(), first.time()));
        icalproperty_add_parameter(dtstart, icalparameter_new_tzid(icaltimezone_get_tzid(zone)));
        icalcomponent_add_property(event, dtstart);
    } else {
        icalcomponent_add_property(
            event, icalproperty_new_dtstart(icaltime_from_timet_with_zone(
                       time_t(LocalTime::Seconds(first)), 0, icaltimezone_get_utc_timezone())));
    }
    if (!rrule.isEmpty()) {
        icalcomponent_add_property(event,
                                   icalproperty_new_rrule(icalrecurrencetype_from_string(rrule.constData())));
    }
    icalproperty* effect = icalproperty_new_x(CalendarExport::EffectName(r.GetEffect()).toUtf8().constData());
    icalproperty_set_x_name(effect, "X-PENNIBELL-EFFECT");
    icalcomponent_add_property(event, effect);
    const QImage picture = readPicture(r.GetPicPath());
    if (!picture.isNull()) {
        // libical writes the data as it is given: base64 text, freed with the component.
        const QByteArray base64 = CalendarExport::Png(picture).toBase64();
        char* data = static_cast<char*>(malloc(size_t(base64.size()) + 1));
        memcpy(data, base64.constData(), size_t(base64.size()) + 1);
        icalattach* attach = icalattach_new_from_data(
            data, [](char* d, void*) { free(d); }, nullptr);
        icalproperty* prop = icalproperty_new_attach(attach);
        icalattach_unref(attach);
        icalproperty_add_parameter(prop, icalparameter_new_fmttype("image/png"));
        icalproperty_add_parameter(prop, icalparameter_new_encoding(ICAL_ENCODING_BASE64));
        icalproperty_add_parameter(prop, icalparameter_new_value(ICAL_VALUE_BINARY));
        icalcomponent_add_property(event, prop);
    }
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    icalproperty* when = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(when, icalparameter_new_related(ICAL_RELATED_START));
    icalcomponent_add_property(alarm, when);
    icalcomponent_add_property(alarm, icalproperty_new_description(r.GetAffairTitle().toUtf8().constData()));
    icalcomponent_add_component(event, alarm);
    return event;
}

} // namespace

QString CalendarExport::Uid(const AffairInfo& record)
{
    if (!record.GetCalendarUid().isEmpty()) {
        return record.GetCalendarUid();
    }
    return UidPrefix + record.GetAffairID() + UidSuffix;
}

QString CalendarExport::IdFromUid(const QString& uid)
{
    if (!uid.startsWith(UidPrefix) || !uid.endsWith(UidSuffix) ||
        uid.size() <= UidPrefix.size() + UidSuffix.size()) {
        return QString();
    }
    return uid.mid(UidPrefix.size(), uid.size() - UidPrefix.size() - UidSuffix.size());
}

QByteArray CalendarExport::Png(const QImage& picture)
{
    // Written here rather than through the image writer: eight-bit RGB whose white the tRNS
    // chunk makes transparent, rows unfiltered, zlib's fastest level. A full-screen drawing is
    // mostly white, and this takes a few milliseconds where the general writer takes hundreds.
    const QImage image =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&png](const char* type, const QByteArray& data) {
        const QByteArray body = QByteArray(type, 4) + data;
        char length[4];
        qToBigEndian<quint32>(quint32(data.size()), length);
        char crc[4];
        qToBigEndian<quint32>(
            quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))), crc);
        png += QByteArray(length, 4) + body + QByteArray(crc, 4);
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(image.width()), header.data());
    qToBigEndian<quint32>(quint32(image.height()), header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    chunk("IHDR", header);
    chunk("tRNS", QByteArray("\0\xff\0\xff\0\xff", 6));

    z_stream zs{};
    deflateInit(&zs, 1);
    QByteArray row(1 + 3 * qsizetype(image.width()), '\0');
    QByteArray out(qsizetype(deflateBound(&zs, uLong(row.size()) * uLong(image.height()))), '\0');
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* dst = reinterpret_cast<uchar*>(row.data()) + 1;
        for (int x = 0; x < image.width(); ++x) {
            *dst++ = uchar(qRed(line[x]));
            *dst++ = uchar(qGreen(line[x]));
            *dst++ = uchar(qBlue(line[x]));
        }
        zs.next_in = reinterpret_cast<Bytef*>(row.data());
        zs.avail_in = uInt(row.size());
        deflate(&zs, y + 1 == image.height() ? Z_FINISH : Z_NO_FLUSH);
    }
    if (image.height() == 0) {
        deflate(&zs, Z_FINISH);
    }
    out.truncate(qsizetype(zs.total_out));
    deflateEnd(&zs);
    chunk("IDAT", out);
    chunk("IEND", QByteArray());
    return png;
}

QString CalendarExport::EffectName(const EffectChoice& effect)
{
    return EffectCodes::Text(EffectCodes::Row(effect));
}

QByteArray CalendarExport::Text(const QList<AffairInfo>& events)
{
    IcalHandle calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Pennibell//Pennibell " PENNIBELL_VERSION "//EN"));
    icaltimezone* zone = systemZone();
    if (zone != nullptr) {
        icalcomponent* vtimezone = icaltimezone_get_component(zone);
        if (vtimezone != nullptr) {
            icalcomponent_add_component(calendar.get(), icalcomponent_new_clone(vtimezone));
        } else {
            zone = nullptr;
        }
    }
    const icaltimetype stamp =
        icaltime_from_timet_with_zone(time(nullptr), 0, icaltimezone_get_utc_timezone());
    for (const AffairInfo& r : events) {
        icalcomponent_add_component(calendar.get(), eventComponent(r, zone, stamp));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray out(text);
    icalmemory_free_buffer(text);
    return out;
}

bool CalendarExport::WriteFile(const QList<AffairInfo>& events, const QString& file, QString* error)
{
    QString why;
    if (!SafeFile::Write(file, Text(events), &why)) {
        if (error != nullptr) {
            *error = tr("The calendar file %1 cannot be written: %2").arg(file, why);
        }
        return false;
    }
    return true;
}

bool CalendarExport::WriteFile(const ReminderBook& book, const QStringList& ids, const QString& file,
                               QString* error)
{
    const AffairList& list = book.Events();
    QList<AffairInfo> events;
    if (ids.isEmpty()) {
        for (int i = 0; i < list.Count(); ++i) {
            events.append(list.At(i));
        }
    }
    for (const QString& id : ids) {
        const AffairInfo record = list.FindAffair(id);
        if (record.GetAffairID() != id || id.isEmpty()) {
            if (error != nullptr) {
                *error = tr("No event has the identifier %1.").arg(id);
            }
            return false;
        }
        events.append(record);
    }
    return WriteFile(events, file, error);
}
