// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSystemTrayIcon>

class AffairInfo;
class EventTable;
class Options;
class PaintCPanel;
class ReminderBook;
class ReminderScreen;
class SyncFront;

namespace Ui {
class MainWindow;
}

// The book's window: its events in a table, the commands that change them, the tray icon with
// the next reminder, and the reminders on screen (through ReminderScreen). It keeps no rule of
// its own: every change is one of the book's operations, every refusal the book's reason.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(ReminderBook& book, Options& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shown, or with minStart kept in the tray (minimised when there is no tray).
    void ShowAtStart(bool minStart);
    // Tells what fell due while the program was away, once, after start-up.
    void ShowMissed();
    // Brings the window, or the open editor, to the front (a second start, the tray).
    void Bring();

    ReminderScreen* Screen() const { return Reminders; }
    // Offers the "Sync" page in the options and its last result in the tray.
    void SetSync(SyncFront* sync);
    // The identifier of the event in the table's current row; empty for none.
    QString CurrentId() const;

    // Ends the program, whether the window is shown or hidden.
    static void Quit();

public slots:
    void AddNew();
    void EditCurrent();
    void DeleteCurrent();
    void PreviewCurrent();
    void DeleteExpired();
    void BackupFile();
    void RestoreFile();
    void SettingPro();
    void HideAndMin();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A new action of the window that calls `slot`.
    QAction* Action(void (MainWindow::*slot)());
    void InitTable();
    void CreateTrayIcon();
    void ConnectActions();
    // The texts the form does not hold: set at start-up and again for a new language.
    void ApplyCodeTexts();
    void ApplyColours();
    // False when the auto-start entry could not be written or removed.
    bool ApplyOptions();
    void UpdateTray();
    void UpdateButtons();
    void KeepPlace();
    // Replaces any open picture editor by a new one for `record` and hides this window.
    void OpenEditor(const AffairInfo& record, const QString& editedId);
    void EditorDone();
    // A modal dialog or an open editor comes forward instead of a second one opening.
    bool BusyElsewhere();
    void Warn(const QString& title, const QString& text);

    Ui::MainWindow* ui;
    ReminderBook& Book;
    Options& Opts;
    EventTable* Table = nullptr;
    ReminderScreen* Reminders = nullptr;
    QSystemTrayIcon* Tray = nullptr;
    // Add, edit, delete, preview in the table's context menu; add, show, hide, quit in the tray's.
    QList<QAction*> TableActions;
    QList<QAction*> TrayActions;
    QPointer<PaintCPanel> Editor;
    SyncFront* Sync = nullptr;
    // The event an edit was opened for (empty for a new one); its result replaces that one.
    QString EditedId;
    // Where the user left the window, for showing it there again.
    QPoint KeptPos;
    bool PosKept = false;
};
