// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/mainwindow.h"
#include "ui_mainwindow.h"

#include "core/events/reminderbook.h"
#include "core/options/autostart.h"
#include "core/options/esettings.h"
#include "core/options/options.h"
#include "gui/about/daboutdialog.h"
#include "gui/calendar/calendardialogs.h"
#include "gui/common/programfiles.h"
#include "gui/common/windowmodal.h"
#include "gui/main/backupflow.h"
#include "gui/main/eventtable.h"
#include "gui/main/misseddialog.h"
#include "gui/main/reminderscreen.h"
#include "gui/options/settingdialog.h"
#include "gui/paint/paintcpanel.h"
#include "gui/sync/syncfront.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

MainWindow::MainWindow(ReminderBook& book, Options& options, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), Book(book), Opts(options)
{
    ui->setupUi(this);
    Reminders = new ReminderScreen(Book, Opts, this);
    connect(Reminders, &ReminderScreen::failed, this,
            [this](const QString& why) { Warn(tr("Snooze"), why); });
    InitTable();
    CreateTrayIcon();
    ApplyCodeTexts();
    ConnectActions();
    connect(&Opts, &Options::changed, this, &MainWindow::ApplyColours);
    connect(&Book, &ReminderBook::nextChanged, this, &MainWindow::UpdateTray);
    connect(&Book, &ReminderBook::reminderDue, this, &MainWindow::UpdateTray);
    connect(&Book, &ReminderBook::reminderGone, this, &MainWindow::UpdateTray);
    ApplyOptions();
    UpdateTray();
}

MainWindow::~MainWindow()
{
    delete Editor;
    delete ui;
}

void MainWindow::ShowAtStart(bool minStart)
{
    // Back where the user left it, unless that screen is gone.
    const QRect place = Opts.Current().GetWindowPlace();
    if (place.isValid() && QGuiApplication::screenAt(place.center())) {
        setGeometry(place);
    }
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::KeepPlace);
    if (!minStart) {
        setVisible(true);
    } else if (QSystemTrayIcon::isSystemTrayAvailable()) {
        setVisible(false);
    } else {
        showMinimized();
    }
}

void MainWindow::InitTable()
{
    Table = new EventTable(Book, ui->tableWidget);
    connect(Table, &EventTable::choiceChanged, this, &MainWindow::UpdateButtons);
    QTableView* table = ui->tableWidget;
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    TableActions = {Action(&MainWindow::AddNew), Action(&MainWindow::EditCurrent),
                    Action(&MainWindow::DeleteCurrent), Action(&MainWindow::PreviewCurrent)};
    table->addActions(TableActions);
    QAction* edit = TableActions.at(1);
    // Return or a double click on a row edits it.
    edit->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    edit->setShortcutContext(Qt::WidgetShortcut);
    connect(table, &QTableView::doubleClicked, this, &MainWindow::EditCurrent);
    ApplyColours();
    UpdateButtons();
}

QString MainWindow::CurrentId() const
{
    return Table->CurrentId();
}

void MainWindow::UpdateButtons()
{
    const bool chosen = !CurrentId().isEmpty();
    for (QWidget* button : {static_cast<QWidget*>(ui->Edit), static_cast<QWidget*>(ui->Delete),
                            static_cast<QWidget*>(ui->PreView)}) {
        button->setEnabled(chosen);
    }
    for (QAction* action : {ui->actionEdit, ui->actionDelete, ui->actionPreview}) {
        action->setEnabled(chosen);
    }
    for (int i = 1; i < TableActions.size(); ++i) {
        TableActions.at(i)->setEnabled(chosen);
    }
}

QAction* MainWindow::Action(void (MainWindow::*slot)())
{
    auto* action = new QAction(this);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void MainWindow::CreateTrayIcon()
{
    QAction* add = Action(&MainWindow::AddNew);
    QAction* show = Action(&MainWindow::Bring);
    QAction* hide = Action(&MainWindow::HideAndMin);
    auto* quit = new QAction(this);
    TrayActions = {add, show, hide, quit};
    connect(quit, &QAction::triggered, qApp, &MainWindow::Quit);

    auto* menu = new QMenu(this);
    menu->addActions(Reminders->TrayActions());
    menu->addAction(add);
    menu->addSeparator();
    menu->addAction(show);
    menu->addAction(hide);
    menu->addSeparator();
    menu->addAction(quit);

    const QIcon icon(ProgramFiles::IconPath());
    Tray = new QSystemTrayIcon(this);
    Tray->setContextMenu(menu);
    Tray->setIcon(icon);
    setWindowIcon(icon);
    Tray->setVisible(true);
    connect(Tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            Bring();
        }
    });
}

void MainWindow::ApplyCodeTexts()
{
    setWindowTitle(tr("Pennibell"));
    const QStringList table = {tr("Add event"), tr("Edit event"), tr("Delete event"), tr("Preview event")};
    for (int i = 0; i < TableActions.size(); ++i) {
        TableActions.at(i)->setText(table.at(i));
    }
    const QStringList tray = {tr("Add New"), tr("Show"), tr("Hide"), tr("Quit")};
    for (int i = 0; i < TrayActions.size(); ++i) {
        TrayActions.at(i)->setText(tray.at(i));
    }
    Reminders->RetranslateUi();
    UpdateTray();
}

void MainWindow::ConnectActions()
{
    connect(ui->AddNew, &QPushButton::clicked, this, &MainWindow::AddNew);
    connect(ui->Edit, &QPushButton::clicked, this, &MainWindow::EditCurrent);
    connect(ui->Delete, &QPushButton::clicked, this, &MainWindow::DeleteCurrent);
    connect(ui->PreView, &QPushButton::clicked, this, &MainWindow::PreviewCurrent);
    connect(ui->actionAdd, &QAction::triggered, this, &MainWindow::AddNew);
    connect(ui->actionEdit, &QAction::triggered, this, &MainWindow::EditCurrent);
    connect(ui->actionDelete, &QAction::triggered, this, &MainWindow::DeleteCurrent);
    connect(ui->actionDelete_expired_events, &QAction::triggered, this, &MainWindow::DeleteExpired);
    connect(ui->actionPreview, &QAction::triggered, this, &MainWindow::PreviewCurrent);
    connect(ui->actionBak, &QAction::triggered, this, &MainWindow::BackupFile);
    connect(ui->actionRestore, &QAction::triggered, this, &MainWindow::RestoreFile);
    connect(ui->actionImport, &QAction::triggered, this, [this] { CalendarDialogs::Import(this, Book); });
    connect(ui->actionExport, &QAction::triggered, this, [this] { CalendarDialogs::Export(this, Book); });
    connect(ui->actionOption, &QAction::triggered, this, &MainWindow::SettingPro);
    connect(ui->actionHide, &QAction::triggered, this, &MainWindow::HideAndMin);
    connect(ui->actionQuit, &QAction::triggered, qApp, &MainWindow::Quit);
    connect(ui->actionAbout, &QAction::triggered, this, [this] {
        DAboutDialog about(this);
        WindowModal::Exec(&about);
    });
    connect(ui->actionContents, &QAction::triggered, this, [this] { ProgramFiles::OpenHelp(this); });
}

void MainWindow::Quit()
{
    // QCoreApplication::quit() first asks every visible window to close, and ours refuses
    // (it hides to the tray), so Quit would do nothing while the window is shown. exit()
    // ends the event loop without asking.
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    HideAndMin();
    event->ignore();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ApplyCodeTexts();
        Table->Retranslate();
    }
}

void MainWindow::HideAndMin()
{
    // Hiding would take an open question box with it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    // Without a tray a hidden window could never be shown again; minimised it stays in reach.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
    // An X11 window manager may act on a minimise sent just before hiding only once the window
    // is shown again, which then comes back minimised; hidden is enough there.
    setVisible(false);
}

void MainWindow::Bring()
{
    if (Editor) {
        Editor->ShowEditor();
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) {
        KeptPos = pos();
        PosKept = true;
        KeepPlace();
    }
}

void MainWindow::KeepPlace()
{
    // Kept in the options, so the next start shows the window where and as large as it was.
    const QRect place = geometry();
    if (isVisible() || PosKept) {
        if (Opts.Current().GetWindowPlace() != place) {
            Opts.Change([place](ESettings& s) { s.SetWindowPlace(place); });
        }
    }
}

void MainWindow::showEvent(QShowEvent* event)
{
    // Without a position of its own a shown-again window is placed anew by the window manager.
    if (!event->spontaneous() && PosKept) {
        move(KeptPos);
    }
    QMainWindow::showEvent(event);
}

void MainWindow::ApplyColours()
{
    Table->SetColours(Opts.Current().GetEffectiveColor(), Opts.Current().GetExpiredColor());
}

bool MainWindow::ApplyOptions()
{
    const AutoStart::Outcome entry = AutoStart::Apply(
        Opts.Current().GetAutoStart(), QCoreApplication::applicationFilePath(), ProgramFiles::IconPath());
    ApplyColours();
    return entry != AutoStart::Outcome::Failed;
}

void MainWindow::SetSync(SyncFront* sync)
{
    Sync = sync;
    connect(Sync, &SyncFront::statusChanged, this, &MainWindow::UpdateTray);
    UpdateTray();
}

void MainWindow::UpdateTray()
{
    const QString status = Sync ? Sync->Status() : QString();
    const QString text = status.isEmpty() ? Book.ToolTip() : Book.ToolTip() + QLatin1Char('\n') + status;
    if (Tray && Tray->toolTip() != text) {
        Tray->setToolTip(text);
    }
}

void MainWindow::Warn(const QString& title, const QString& text)
{
    WindowModal::Warn(this, title, text);
}

void MainWindow::DeleteCurrent()
{
    // Taken before asking: a reminder may change the table while the question is open.
    const QString id = CurrentId();
    const std::optional<AffairInfo> record = Book.Find(id);
    if (!record || (Opts.Current().GetDelReminder() &&
                    !WindowModal::Ask(this, tr("Delete event"),
                                      tr("Delete \"%1\"?").arg(record->GetAffairTitle().simplified())))) {
        return;
    }
    QString error;
    // Gone already (deleted from elsewhere while the question was open) is what was asked for.
    if (Book.Find(id) && !Book.Remove(id, &error)) {
        Warn(tr("Delete event"), error);
    }
}

void MainWindow::DeleteExpired()
{
    if (!WindowModal::Ask(this, tr("Delete event"),
                          tr("All of the expired events will be deleted.\nAre you sure to do this?"))) {
        return;
    }
    QString error;
    if (!Book.RemoveExpired(nullptr, &error)) {
        Warn(tr("Delete event"), error);
    }
}

void MainWindow::SettingPro()
{
    SettingDialog dialog(&Opts, this);
    if (Sync) {
        Sync->AddPage(&dialog);
    }
    if (WindowModal::Exec(&dialog) != QDialog::Accepted) {
        return;
    }
    if (!dialog.ReadForm()) {
        Warn(tr("Options"),
             tr("The options could not be saved to\n%1.")
                 .arg(QDir::toNativeSeparators(QFileInfo(ESettings::DefaultPath()).absoluteFilePath())));
    }
    if (!ApplyOptions()) {
        // Saying nothing would leave the user believing Pennibell starts at log-on.
        Warn(tr("Options"), tr("The start at log-on could not be changed."));
    }
}

bool MainWindow::BusyElsewhere()
{
    // The tray menu still works while a modal dialog runs its own event loop: deleting the editor
    // under one of its dialogs would pull the window out from beneath that loop. A drawing in
    // progress is never thrown away by a second Add or Edit: the open editor comes forward.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return true;
    }
    if (Editor) {
        Editor->ShowEditor();
        return true;
    }
    return false;
}

void MainWindow::AddNew()
{
    if (!BusyElsewhere()) {
        AffairInfo record;
        record.Reset();
        OpenEditor(record, QString());
    }
}

void MainWindow::EditCurrent()
{
    const std::optional<AffairInfo> record = Book.Find(CurrentId());
    if (record && !BusyElsewhere()) {
        OpenEditor(*record, record->GetAffairID());
    }
}

void MainWindow::PreviewCurrent()
{
    Book.ShowNow(CurrentId());
}

void MainWindow::OpenEditor(const AffairInfo& record, const QString& editedId)
{
    EditedId = editedId;
    Editor = new PaintCPanel();
    Editor->SetAffair(record);
    Reminders->SetCovering(Editor);
    connect(Editor, &PaintCPanel::JobDone, this, &MainWindow::EditorDone);
    Editor->ShowEditor();
    setVisible(false);
}

void MainWindow::EditorDone()
{
    if (!Editor) {
        return;
    }
    setVisible(true);
    const bool saved = Editor->IsSaved();
    const AffairInfo record = Editor->GetAffair();
    // We are inside the editor's JobDone() emission; it may only go once that has returned.
    Editor->deleteLater();
    Editor = nullptr;
    if (!saved) {
        return;
    }
    QString error;
    const bool done =
        EditedId.isEmpty() ? Book.Add(record, nullptr, &error) : Book.Replace(EditedId, record, &error);
    if (!done) {
        Warn(tr("Save events"), error);
    }
}

void MainWindow::BackupFile()
{
    BackupFlow::Backup(this, Book);
}

void MainWindow::RestoreFile()
{
    BackupFlow::Restore(this, Book);
}

void MainWindow::ShowMissed()
{
    const QList<MissedReminders::Entry> missed = Book.TakeMissed();
    if (missed.isEmpty()) {
        return;
    }
    auto* dialog = new MissedDialog(missed, this);
    dialog->setObjectName(QStringLiteral("MissedDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &MissedDialog::ShowRequested, this, [this](const AffairInfo& entry) {
        Book.Preview(Book.Find(entry.GetAffairID()).value_or(entry));
    });
    dialog->show();
}
