// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QSettings;

// The six user options, read from "./ESetting.ini" when constructed. Made for one use.
class ESettings
{
public:
    static QString DefaultPath();

    ESettings();
    explicit ESettings(const QString& fileName);
    ~ESettings();

    void LoadOptions();
    // True only when the file on disk now holds the six options.
    bool SaveOptions();

    bool GetAutoStart() const { return AutoStart; }
    bool GetMinStart() const { return MinStart; }
    bool GetDelReminder() const { return DelReminder; }
    bool GetCancelReminder() const { return CancelReminder; }
    QString GetEffectiveColor() const { return EffectiveColor; }
    QString GetExpiredColor() const { return ExpiredColor; }
    bool GetPlaySound() const { return PlaySound; }

    void SetAutoStart(bool on) { AutoStart = on; }
    void SetMinStart(bool on) { MinStart = on; }
    void SetDelReminder(bool on) { DelReminder = on; }
    void SetCancelReminder(bool on) { CancelReminder = on; }
    void SetEffectiveColor(const QString& color) { EffectiveColor = color; }
    void SetExpiredColor(const QString& color) { ExpiredColor = color; }
    void SetPlaySound(bool on) { PlaySound = on; }

private:
    std::unique_ptr<QSettings> Settings;
    bool AutoStart = false;
    bool MinStart = false;
    bool DelReminder = true;
    bool CancelReminder = true;
    QString EffectiveColor;
    QString ExpiredColor;
    // A sound when a reminder comes on screen; off unless chosen.
    bool PlaySound = false;
};
