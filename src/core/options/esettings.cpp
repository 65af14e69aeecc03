// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"

#include "core/storage/safefile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

const QString EffectiveDefault = QStringLiteral("rgb(0,0,255)");
const QString ExpiredDefault = QStringLiteral("rgb(255,0,0)");

// Only false, off, no and 0 (and nothing at all) are false; any other text is true.
bool readBool(const QSettings& settings, const QString& key, bool fallback)
{
    if (!settings.contains(key)) {
        return fallback;
    }
    const QString text = settings.value(key).toString().trimmed().toLower();
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

ESettings::~ESettings() = default;

bool ESettings::ParseColor(const QString& text, int* red, int* green, int* blue)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("rgb\\(([0-9]{1,3}),([0-9]{1,3}),([0-9]{1,3})\\)")));
    const QRegularExpressionMatch match = pattern.match(text);
    int c[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        c[i] = match.hasMatch() ? match.captured(i + 1).toInt() : 256;
        if (c[i] > 255) {
            return false;
        }
    }
    *red = c[0];
    *green = c[1];
    *blue = c[2];
    return true;
}

QString ESettings::CleanColor(const QString& text, const QString& fallback)
{
    // The text goes into style sheets: only ever the three numbers, written anew.
    int r = 0;
    int g = 0;
    int b = 0;
    if (!ParseColor(text, &r, &g, &b)) {
        return fallback;
    }
    return QStringLiteral("rgb(%1,%2,%3)").arg(r).arg(g).arg(b);
}

void ESettings::LoadOptions()
{
    AutoStart = false;
    MinStart = false;
    DelReminder = true;
    CancelReminder = true;
    EffectiveColor = EffectiveDefault;
    ExpiredColor = ExpiredDefault;
    HoldDoNotDisturb = true;
    HoldFullScreen = true;
    DesktopNotice = false;
    // The settings reader follows links and would wait on a FIFO or read a device for ever.
    if (!SafeFile::SafeToParse(Name, MaxFileBytes)) {
        return;
    }
    const QSettings settings(Name, QSettings::IniFormat);
    AutoStart = readBool(settings, QStringLiteral("ESystem/AutoStart"), false);
    MinStart = readBool(settings, QStringLiteral("ESystem/MinStart"), false);
    DelReminder = readBool(settings, QStringLiteral("ERemind/DelReminder"), true);
    CancelReminder = readBool(settings, QStringLiteral("ERemind/CancelReminder"), true);
    EffectiveColor =
        CleanColor(settings.value(QStringLiteral("EColor/EffectiveColor")).toString(), EffectiveDefault);
    ExpiredColor =
        CleanColor(settings.value(QStringLiteral("EColor/ExpiredColor")).toString(), ExpiredDefault);
    // Anything but the two other choices is the primary screen, the behaviour before the option.
    const int where = settings.value(QStringLiteral("ESystem/ShowRemindersOn"), 0).toInt();
    ShowRemindersOn = where == 1 || where == 2 ? where : 0;
    PlaySound = readBool(settings, QStringLiteral("ERemind/PlaySound"), false);
    HoldDoNotDisturb = readBool(settings, QStringLiteral("ERemind/HoldDoNotDisturb"), true);
    HoldFullScreen = readBool(settings, QStringLiteral("ERemind/HoldFullScreen"), true);
    DesktopNotice = readBool(settings, QStringLiteral("ERemind/DesktopNotification"), false);
}

bool ESettings::SaveOptions()
{
    QList<QPair<QString, QVariant>> values{{QStringLiteral("/ESystem/AutoStart"), AutoStart},
                                           {QStringLiteral("/ESystem/MinStart"), MinStart},
                                           {QStringLiteral("/ERemind/DelReminder"), DelReminder},
                                           {QStringLiteral("/ERemind/CancelReminder"), CancelReminder},
                                           {QStringLiteral("/EColor/EffectiveColor"), EffectiveColor},
                                           {QStringLiteral("/EColor/ExpiredColor"), ExpiredColor},
                                           {QStringLiteral("/ESystem/ShowRemindersOn"), ShowRemindersOn}};
    // Written only when on, so a file that never chose a sound keeps the keys it had.
    if (PlaySound) {
        values.append({QStringLiteral("/ERemind/PlaySound"), true});
    }
    // Likewise each of these only when it differs from its default.
    if (!HoldDoNotDisturb) {
        values.append({QStringLiteral("/ERemind/HoldDoNotDisturb"), false});
    }
    if (!HoldFullScreen) {
        values.append({QStringLiteral("/ERemind/HoldFullScreen"), false});
    }
    if (DesktopNotice) {
        values.append({QStringLiteral("/ERemind/DesktopNotification"), true});
    }
    return SafeFile::WriteIni(Name, values);
}

void ESettings::SetEffectiveColor(const QString& color)
{
    EffectiveColor = CleanColor(color, EffectiveColor);
}

void ESettings::SetExpiredColor(const QString& color)
{
    ExpiredColor = CleanColor(color, ExpiredColor);
}
