// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairlist.h"
#include "core/events/duedispatcher.h"
#include "core/events/snoozechoice.h"
#include "core/system/lastrunning.h"
#include "core/system/remindersound.h"

#include <QMainWindow>
#include <QModelIndex>
#include <QSystemTrayIcon>

class QMenu;
class QTimer;
class PaintCPanel;
class EffectShow;
class Options;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void InitWindow();
    // Shown, or with minStart kept in the tray (minimised when there is no tray).
    void ShowAtStart(bool minStart);

    void RefreshTable();
    void ColorRows();
    // False when the auto-start entry could not be written or removed.
    bool ApplyOptions();
    // Writes the list to the event store; a failure is shown to the user, naming the file.
    bool SaveAffairList();

    const AffairList& Affairs() const { return AffairsList; }
    QSystemTrayIcon* TrayIcon() const { return Tray; }
    EffectShow* EffectWindow() const { return Effect; }
    // Read once at set-up; the options dialog changes them here.
    Options* AppOptions() const { return Opts; }
    // The menu a right click on a reminder opens.
    QMenu* ReminderMenu() const { return SnoozeMenu; }
    // Where the reminder sound goes (tests put in one that plays nothing).
    void SetSoundPlayer(std::unique_ptr<SoundPlayer> player) { Sound.SetPlayer(std::move(player)); }

    // The program icon, by its full path (the autostart entry names it too).
    static QString IconPath();
    // The help document "Contents" opens where there is no Windows help viewer.
    static QString HelpPath();
    // Ends the program, whether the window is shown or hidden.
    static void Quit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

public slots:
    void eventdispose();
    void GetInforEvent();
    void EffectOver();
    void on_AddNew_clicked();
    void on_Edit_clicked();
    void on_Delete_clicked();
    void on_PreView_clicked();
    void DelExpired();
    void BackupFile();
    void RestoreFile();
    void SettingPro();
    void HideAndMin();
    void aboutme();
    void helptext();
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void on_tableWidget_clicked(QModelIndex index);

private:
    void InitTable();
    void CreateTrayIcon();
    void ConnectActions();
    // The texts the form does not hold: set at start-up and again for a new language.
    void ApplyCodeTexts();
    bool Ask(const QString& text);
    // Replaces any open picture editor by a new one for `record` and hides this window.
    void OpenEditor(const AffairInfo& record);
    // Replaces any effect window by a new one showing the record's picture with its effect.
    void ShowInEffect(const AffairInfo& record);
    // The list index of the table's current row, -1 for none: row i shows record i.
    int CurrentIndex() const;
    static bool ModalOpen();
    bool EditorOpen();
    static void RemovePicture(const QString& path);
    // The reminder's right-click menu and the same choices at the top of the tray menu.
    void CreateReminderMenus();
    void ApplyReminderTexts();
    // The reminder on screen is dismissed, or snoozed until the choice's moment.
    void Snoozed(SnoozeChoice::Choice choice);
    // A reminder (not a preview) comes on screen, with its sound when chosen.
    void ShowReminder(const AffairInfo& record);
    // At start-up: tells what fell due since the last run, and starts keeping that moment.
    void CheckMissed();
    // The tooltip names the next reminder; the reminder's choices show while one is on screen.
    void UpdateTray();
    // A click on a column header: ascending, descending, then the list's own order again.
    void SortBy(int column);
    // The list index a table row shows; -1 for none.
    int RowIndex(int row) const;

    Ui::MainWindow* ui;
    QSystemTrayIcon* Tray = nullptr;
    // Add, edit, delete, preview in the table's context menu; add, show, hide, quit in the tray's.
    QList<QAction*> TableActions;
    QList<QAction*> TrayActions;
    // Where the user left the window, for showing it there again.
    QPoint KeptPos;
    bool PosKept = false;
    AffairList AffairsList;
    PaintCPanel* Editor = nullptr;
    EffectShow* Effect = nullptr;
    QTimer* Timer = nullptr;
    DueDispatcher Dispatcher{AffairsList};
    Options* Opts = nullptr;
    bool Adding = false;
    // The event an edit was opened for; its result replaces this one.
    QString EditedID;
    qint32 CurrentRow = 0;
    bool Rebuilding = false;
    QMenu* SnoozeMenu = nullptr;
    QList<QAction*> SnoozeActions;
    QList<QAction*> TraySnoozeActions;
    LastRunning Running;
    // The minute the tray's tooltip was last worked out in.
    qint64 TrayMinute = -1;
    ReminderSound Sound;
    int SortColumn = -1;
    bool SortUp = true;
};
