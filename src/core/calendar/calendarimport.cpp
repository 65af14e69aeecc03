// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/calendarimport.h"

#include "core/calendar/calendarexport.h"
#include "core/calendar/calendarrule.h"
#include "core/calendar/icalhandle.h"
#include "core/effects/effectcodes.h"
#include "core/events/affairstore.h"
#include "core/events/localtime.h"
#include "core/picture/picturefile.h"
#include "core/picture/titlepicture.h"
#include "core/storage/safefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QTimeZone>

namespace {

struct Block
{
    QByteArray kind;
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Splits the file into its top-level entries without building anything, so that a hostile
// file is refused by its shape before libical sees it, and each entry is parsed on its own.
bool scan(const QByteArray& text, QList<Block>* blocks, QString* error)
{
    QList<QByteArray> stack;
    Block current;
    bool calendar = false;
    int events = 0;
    for (qsizetype pos = 0; pos < text.size();) {
        const qsizetype start = pos;
        qsizetype next = text.indexOf('\n', pos);
        if (next < 0) {
            next = text.size();
        }
        if (next - pos > CalendarImport::MaxLineBytes) {
            *error = CalendarImport::tr("A line of the file is longer than a calendar ever writes.");
            return false;
        }
        qsizetype stop = next;
        if (stop > pos && text.at(stop - 1) == '\r') {
            --stop;
        }
        const QByteArray line = text.mid(pos, qMin<qsizetype>(stop - pos, 64)).toUpper();
        pos = next + 1;
        if (line.startsWith("BEGIN:")) {
            const QByteArray name = line.mid(6).trimmed();
            if (stack.isEmpty() && name != "VCALENDAR") {
                *error = CalendarImport::tr("The file is not an iCalendar file.");
                return false;
            }
            calendar = true;
            stack.append(name);
            if (stack.size() > CalendarImport::MaxDepth) {
                *error = CalendarImport::tr("The file's entries are nested deeper than a calendar's.");
                return false;
            }
            if (stack.size() == 2 && (name == "VEVENT" || name == "VTODO" || name == "VTIMEZONE")) {
                current = Block{name, start, 0};
                if (name != "VTIMEZONE" && ++events > AffairStore::MaxEvents) {
                    *error =
                        CalendarImport::tr("The file holds more than %1 events, more than the program keeps.")
                            .arg(AffairStore::MaxEvents);
                    return false;
                }
            }
        } else if (line.startsWith("END:")) {
            if (stack.isEmpty() || stack.last() != line.mid(4).trimmed()) {
                *error = CalendarImport::tr("The file is damaged: an entry ends that never began.");
                return false;
            }
            stack.removeLast();
            if (stack.size() == 1 && !current.kind.isEmpty()) {
                current.end = qMin(pos, text.size());
                blocks->append(current);
                current = Block();
            }
        }
    }
    if (!calendar) {
        *error = CalendarImport::tr("The file is not an iCalendar file.");
        return false;
    }
    if (!stack.isEmpty()) {
        *error = CalendarImport::tr("The file is damaged: it ends in the middle of an entry.");
        return false;
    }
    return true;
}

// The zones the file defines, and those libical knows by name; freed with the reader.
class Zones
{
public:
    ~Zones()
    {
        for (icaltimezone* z : std::as_const(Own)) {
            icaltimezone_free(z, 1);
        }
    }
    void Add(icalcomponent* vtimezone)
    {
        icaltimezone* zone = icaltimezone_new();
        if (icaltimezone_set_component(zone, vtimezone) == 0) {
            icaltimezone_free(zone, 1);
            icalcomponent_free(vtimezone);
            return;
        }
        const char* id = icaltimezone_get_tzid(zone);
        if (id != nullptr && !ByTzid.contains(QByteArray(id))) {
            ByTzid.insert(QByteArray(id), zone);
        }
        Own.append(zone);
    }
    icaltimezone* Find(const QByteArray& tzid) const
    {
        if (icaltimezone* z = ByTzid.value(tzid)) {
            return z;
        }
        if (icaltimezone* z = icaltimezone_get_builtin_timezone(tzid.constData())) {
            return z;
        }
        return icaltimezone_get_builtin_timezone_from_tzid(tzid.constData());
    }
    // Whether wall times in the zone are the system zone's wall times, for the years ahead:
    // only then does a rule counted on that zone's calendar mean the same days and hours here.
    bool SameAsSystem(icaltimezone* zone, int year)
    {
        const auto known = Same.constFind(zone);
        if (known != Same.constEnd()) {
            return *known;
        }
        bool same = true;
        for (int y = year; y < year + 6 && same; ++y) {
            for (int m = 1; m <= 12 && same; ++m) {
                for (int d : {1, 15}) {
                    const qint64 secs = QDateTime(QDate(y, m, d), QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
                    icaltimetype utc =
                        icaltime_from_timet_with_zone(time_t(secs), 0, icaltimezone_get_utc_timezone());
                    int dst = 0;
                    if (icaltimezone_get_utc_offset_of_utc_time(zone, &utc, &dst) !=
                        LocalTime::FromSecs(secs).offsetFromUtc()) {
                        same = false;
                        break;
                    }
                }
            }
        }
        Same.insert(zone, same);
        return same;
    }

private:
    QList<icaltimezone*> Own;
    QHash<QByteArray, icaltimezone*> ByTzid;
    QHash<icaltimezone*, bool> Same;
};

bool isImageType(const QByteArray& type)
{
    const QByteArray t = type.toLower();
    return t == "image/png" || t == "image/jpeg" || t == "image/jpg";
}

// The base64 text of the first picture attached inline or as a data URL; empty for none.
QByteArray firstPicture(icalcomponent* c)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ATTACH_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_ATTACH_PROPERTY)) {
        icalattach* attach = icalproperty_get_attach(p);
        if (attach == nullptr) {
            continue;
        }
        if (icalattach_get_is_url(attach)) {
            const QByteArray url(icalattach_get_url(attach));
            const qsizetype comma = url.indexOf(',');
            const QByteArray head = url.left(comma).toLower();
            if (comma > 0 && head.startsWith("data:") && head.endsWith(";base64") &&
                isImageType(head.mid(5, head.size() - 5 - 7))) {
                return url.mid(comma + 1);
            }
            continue;
        }
        icalparameter* type = icalproperty_get_first_parameter(p, ICAL_FMTTYPE_PARAMETER);
        if (type != nullptr && !isImageType(icalparameter_get_fmttype(type))) {
            continue;
        }
        const char* data = reinterpret_cast<const char*>(icalattach_get_data(attach));
        if (data != nullptr && *data != '\0') {
            return QByteArray(data);
        }
    }
    return QByteArray();
}

// Checks a picture all the way through, bounded like every picture the program shows.
bool checkPicture(const QByteArray& bytes, QString* why)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg") {
        *why = CalendarImport::tr("its picture is damaged");
        return false;
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > PictureFile::MaxSide || size.height() > PictureFile::MaxSide ||
        qint64(size.width()) * size.height() > PictureFile::MaxPixels) {
        *why = CalendarImport::tr("its picture is larger than any screen");
        return false;
    }
    if (reader.read().isNull()) {
        *why = CalendarImport::tr("its picture is damaged");
        return false;
    }
    return true;
}

EffectChoice effectFrom(icalcomponent* c)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), "X-PENNIBELL-EFFECT") != 0) {
            continue;
        }
        const QString name = QString::fromUtf8(icalproperty_get_x(p)).trimmed();
        for (int row = 0; row < EffectCodes::RowCount; ++row) {
            if (EffectCodes::Text(row).compare(name, Qt::CaseInsensitive) == 0) {
                return EffectCodes::Choice(row);
            }
        }
    }
    return EffectChoice();
}

class Reader
{
public:
    Reader(const AffairList& existing, CalendarImport::Plan* plan) : Out(plan)
    {
        for (int i = 0; i < existing.Count(); ++i) {
            const AffairInfo r = existing.At(i);
            Ids.insert(r.GetAffairID(), i);
            if (!r.GetCalendarUid().isEmpty()) {
                Uids.insert(r.GetCalendarUid(), i);
            }
        }
        Existing = &existing;
    }

    Zones TimeZones;

    // False only for what makes the whole file unusable (an unknown zone, a hostile picture).
    bool Entry(icalcomponent* c, QString* error)
    {
        const bool todo = icalcomponent_isa(c) == ICAL_VTODO_COMPONENT;
        const QString uid = QString::fromUtf8(icalcomponent_get_uid(c));
        QString title = QString::fromUtf8(icalcomponent_get_summary(c)).trimmed();
        if (title.isEmpty()) {
            title = CalendarImport::tr("(no title)");
        }
        auto refuse = [&](const QString& reason) {
            Out->refused.append({title, reason});
            return true;
        };
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr) {
            // An occurrence changed on its own: its whole series is refused once, by its UID.
            Changed.insert(uid);
            return true;
        }
        if (!uid.isEmpty() && Seen.contains(uid)) {
            return refuse(CalendarImport::tr("appears twice in the file"));
        }
        Seen.insert(uid);
        icalproperty* when =
            icalcomponent_get_first_property(c, todo ? ICAL_DUE_PROPERTY : ICAL_DTSTART_PROPERTY);
        if (when == nullptr) {
            return refuse(todo ? CalendarImport::tr("has no due date") : CalendarImport::tr("has no start"));
        }
        const icaltimetype t = todo ? icalproperty_get_due(when) : icalproperty_get_dtstart(when);
        if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) {
            return refuse(todo ? CalendarImport::tr("has no due date") : CalendarImport::tr("has no start"));
        }
        const QDate date(t.year, t.month, t.day);
        if (!date.isValid()) {
            return refuse(CalendarImport::tr("has no start"));
        }
        QDateTime first;
        bool local = true;
        icalparameter* tzid = icalproperty_get_first_parameter(when, ICAL_TZID_PARAMETER);
        if (t.is_date) {
            first = LocalTime::Make(date, QTime(9, 0));
        } else if (icaltime_is_utc(t)) {
            first = LocalTime::FromSecs(qint64(icaltime_as_timet(t)));
            local = TimeZones.SameAsSystem(icaltimezone_get_utc_timezone(), date.year());
        } else if (tzid != nullptr) {
            const QByteArray name(icalparameter_get_tzid(tzid));
            icaltimezone* zone = TimeZones.Find(name);
            if (zone == nullptr) {
                *error = CalendarImport::tr("The time zone \"%1\" of \"%2\" is not known.")
                             .arg(QString::fromUtf8(name), title);
                return false;
            }
            local = TimeZones.SameAsSystem(zone, date.year());
            // Kept on the wall clock where the zones agree, so a time the clocks skip stays.
            first = local ? LocalTime::Make(date, QTime(t.hour, t.minute, t.second))
                          : LocalTime::FromSecs(qint64(icaltime_as_timet_with_zone(t, zone)));
        } else {
            first = LocalTime::Make(date, QTime(t.hour, t.minute, t.second));
        }

        AffairPeriod period;
        if (icalcomponent_count_properties(c, ICAL_RRULE_PROPERTY) > 1) {
            return refuse(CalendarImport::tr("has several repeat rules"));
        }
        if (icalcomponent_get_first_property(c, ICAL_EXRULE_PROPERTY) != nullptr ||
            icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY) != nullptr) {
            return refuse(CalendarImport::tr("leaves out single dates"));
        }
        if (icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) != nullptr) {
            return refuse(CalendarImport::tr("adds single dates"));
        }
        if (icalproperty* rrule = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)) {
            QString reason;
            const char* text = icalproperty_get_value_as_string(rrule);
            if (!CalendarRule::Import(QByteArray(text ? text : ""), first.date(), &period, &reason)) {
                return refuse(reason);
            }
            const bool calendarSteps = period.year + period.month + period.day > 0;
            if (calendarSteps && !local) {
                return refuse(CalendarImport::tr("repeats by the clock of another time zone"));
            }
        }

        CalendarImport::Entry entry;
        const QByteArray base64 = firstPicture(c);
        if (!base64.isEmpty()) {
            auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
            QString why = CalendarImport::tr("its picture is damaged");
            if (!decoded || !checkPicture(*decoded, &why)) {
                *error = CalendarImport::tr("\"%1\" cannot be imported: %2.").arg(title, why);
                return false;
            }
            entry.picture = *decoded;
        }
        int target = uid.isEmpty() ? -1 : Uids.value(uid, -1);
        if (target < 0) {
            const QString id = CalendarExport::IdFromUid(uid);
            target = id.isEmpty() ? -1 : Ids.value(id, -1);
        }
        const AffairInfo old = target >= 0 ? Existing->At(target) : AffairInfo();
        AffairInfo& r = entry.record;
        r.SetInfo(old.GetAffairID(), title, first, period.year, period.month, period.day, period.hour,
                  period.minute);
        r.SetEffect(effectFrom(c));
        r.SetCalendarUid(uid);
        if (target >= 0) {
            r.SetPicPath(old.GetPicPath());
            Out->update.append(entry);
        } else {
            Out->add.append(entry);
        }
        return true;
    }

    // Series with an occurrence changed on its own cannot be kept exactly: out they go.
    void DropChanged()
    {
        if (Changed.isEmpty()) {
            return;
        }
        for (QList<CalendarImport::Entry>* list : {&Out->add, &Out->update}) {
            for (qsizetype i = list->size() - 1; i >= 0; --i) {
                const AffairInfo& r = list->at(i).record;
                if (Changed.contains(r.GetCalendarUid())) {
                    Out->refused.append(
                        {r.GetAffairTitle(), CalendarImport::tr("has occurrences changed one by one")});
                    list->removeAt(i);
                }
            }
        }
    }

private:
    CalendarImport::Plan* Out;
    const AffairList* Existing = nullptr;
    QHash<QString, int> Ids;
    QHash<QString, int> Uids;
    QSet<QString> Seen;
    QSet<QString> Changed;
};

} // namespace

bool CalendarImport::ReadFile(const QString& file, const AffairList& existing, Plan* plan, QString* error,
                              const Progress& progress)
{
    const QFileInfo info(file);
    if (info.exists() && info.isFile() && info.size() > MaxFileBytes) {
        *error = tr("The file %1 is larger than 64 MB; no calendar is that large.").arg(file);
        return false;
    }
    QByteArray bytes;
    QString why;
    if (!SafeFile::Read(file, MaxFileBytes, &bytes, &why)) {
        *error = tr("The file %1 cannot be read: %2").arg(file, why);
        return false;
    }
    return Read(bytes, existing, plan, error, progress);
}

bool CalendarImport::Read(const QByteArray& text, const AffairList& existing, Plan* plan, QString* error,
                          const Progress& progress)
{
    *plan = Plan();
    QString why;
    auto fail = [&](const QString& message) {
        *plan = Plan();
        if (error != nullptr) {
            *error = message;
        }
        return false;
    };
    if (text.size() > MaxFileBytes) {
        return fail(tr("The file is larger than 64 MB; no calendar is that large."));
    }
    QList<Block> blocks;
    if (!scan(text, &blocks, &why)) {
        return fail(why);
    }
    Reader reader(existing, plan);
    // Zones first: an entry may come before the zone it names.
    for (const Block& b : std::as_const(blocks)) {
        if (b.kind == "VTIMEZONE") {
            if (icalcomponent* c = icalparser_parse_string(text.mid(b.begin, b.end - b.begin).constData())) {
                reader.TimeZones.Add(c);
            }
        }
    }
    const int total = int(blocks.size());
    for (int i = 0; i < total; ++i) {
        const Block& b = blocks.at(i);
        if (progress && !progress(i, total)) {
            return fail(tr("The import was cancelled."));
        }
        if (b.kind == "VTIMEZONE") {
            continue;
        }
        IcalHandle c(icalparser_parse_string(text.mid(b.begin, b.end - b.begin).constData()));
        if (!c) {
            plan->refused.append({tr("(no title)"), tr("cannot be read")});
            continue;
        }
        if (!reader.Entry(c.get(), &why)) {
            return fail(why);
        }
    }
    reader.DropChanged();
    if (existing.Count() + plan->add.size() > AffairStore::MaxEvents) {
        return fail(tr("With the %1 new events there would be more than %2, more than the program keeps.")
                        .arg(plan->add.size())
                        .arg(AffairStore::MaxEvents));
    }
    if (progress) {
        progress(total, total);
    }
    return true;
}

QImage CalendarImport::Picture(const Entry& entry, const QSize& titleSize)
{
    if (!entry.picture.isEmpty()) {
        QImage image = QImage::fromData(entry.picture);
        if (!image.isNull()) {
            // Transparent is white to the reminder window: composite onto white.
            QImage out(image.size(), QImage::Format_RGB16);
            out.fill(Qt::white);
            QPainter painter(&out);
            painter.drawImage(0, 0, image);
            painter.end();
            return out;
        }
    }
    return TitlePicture::Make(entry.record.GetAffairTitle(), titleSize);
}

QStringList CalendarImport::RefusalLines(const Plan& plan)
{
    QStringList lines;
    for (const Refusal& r : plan.refused) {
        lines.append(tr("%1: %2").arg(r.title, r.reason));
    }
    return lines;
}
