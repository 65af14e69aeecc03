// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarexport.h"

#include "core/calendar/calendarimport.h"
#include "core/calendar/calendarrule.h"
#include "core/calendar/icalhandle.h"
#include "core/calendar/picturepngcache.h"
#include "core/effects/effectcodes.h"
#include "core/events/localtime.h"
#include "core/events/reminderbook.h"
#include "core/picture/picturefile.h"
#include "core/storage/safefile.h"
#include "core/system/version.h"

#include <QDir>
#include <QHash>
#include <QThreadPool>
#include <QTimeZone>
#include <QtEndian>
#include <cstring>
#include <vector>
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

// The system zone as libical knows it; none when the zone has no IANA name.
icaltimezone* systemZone()
{
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (id.isEmpty() || id == "UTC") {
        return nullptr;
    }
    return icaltimezone_get_builtin_timezone(id.constData());
}

icalcomponent* eventComponent(const AffairInfo& r, icaltimezone* zone, const icaltimetype& stamp,
                              const QByteArray& base64)
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
    if (!base64.isEmpty()) {
        // libical writes the data as it is given: base64 text, freed with the component.
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
    // Written here rather than through the image writer, from the stored format's 16-bit
    // words. A drawing from the paint editor has a handful of colours: a palette of at most 256
    // with white first and transparent, packed to 1, 2, 4 or 8 bits a pixel, is a fraction of
    // the size of RGB and far quicker to deflate. More colours (a photograph) go out as RGB whose
    // white the tRNS chunk makes transparent. Rows unfiltered, zlib's fastest level.
    const QImage image =
        picture.format() == QImage::Format_RGB16 ? picture : picture.convertToFormat(QImage::Format_RGB16);
    const int width = image.width();
    const int height = image.height();
    std::vector<qint16> slot(65536, -1);
    QList<quint16> colours{0xffff};
    slot[0xffff] = 0;
    for (int y = 0; y < height && colours.size() <= 256; ++y) {
        const quint16* line = reinterpret_cast<const quint16*>(image.constScanLine(y));
        quint16 last = 0xffff;
        for (int x = 0; x < width; ++x) {
            const quint16 c = line[x];
            if (c != last && slot[c] < 0) {
                if (colours.size() == 256) {
                    colours.append(c);
                    break;
                }
                slot[c] = qint16(colours.size());
                colours.append(c);
            }
            last = c;
        }
    }
    const bool paletted = colours.size() <= 256;
    const int depth = !paletted              ? 8
                      : colours.size() <= 2  ? 1
                      : colours.size() <= 4  ? 2
                      : colours.size() <= 16 ? 4
                                             : 8;
    const auto expand = [](quint16 c, char* rgb) {
        const int r = (c >> 11) & 0x1f;
        const int g = (c >> 5) & 0x3f;
        const int b = c & 0x1f;
        rgb[0] = char((r << 3) | (r >> 2));
        rgb[1] = char((g << 2) | (g >> 4));
        rgb[2] = char((b << 3) | (b >> 2));
    };

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
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = char(depth);
    header[9] = paletted ? 3 : 2; // palette or RGB
    chunk("IHDR", header);
    if (paletted) {
        QByteArray palette(3 * colours.size(), '\0');
        for (int i = 0; i < colours.size(); ++i) {
            expand(colours.at(i), palette.data() + 3 * i);
        }
        chunk("PLTE", palette);
        chunk("tRNS", QByteArray(1, '\0'));
    } else {
        chunk("tRNS", QByteArray("\0\xff\0\xff\0\xff", 6));
    }

    Deflater zs;
    const qsizetype rowBytes = paletted ? (qsizetype(width) * depth + 7) / 8 : 3 * qsizetype(width);
    QByteArray row(1 + rowBytes, '\0');
    for (int y = 0; y < height; ++y) {
        const quint16* line = reinterpret_cast<const quint16*>(image.constScanLine(y));
        uchar* dst = reinterpret_cast<uchar*>(row.data()) + 1;
        if (paletted) {
            std::memset(dst, 0, size_t(rowBytes));
            const int perByte = 8 / depth;
            for (int x = 0; x < width; ++x) {
                // White is entry 0, already there.
                if (const int entry = slot[line[x]]) {
                    dst[x / perByte] |= uchar(entry << (8 - depth * (1 + x % perByte)));
                }
            }
        } else {
            for (int x = 0; x < width; ++x) {
                expand(line[x], reinterpret_cast<char*>(dst) + 3 * x);
            }
        }
        zs.Add(row.constData(), row.size());
    }
    chunk("IDAT", zs.Finish());
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
    // Each distinct picture file once, on every core, from the cache of its PNG where that is
    // current: making a PNG is nearly all of an export's time.
    QHash<QString, int> known;
    std::vector<QString> files;
    QList<int> pictureOf;
    for (const AffairInfo& r : events) {
        int index = -1;
        if (PictureFile::IsProgramPath(r.GetPicPath())) {
            const QString file = QDir::cleanPath(QDir::current().absoluteFilePath(r.GetPicPath()));
            index = known.value(file, int(files.size()));
            if (index == int(files.size())) {
                known.insert(file, index);
                files.push_back(file);
            }
        }
        pictureOf.append(index);
    }
    std::vector<QByteArray> attachments(files.size());
    {
        const PicturePngCache cache;
        QThreadPool pool;
        for (size_t i = 0; i < files.size(); ++i) {
            pool.start(
                [&cache, &files, &attachments, i] { attachments[i] = cache.Png(files[i]).toBase64(); });
        }
        pool.waitForDone();
    }
    for (int i = 0; i < events.size(); ++i) {
        icalcomponent_add_component(
            calendar.get(),
            eventComponent(events.at(i), zone, stamp,
                           pictureOf.at(i) < 0 ? QByteArray() : attachments[size_t(pictureOf.at(i))]));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray out(text);
    icalmemory_free_buffer(text);
    return out;
}

bool CalendarExport::WriteFile(const QList<AffairInfo>& events, const QString& file, QString* error)
{
    // A file our own import would refuse is no export: say so, and write nothing.
    const QByteArray text = Text(events);
    if (text.size() > CalendarImport::MaxFileBytes) {
        if (error != nullptr) {
            *error = tr("The calendar would take %1 MB, more than the %2 MB an import reads. Export fewer "
                        "events at a time.")
                         .arg((text.size() + 1024 * 1024 - 1) / (1024 * 1024))
                         .arg(CalendarImport::MaxFileBytes / (1024 * 1024));
        }
        return false;
    }
    QString why;
    if (!SafeFile::Write(file, text, &why)) {
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
