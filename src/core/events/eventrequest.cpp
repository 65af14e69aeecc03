// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/eventrequest.h"

#include "core/effects/effectcodes.h"
#include "core/events/localtime.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

struct UnitWord
{
    const char* word;
    AffairPeriod::Unit unit;
};

const UnitWord UnitWords[] = {
    {"minute", AffairPeriod::Unit::Minute}, {"minutes", AffairPeriod::Unit::Minute},
    {"min", AffairPeriod::Unit::Minute},    {"hour", AffairPeriod::Unit::Hour},
    {"hours", AffairPeriod::Unit::Hour},    {"h", AffairPeriod::Unit::Hour},
    {"day", AffairPeriod::Unit::Day},       {"days", AffairPeriod::Unit::Day},
    {"d", AffairPeriod::Unit::Day},         {"week", AffairPeriod::Unit::Week},
    {"weeks", AffairPeriod::Unit::Week},    {"w", AffairPeriod::Unit::Week},
    {"month", AffairPeriod::Unit::Month},   {"months", AffairPeriod::Unit::Month},
    {"mo", AffairPeriod::Unit::Month},      {"year", AffairPeriod::Unit::Year},
    {"years", AffairPeriod::Unit::Year},    {"y", AffairPeriod::Unit::Year},
};

// Years a person plans in; also keeps every product of a period inside Qt's date range.
constexpr int FirstYear = 1970;
constexpr int LastYear = 9999;

// A count made only of digits, 1 to MaxCount.
bool parseCount(const QVariant& value, qint64* count)
{
    bool ok = false;
    const QString text = value.toString().trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch()) {
        return false;
    }
    *count = text.toLongLong(&ok);
    return ok && *count >= 1 && *count <= EventRequest::MaxCount;
}

QString unitList()
{
    return QStringLiteral("minutes, hours, days, weeks, months, years");
}

} // namespace

std::optional<AffairPeriod::Unit> EventRequest::ParseUnit(const QString& text)
{
    const QString word = text.trimmed().toLower();
    for (const UnitWord& u : UnitWords) {
        if (word == QLatin1String(u.word)) {
            return u.unit;
        }
    }
    return std::nullopt;
}

QString EventRequest::UnitName(AffairPeriod::Unit unit)
{
    switch (unit) {
    case AffairPeriod::Unit::Minute:
        return QStringLiteral("minutes");
    case AffairPeriod::Unit::Hour:
        return QStringLiteral("hours");
    case AffairPeriod::Unit::Day:
        return QStringLiteral("days");
    case AffairPeriod::Unit::Week:
        return QStringLiteral("weeks");
    case AffairPeriod::Unit::Month:
        return QStringLiteral("months");
    case AffairPeriod::Unit::Year:
        return QStringLiteral("years");
    case AffairPeriod::Unit::Once:
        break;
    }
    return QString();
}

bool EventRequest::ParseEvery(const QString& text, qint64* count, QString* unit, QString* error)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([0-9]{1,9})\\s*([A-Za-z]+)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || !parseCount(m.captured(1), count)) {
        return fail(error, tr("'%1' is no recurrence: give a count from 1 to %2 and a unit (%3).")
                               .arg(text.left(40))
                               .arg(MaxCount)
                               .arg(unitList()));
    }
    *unit = m.captured(2);
    if (!ParseUnit(*unit)) {
        return fail(error, tr("Unknown unit '%1': use one of %2.").arg(unit->left(40), unitList()));
    }
    return true;
}

bool EventRequest::ParseWhen(const QString& text, const QDateTime& now, QDateTime* out, QString* error)
{
    const QString shown = text.left(40);
    static const QRegularExpression relative(QStringLiteral("^\\s*\\+\\s*([0-9]{1,9})\\s*([A-Za-z]+)\\s*$"));
    const QRegularExpressionMatch r = relative.match(text);
    if (r.hasMatch()) {
        qint64 count = 0;
        if (!parseCount(r.captured(1), &count)) {
            return fail(error,
                        tr("'%1' is too far ahead: give a count from 1 to %2.").arg(shown).arg(MaxCount));
        }
        const auto unit = ParseUnit(r.captured(2));
        if (!unit) {
            return fail(error,
                        tr("Unknown unit '%1': use one of %2.").arg(r.captured(2).left(40), unitList()));
        }
        const QDateTime base = LocalTime::FromSecs(LocalTime::Seconds(LocalTime::StripMSecs(now)));
        const QDateTime when = AffairInfo::AddPeriod(base, AffairPeriod::Of(*unit, qint32(count)), 1);
        if (!when.isValid() || when.date().year() > LastYear) {
            return fail(error, tr("'%1' lies beyond the year %2.").arg(shown).arg(LastYear));
        }
        *out = when;
        return true;
    }
    static const QRegularExpression absolute(
        QStringLiteral("^\\s*([0-9]{4})-([0-9]{2})-([0-9]{2})[T "
                       "]([0-9]{2}):([0-9]{2})(?::([0-9]{2}))?(Z|[+-][0-9]{2}:?[0-9]{2})?\\s*$"));
    const QRegularExpressionMatch a = absolute.match(text);
    if (!a.hasMatch()) {
        return fail(error,
                    tr("'%1' is no date and time: write \"2027-01-31 09:00\" or \"+2 hours\".").arg(shown));
    }
    const QDate date(a.captured(1).toInt(), a.captured(2).toInt(), a.captured(3).toInt());
    const QTime time(a.captured(4).toInt(), a.captured(5).toInt(), a.captured(6).toInt());
    if (!date.isValid() || !time.isValid()) {
        return fail(error,
                    tr("'%1' is no date and time: write \"2027-01-31 09:00\" or \"+2 hours\".").arg(shown));
    }
    if (date.year() < FirstYear) {
        return fail(error, tr("'%1' lies before the year %2.").arg(shown).arg(FirstYear));
    }
    const QString zone = a.captured(7);
    if (zone.isEmpty()) {
        *out = LocalTime::Make(date, time);
        return true;
    }
    int offset = 0;
    if (zone != QLatin1String("Z")) {
        const QString digits = QString(zone).remove(QLatin1Char(':'));
        const int hours = digits.mid(1, 2).toInt();
        const int minutes = digits.mid(3, 2).toInt();
        if (hours > 14 || minutes > 59) {
            return fail(error, tr("'%1' has no valid offset from UTC.").arg(shown));
        }
        offset = (hours * 60 + minutes) * 60 * (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    }
    *out = LocalTime::FromSecs(QDateTime(date, time, Qt::OffsetFromUTC, offset).toSecsSinceEpoch());
    return true;
}

std::optional<int> EventRequest::EffectRow(const QString& name)
{
    const QString wanted = name.simplified();
    for (int row = 0; row < EffectCodes::RowCount; ++row) {
        const QString english = EffectCodes::Text(row);
        const QString shown = QCoreApplication::translate("EffectCodes", english.toLatin1().constData());
        if (wanted.compare(english, Qt::CaseInsensitive) == 0 ||
            wanted.compare(shown, Qt::CaseInsensitive) == 0) {
            return row;
        }
    }
    return std::nullopt;
}

bool EventRequest::CheckTitle(const QString& title, QString* error)
{
    if (title.trimmed().isEmpty()) {
        return fail(error, tr("The title is empty."));
    }
    if (title.size() > AffairInfo::MaxTitleLength) {
        return fail(error, tr("The title is longer than %1 characters.").arg(AffairInfo::MaxTitleLength));
    }
    for (const QChar c : title) {
        // Line breaks, escape sequences and direction overrides would garble the table, the
        // tooltip and the terminal that lists the event.
        const QChar::Category cat = c.category();
        if (cat == QChar::Other_Control || cat == QChar::Separator_Line ||
            cat == QChar::Separator_Paragraph || (c.unicode() >= 0x202A && c.unicode() <= 0x202E) ||
            (c.unicode() >= 0x2066 && c.unicode() <= 0x2069)) {
            return fail(error, tr("The title holds a line break or another control character."));
        }
    }
    return true;
}

bool EventRequest::FromMap(const QVariantMap& fields, const QDateTime& now, AffairInfo* out, QString* error)
{
    static const QStringList settable = {QStringLiteral("title"),  QStringLiteral("first"),
                                         QStringLiteral("every"),  QStringLiteral("unit"),
                                         QStringLiteral("effect"), QStringLiteral("pictureFile")};
    static const QStringList listed = {QStringLiteral("id"), QStringLiteral("next"), QStringLiteral("active"),
                                       QStringLiteral("picture"), QStringLiteral("snoozedUntil")};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (!settable.contains(it.key()) && !listed.contains(it.key())) {
            return fail(error, tr("Unknown field '%1'.").arg(it.key().left(40)));
        }
    }
    const QString title = fields.value(QStringLiteral("title")).toString();
    if (!CheckTitle(title, error)) {
        return false;
    }
    if (!fields.contains(QStringLiteral("first"))) {
        return fail(error, tr("When the event falls due is missing."));
    }
    QDateTime first;
    if (!ParseWhen(fields.value(QStringLiteral("first")).toString(), now, &first, error)) {
        return false;
    }
    AffairPeriod period;
    const QVariant every = fields.value(QStringLiteral("every"));
    const QString unitText = fields.value(QStringLiteral("unit")).toString();
    // A listed once-only event says every 0 and no unit.
    const bool once = !every.isValid() || (every.toString() == QLatin1String("0") && unitText.isEmpty());
    if (!once) {
        qint64 count = 0;
        if (!parseCount(every, &count)) {
            return fail(error, tr("The recurrence count must be a number from 1 to %1.").arg(MaxCount));
        }
        const auto unit = ParseUnit(unitText);
        if (!unit) {
            return fail(error, tr("Unknown unit '%1': use one of %2.").arg(unitText.left(40), unitList()));
        }
        period = AffairPeriod::Of(*unit, qint32(count));
    } else if (!unitText.isEmpty()) {
        return fail(error, tr("A unit without a recurrence count."));
    }
    if (period.IsOnce() && LocalTime::Seconds(first) <= LocalTime::Seconds(LocalTime::StripMSecs(now))) {
        return fail(error,
                    tr("%1 has already passed.").arg(LocalTime::ToIso(first).replace(QLatin1Char('T'), ' ')));
    }
    int row = 0;
    if (fields.contains(QStringLiteral("effect"))) {
        const QString name = fields.value(QStringLiteral("effect")).toString();
        const auto found = EffectRow(name);
        if (!found) {
            return fail(error, tr("Unknown effect '%1'.").arg(name.left(40)));
        }
        row = *found;
    }
    AffairInfo record;
    record.SetInfo(QString(), title, first, period.year, period.month, period.day, period.hour,
                   period.minute);
    record.SetEffect(EffectCodes::Choice(row));
    *out = record;
    return true;
}

QString EventRequest::IsoWithOffset(const QDateTime& dt)
{
    if (!LocalTime::IsSet(dt)) {
        return QString();
    }
    // By hand from the seconds: a listing of ten thousand events formats thirty thousand of
    // these, and Qt's date arithmetic and formatting cost microseconds each.
    const qint64 secs = LocalTime::Seconds(dt);
    const int offset = LocalTime::FromSecs(secs).offsetFromUtc();
    const qint64 local = secs + offset;
    const qint64 days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const qint64 inDay = local - days * 86400;
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    const qint64 z = days + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    const int minutes = qAbs(offset) / 60;
    char text[32];
    char* p = text;
    const auto put = [&p](int value, int width) {
        for (int i = width - 1; i >= 0; --i) {
            p[i] = char('0' + value % 10);
            value /= 10;
        }
        p += width;
    };
    put(year, 4);
    *p++ = '-';
    put(month, 2);
    *p++ = '-';
    put(day, 2);
    *p++ = 'T';
    put(int(inDay / 3600), 2);
    *p++ = ':';
    put(int(inDay / 60 % 60), 2);
    *p++ = ':';
    put(int(inDay % 60), 2);
    *p++ = offset < 0 ? '-' : '+';
    put(minutes / 60, 2);
    *p++ = ':';
    put(minutes % 60, 2);
    return QString::fromLatin1(text, int(p - text));
}

QVariantMap EventRequest::Describe(const AffairInfo& record)
{
    AffairInfo r = record;
    const AffairPeriod period = r.GetPeriod();
    const QString picture = r.GetPicPath();
    QVariantMap m;
    m.insert(QStringLiteral("id"), r.GetAffairID());
    m.insert(QStringLiteral("title"), r.GetAffairTitle());
    QString next;
    if (r.IsArmed()) {
        next = IsoWithOffset(LocalTime::FromSecs(r.NextSecs()));
    } else if (r.IsActive()) {
        next = IsoWithOffset(r.GetNextTime());
    }
    m.insert(QStringLiteral("next"), next);
    m.insert(QStringLiteral("first"), IsoWithOffset(r.GetUserDateTime()));
    m.insert(QStringLiteral("every"), int(period.UnitCount()));
    m.insert(QStringLiteral("unit"), UnitName(period.MainUnit()));
    m.insert(QStringLiteral("active"), r.IsActive());
    m.insert(QStringLiteral("picture"),
             picture.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(picture).absoluteFilePath()));
    m.insert(QStringLiteral("snoozedUntil"),
             r.SnoozeSecs() > 0 ? IsoWithOffset(LocalTime::FromSecs(r.SnoozeSecs())) : QString());
    return m;
}
