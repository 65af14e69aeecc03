// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/esettings.h"

#include <QSettings>

QString ESettings::DefaultPath()
{
    return QStringLiteral("./ESetting.ini");
}

ESettings::ESettings() : ESettings(DefaultPath()) {}

ESettings::ESettings(const QString& fileName)
    : Settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    Settings->setAtomicSyncRequired(true);
    LoadOptions();
}

ESettings::~ESettings() = default;

void ESettings::LoadOptions()
{
    AutoStart = Settings->value(QStringLiteral("/ESystem/AutoStart"), QStringLiteral("0")).toBool();
    MinStart = Settings->value(QStringLiteral("/ESystem/MinStart"), QStringLiteral("0")).toBool();
    DelReminder = Settings->value(QStringLiteral("/ERemind/DelReminder"), QStringLiteral("1")).toBool();
    CancelReminder = Settings->value(QStringLiteral("/ERemind/CancelReminder"), QStringLiteral("1")).toBool();
    EffectiveColor =
        Settings->value(QStringLiteral("/EColor/EffectiveColor"), QStringLiteral("rgb(0,0,255)")).toString();
    ExpiredColor =
        Settings->value(QStringLiteral("/EColor/ExpiredColor"), QStringLiteral("rgb(255,0,0)")).toString();
    PlaySound = Settings->value(QStringLiteral("/ERemind/PlaySound"), QStringLiteral("0")).toBool();
}

bool ESettings::SaveOptions()
{
    Settings->clear();
    Settings->setValue(QStringLiteral("/ESystem/AutoStart"), AutoStart);
    Settings->setValue(QStringLiteral("/ESystem/MinStart"), MinStart);
    Settings->setValue(QStringLiteral("/ERemind/DelReminder"), DelReminder);
    Settings->setValue(QStringLiteral("/ERemind/CancelReminder"), CancelReminder);
    Settings->setValue(QStringLiteral("/EColor/EffectiveColor"), EffectiveColor);
    Settings->setValue(QStringLiteral("/EColor/ExpiredColor"), ExpiredColor);
    // Written only when on, so a file that never chose a sound keeps its six keys.
    if (PlaySound) {
        Settings->setValue(QStringLiteral("/ERemind/PlaySound"), true);
    }
    Settings->sync();
    return Settings->status() == QSettings::NoError;
}
