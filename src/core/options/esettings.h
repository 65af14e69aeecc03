// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user options, read from "./ESetting.ini" when constructed. Made for one use.
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
    // "Show reminders on": 0 the primary screen, 1 the screen under the pointer, 2 every screen.
    int GetShowRemindersOn() const { return ShowRemindersOn; }
    bool GetPlaySound() const { return PlaySound; }

    void SetAutoStart(bool on) { AutoStart = on; }
    void SetMinStart(bool on) { MinStart = on; }
    void SetDelReminder(bool on) { DelReminder = on; }
    void SetCancelReminder(bool on) { CancelReminder = on; }
    // A colour that is not rgb(R,G,B) with three numbers 0-255 is ignored.
    void SetEffectiveColor(const QString& color);
    void SetExpiredColor(const QString& color);
    void SetShowRemindersOn(int where) { ShowRemindersOn = where; }

    // rgb(R,G,B), no spaces, each 0-255; false for anything else.
    static bool ParseColor(const QString& text, int* red, int* green, int* blue);
    // The options file is a few hundred bytes; a larger one is not read.
    static constexpr qint64 MaxFileBytes = 64 * 1024;
    void SetPlaySound(bool on) { PlaySound = on; }
    // Reminders wait while the desktop is set to do not disturb, or while another program is
    // full screen; a desktop notification goes with each reminder.
    bool GetHoldDoNotDisturb() const { return HoldDoNotDisturb; }
    bool GetHoldFullScreen() const { return HoldFullScreen; }
    bool GetDesktopNotice() const { return DesktopNotice; }
    void SetHoldDoNotDisturb(bool on) { HoldDoNotDisturb = on; }
    void SetHoldFullScreen(bool on) { HoldFullScreen = on; }
    void SetDesktopNotice(bool on) { DesktopNotice = on; }

private:
    static QString CleanColor(const QString& text, const QString& fallback);

    QString Name;
    bool AutoStart = false;
    bool MinStart = false;
    bool DelReminder = true;
    bool CancelReminder = true;
    QString EffectiveColor;
    QString ExpiredColor;
    int ShowRemindersOn = 0;
    // A sound when a reminder comes on screen; off unless chosen.
    bool PlaySound = false;
    bool HoldDoNotDisturb = true;
    bool HoldFullScreen = true;
    bool DesktopNotice = false;
};
