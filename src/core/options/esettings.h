// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

// The user options, read from "./ESetting.ini" when constructed. Made for one use.
class ESettings
{
public:
    static QString DefaultPath();

    ESettings();
    explicit ESettings(const QString& fileName);

    void LoadOptions();
    // True only when the file on disk now holds the options.
    bool SaveOptions();

    bool GetAutoStart() const { return AutoStart; }
    bool GetMinStart() const { return MinStart; }
    bool GetDelReminder() const { return DelReminder; }
    bool GetCancelReminder() const { return CancelReminder; }
    QColor GetEffectiveColor() const { return EffectiveColor; }
    QColor GetExpiredColor() const { return ExpiredColor; }
    // "Show reminders on": 0 the primary screen, 1 the screen under the pointer, 2 every screen.
    int GetShowRemindersOn() const { return ShowRemindersOn; }
    bool GetPlaySound() const { return PlaySound; }

    void SetAutoStart(bool on) { AutoStart = on; }
    void SetMinStart(bool on) { MinStart = on; }
    void SetDelReminder(bool on) { DelReminder = on; }
    void SetCancelReminder(bool on) { CancelReminder = on; }
    // Opaque; an invalid colour is ignored.
    void SetEffectiveColor(const QColor& color);
    void SetExpiredColor(const QColor& color);
    // QColor would take "rgb(...)" as a colour name and quietly make it invalid.
    void SetEffectiveColor(const QString&) = delete;
    void SetExpiredColor(const QString&) = delete;
    void SetShowRemindersOn(int where) { ShowRemindersOn = where; }
    void SetPlaySound(bool on) { PlaySound = on; }
    // Reminders wait while the desktop is set to do not disturb, or while another program is
    // full screen; a desktop notification goes with each reminder.
    bool GetHoldDoNotDisturb() const { return HoldDoNotDisturb; }
    bool GetHoldFullScreen() const { return HoldFullScreen; }
    bool GetDesktopNotice() const { return DesktopNotice; }
    void SetHoldDoNotDisturb(bool on) { HoldDoNotDisturb = on; }
    void SetHoldFullScreen(bool on) { HoldFullScreen = on; }
    void SetDesktopNotice(bool on) { DesktopNotice = on; }
    // Where the main window was last, to come back there; invalid for none.
    QRect GetWindowPlace() const { return WindowPlace; }
    void SetWindowPlace(const QRect& place) { WindowPlace = place; }

    // The stored form of a colour: rgb(R,G,B), no spaces, each 0-255. Anything else is no
    // colour (the text once went into style sheets).
    static bool ParseColor(const QString& text, QColor* color);
    static QString ColorText(const QColor& color);
    static QRect ParsePlace(const QString& text);

    // The options file is a few hundred bytes; a larger one is not read.
    static constexpr qint64 MaxFileBytes = 64 * 1024;

private:
    struct NoFile
    {
    };
    explicit ESettings(NoFile) {}

    struct Key;
    static const Key Keys[];

    QString Name;
    bool AutoStart = false;
    bool MinStart = false;
    bool DelReminder = true;
    bool CancelReminder = true;
    QColor EffectiveColor{0, 0, 255};
    QColor ExpiredColor{255, 0, 0};
    int ShowRemindersOn = 0;
    // A sound when a reminder comes on screen; off unless chosen.
    bool PlaySound = false;
    bool HoldDoNotDisturb = true;
    bool HoldFullScreen = true;
    bool DesktopNotice = false;
    QRect WindowPlace;
};
