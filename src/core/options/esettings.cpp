// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"

#include <QRect>

#include "core/storage/inifile.h"
#include "core/storage/safefile.h"

#include <QRegularExpression>

// One row per option: where it is stored and which field it fills. Reading and writing both
// walk this table, so a key cannot be read under one name and written under another.
struct ESettings::Key
{
    const char* Section;
    const char* Name;
    bool ESettings::*Flag = nullptr;
    QColor ESettings::*Color = nullptr;
    int ESettings::*Choice = nullptr;
    int Choices = 0; // a choice is 0 .. Choices - 1; anything else is 0
    // Written only when it differs from its default, so a file that never chose it keeps the
    // keys it had.
    bool OnlyWhenChanged = false;
    // "x,y,width,height"; written only once set.
    QRect ESettings::*Place = nullptr;
};

const ESettings::Key ESettings::Keys[] = {
    {"ESystem", "AutoStart", &ESettings::AutoStart},
    {"ESystem", "MinStart", &ESettings::MinStart},
    {"ERemind", "DelReminder", &ESettings::DelReminder},
    {"ERemind", "CancelReminder", &ESettings::CancelReminder},
    {"EColor", "EffectiveColor", nullptr, &ESettings::EffectiveColor},
    {"EColor", "ExpiredColor", nullptr, &ESettings::ExpiredColor},
    {"ESystem", "ShowRemindersOn", nullptr, nullptr, &ESettings::ShowRemindersOn, 3},
    {"ERemind", "PlaySound", &ESettings::PlaySound, nullptr, nullptr, 0, true},
    {"ERemind", "HoldDoNotDisturb", &ESettings::HoldDoNotDisturb, nullptr, nullptr, 0, true},
    {"ERemind", "HoldFullScreen", &ESettings::HoldFullScreen, nullptr, nullptr, 0, true},
    {"ERemind", "DesktopNotification", &ESettings::DesktopNotice, nullptr, nullptr, 0, true},
    {"EWindow", "Geometry", nullptr, nullptr, nullptr, 0, true, &ESettings::WindowPlace},
};

namespace {
// Only false, off, no and 0 (and nothing at all) are false; any other text is true.
bool isTrue(const QString& value)
{
    const QString text = value.trimmed().toLower();
    return !(text.isEmpty() || text == QLatin1String("false") || text == QLatin1String("off") ||
             text == QLatin1String("no") || text == QLatin1String("0"));
}
} // namespace

QString ESettings::DefaultPath()
{
    return QStringLiteral("./ESetting.ini");
}

ESettings::ESettings() : ESettings(DefaultPath()) {}

ESettings::ESettings(const QString& fileName) : Name(fileName)
{
    LoadOptions();
}

bool ESettings::ParseColor(const QString& text, QColor* color)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("rgb\\(([0-9]{1,3}),([0-9]{1,3}),([0-9]{1,3})\\)")));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    int c[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        c[i] = match.captured(i + 1).toInt();
        if (c[i] > 255) {
            return false;
        }
    }
    *color = QColor(c[0], c[1], c[2]);
    return true;
}

QString ESettings::ColorText(const QColor& color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

void ESettings::LoadOptions()
{
    // The defaults are those of a fresh object.
    const QString name = Name;
    *this = ESettings(NoFile{});
    Name = name;

    // Read whole without following a link, from a regular file only: no FIFO, no device.
    QByteArray bytes;
    IniFile ini;
    if (!SafeFile::Read(Name, MaxFileBytes, &bytes) || !ini.Parse(bytes, 1024)) {
        return;
    }
    for (const Key& key : Keys) {
        const QString section = QLatin1String(key.Section);
        const QString entry = QLatin1String(key.Name);
        if (!ini.Contains(section, entry)) {
            continue;
        }
        const QString value = ini.Value(section, entry);
        if (key.Flag) {
            this->*key.Flag = isTrue(value);
        } else if (key.Color) {
            ParseColor(value, &(this->*key.Color));
        } else if (key.Choice) {
            bool number = false;
            const int choice = value.trimmed().toInt(&number);
            this->*key.Choice = number && choice >= 0 && choice < key.Choices ? choice : 0;
        } else if (key.Place) {
            this->*key.Place = ParsePlace(value);
        }
    }
}

QRect ESettings::ParsePlace(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) {
        return QRect();
    }
    int n[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = parts.at(i).trimmed().toInt(&ok);
        // No screen is this large: a number beyond it is damage, not a place.
        if (!ok || qAbs(n[i]) > 100000) {
            return QRect();
        }
    }
    const QRect place(n[0], n[1], n[2], n[3]);
    return place.width() > 0 && place.height() > 0 ? place : QRect();
}

bool ESettings::SaveOptions()
{
    IniFile ini;
    const ESettings defaults(NoFile{});
    for (const Key& key : Keys) {
        const QString section = QLatin1String(key.Section);
        const QString entry = QLatin1String(key.Name);
        if (key.Flag && (!key.OnlyWhenChanged || this->*key.Flag != defaults.*key.Flag)) {
            ini.Set(section, entry, this->*key.Flag);
        } else if (key.Color) {
            ini.Set(section, entry, ColorText(this->*key.Color));
        } else if (key.Choice) {
            ini.Set(section, entry, this->*key.Choice);
        } else if (key.Place && (this->*key.Place).isValid()) {
            const QRect& r = this->*key.Place;
            ini.Set(section, entry,
                    QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
        }
    }
    return SafeFile::Write(Name, ini.Text());
}

void ESettings::SetEffectiveColor(const QColor& color)
{
    if (color.isValid()) {
        EffectiveColor = color.toRgb();
        EffectiveColor.setAlpha(255);
    }
}

void ESettings::SetExpiredColor(const QColor& color)
{
    if (color.isValid()) {
        ExpiredColor = color.toRgb();
        ExpiredColor.setAlpha(255);
    }
}
