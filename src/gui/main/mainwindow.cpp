// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/mainwindow.h"
#include "ui_mainwindow.h"

#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/events/missedreminders.h"
#include "core/events/nextreminder.h"
#include "core/events/roworder.h"
#include "core/options/autostart.h"
#include "core/options/esettings.h"
#include "core/options/options.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"
#include "core/storage/datalocation.h"
#include "core/storage/safefile.h"
#include "gui/about/daboutdialog.h"
#include "gui/common/windowmodal.h"
#include "gui/effects/effectshow.h"
#include "gui/main/backupmessages.h"
#include "gui/main/eventrowtext.h"
#include "gui/main/misseddialog.h"
#include "gui/options/settingdialog.h"
#include "gui/paint/paintcpanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {
// What a row shows: the state once the next due moment is brought up to date, as for its texts.
bool ShownActive(AffairInfo record)
{
    record.GetNextTime();
    return record.IsActive();
}
} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
}

MainWindow::~MainWindow()
{
    delete Editor;
    delete Effect;
    delete ui;
}

QString MainWindow::IconPath()
{
    // An installed copy finds its icon in the shared data folder, a portable one beside itself.
    const QString found = DataLocation::resource(QStringLiteral("./icon/Pennibell.png"));
    if (QFileInfo(found).isAbsolute()) {
        return found;
    }
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("icon/Pennibell.png"));
}

QString MainWindow::HelpPath()
{
    const QString chm = DataLocation::resource(QStringLiteral("./PennibellHelp.chm"));
    if (QFileInfo::exists(chm)) {
        return QFileInfo(chm).absoluteFilePath();
    }
    return QFileInfo(DataLocation::resource(QStringLiteral("./help/index.html"))).absoluteFilePath();
}

void MainWindow::InitWindow()
{
    Opts = new Options(ESettings::DefaultPath(), this);
    connect(Opts, &Options::changed, this, &MainWindow::ColorRows);
    setMinimumSize(size());
    setMaximumSize(size());
    // A grip on a window that cannot be resized would only mislead.
    statusBar()->setSizeGripEnabled(false);
    InitTable();
    CreateTrayIcon();
    CreateReminderMenus();
    ApplyCodeTexts();
    ConnectActions();
    Editor = nullptr;
    Effect = nullptr;

    AffairsList.Clear();
    {
        // An unreadable file is moved aside by the store, so no save here can overwrite it.
        AffairStore store(AffairStore::DefaultPath());
        store.Load(&AffairsList);
    }
    AffairsList.RearmAll();
    RefreshTable();

    Timer = new QTimer(this);
    // Coarse timers may drift past a whole second, and a tick that skips the due second
    // misses the occurrence.
    Timer->setTimerType(Qt::PreciseTimer);
    connect(Timer, &QTimer::timeout, this, &MainWindow::eventdispose);
    Timer->start(1000);

    ApplyOptions();

    DataLocation::MakeFolders();
    CheckMissed();
}

void MainWindow::ShowAtStart(bool minStart)
{
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
    QTableWidget* table = ui->tableWidget;
    // The stretched last column never shrinks below the default section size; at Qt's
    // default of 100 it would overrun the 549 pixels left for it by one and bring up a
    // scroll bar.
    table->horizontalHeader()->setDefaultSectionSize(80);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A row chosen with the keyboard or a right click is remembered like a clicked one, so the
    // rebuild after a reminder does not move Delete, Edit or Preview to another event.
    connect(table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!Rebuilding && RowIndex(row) >= 0) {
            CurrentRow = RowIndex(row);
        }
    });
    // The list's own order until the user clicks a header.
    table->horizontalHeader()->setSortIndicatorShown(false);
    connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::SortBy);
    table->setColumnWidth(0, 100);
    table->setColumnWidth(1, 150);
    table->setColumnWidth(2, 100);
    table->setColumnWidth(3, 100);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* add = new QAction(this);
    auto* edit = new QAction(this);
    auto* del = new QAction(this);
    auto* preview = new QAction(this);
    connect(add, &QAction::triggered, this, &MainWindow::on_AddNew_clicked);
    connect(edit, &QAction::triggered, this, &MainWindow::on_Edit_clicked);
    connect(del, &QAction::triggered, this, &MainWindow::on_Delete_clicked);
    connect(preview, &QAction::triggered, this, &MainWindow::on_PreView_clicked);
    TableActions = {add, edit, del, preview};
    table->addActions(TableActions);
    // Return or a double click on a row edits it.
    edit->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    edit->setShortcutContext(Qt::WidgetShortcut);
    connect(table, &QTableWidget::doubleClicked, this, &MainWindow::on_Edit_clicked);

    CurrentRow = 0;
}

void MainWindow::CreateTrayIcon()
{
    auto* add = new QAction(this);
    auto* show = new QAction(this);
    auto* hide = new QAction(this);
    auto* quit = new QAction(this);
    TrayActions = {add, show, hide, quit};
    connect(add, &QAction::triggered, this, &MainWindow::on_AddNew_clicked);
    connect(show, &QAction::triggered, this, &MainWindow::showNormal);
    connect(hide, &QAction::triggered, this, &MainWindow::HideAndMin);
    connect(quit, &QAction::triggered, qApp, &MainWindow::Quit);

    auto* menu = new QMenu(this);
    menu->addAction(add);
    menu->addSeparator();
    menu->addAction(show);
    menu->addAction(hide);
    menu->addSeparator();
    menu->addAction(quit);

    const QIcon icon(IconPath());
    Tray = new QSystemTrayIcon(this);
    Tray->setContextMenu(menu);
    Tray->setIcon(icon);
    setWindowIcon(icon);

    Tray->setVisible(true);
    connect(Tray, &QSystemTrayIcon::activated, this, &MainWindow::iconActivated);
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
    if (Tray) {
        Tray->setToolTip(tr("Pennibell"));
    }
    ApplyReminderTexts();
}

void MainWindow::ConnectActions()
{
    connect(ui->actionAdd, &QAction::triggered, this, &MainWindow::on_AddNew_clicked);
    connect(ui->actionEdit, &QAction::triggered, this, &MainWindow::on_Edit_clicked);
    connect(ui->actionDelete, &QAction::triggered, this, &MainWindow::on_Delete_clicked);
    connect(ui->actionDelete_expired_events, &QAction::triggered, this, &MainWindow::DelExpired);
    connect(ui->actionPreview, &QAction::triggered, this, &MainWindow::on_PreView_clicked);
    connect(ui->actionBak, &QAction::triggered, this, &MainWindow::BackupFile);
    connect(ui->actionRestore, &QAction::triggered, this, &MainWindow::RestoreFile);
    connect(ui->actionOption, &QAction::triggered, this, &MainWindow::SettingPro);
    connect(ui->actionHide, &QAction::triggered, this, &MainWindow::HideAndMin);
    connect(ui->actionQuit, &QAction::triggered, qApp, &MainWindow::Quit);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::aboutme);
    connect(ui->actionContents, &QAction::triggered, this, &MainWindow::helptext);
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
        // The rows hold translated words ("Yes", the period units).
        RefreshTable();
    }
}

void MainWindow::HideAndMin()
{
    // Hiding would take an open question box with it.
    if (ModalOpen()) {
        return;
    }
    // Without a tray a hidden window could never be shown again; minimised it stays in reach.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
#ifdef Q_OS_WIN
    showMinimized();
#endif
    // An X11 window manager may act on a minimise sent just before hiding only once the window
    // is shown again, which then comes back minimised; hidden is enough there.
    setVisible(false);
}

void MainWindow::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick) {
        showNormal();
        raise();
        activateWindow();
    }
}

void MainWindow::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) {
        KeptPos = pos();
        PosKept = true;
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

void MainWindow::RefreshTable()
{
    QTableWidget* table = ui->tableWidget;
    Rebuilding = true;
    while (table->rowCount() > 0) {
        table->removeRow(0);
    }
    const QList<int> order =
        RowOrder::Sorted(AffairsList, SortColumn, SortUp ? Qt::AscendingOrder : Qt::DescendingOrder);
    for (int row = 0; row < order.size(); ++row) {
        const int i = order.at(row);
        AffairInfo record = AffairsList.At(i);
        table->insertRow(row);
        table->setVerticalHeaderItem(row, new QTableWidgetItem(record.GetAffairID()));
        const QDateTime next = record.GetNextTime();
        // Each row knows the list index it shows, whatever the order.
        auto* title = new QTableWidgetItem(record.GetAffairTitle());
        title->setData(Qt::UserRole, i);
        table->setItem(row, 0, title);
        table->setItem(row, 1, new QTableWidgetItem(EventRowText::DateText(next)));
        table->setItem(row, 2, new QTableWidgetItem(EventRowText::TimeText(next)));
        table->setItem(row, 3, new QTableWidgetItem(EventRowText::PeriodText(record.GetPeriod())));
        table->setItem(row, 4, new QTableWidgetItem(ShownActive(record) ? tr("Yes") : tr("No")));
    }
    const int remembered = qMin(CurrentRow, AffairsList.Count() - 1);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (RowIndex(row) == remembered) {
            table->selectRow(row);
        }
    }
    Rebuilding = false;
    ColorRows();
    // Every change of the list comes through here.
    UpdateTray();
}

void MainWindow::ColorRows()
{
    if (!Opts) {
        return;
    }
    const QColor effective = Opts->Current().GetEffectiveColor();
    const QColor expired = Opts->Current().GetExpiredColor();
    QTableWidget* table = ui->tableWidget;
    for (int row = 0; row < qMin(table->rowCount(), AffairsList.Count()); ++row) {
        const int index = RowIndex(row);
        if (index < 0) {
            continue;
        }
        const QColor& color = ShownActive(AffairsList.At(index)) ? effective : expired;
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem* cell = table->item(row, column)) {
                cell->setForeground(color);
            }
        }
    }
}

bool MainWindow::ApplyOptions()
{
    const AutoStart::Outcome entry =
        AutoStart::Apply(Opts->Current().GetAutoStart(), QCoreApplication::applicationFilePath(), IconPath());
    ColorRows();
    return entry != AutoStart::Outcome::Failed;
}

bool MainWindow::SaveAffairList()
{
    AffairStore store(AffairStore::DefaultPath());
    if (store.SaveAffairs(AffairsList)) {
        return true;
    }
    WindowModal::Warn(this, tr("Save events"),
                      tr("The events could not be saved to\n%1.\nYour changes will be lost when "
                         "Pennibell ends.")
                          .arg(QDir::toNativeSeparators(QFileInfo(store.FileName()).absoluteFilePath())));
    return false;
}

bool MainWindow::Ask(const QString& text)
{
    return WindowModal::Ask(this, tr("Delete event"), text);
}

void MainWindow::RemovePicture(const QString& path)
{
    // The path comes from the event file, which a user may edit; only our own picture
    // files may go.
    PictureFile::Remove(path);
}

void MainWindow::on_tableWidget_clicked(QModelIndex index)
{
    if (RowIndex(index.row()) >= 0) {
        CurrentRow = RowIndex(index.row());
    }
}

int MainWindow::CurrentIndex() const
{
    return RowIndex(ui->tableWidget->currentRow());
}

void MainWindow::on_Delete_clicked()
{
    const int index = CurrentIndex();
    if (index < 0) {
        return;
    }
    // Taken before asking: a dispatched event rebuilds the table while the question is open
    // and moves the current row.
    const QString id = AffairsList.At(index).GetAffairID();
    if (Opts->Current().GetDelReminder() && !Ask(tr("Event will be deleted.\nAre you sure?"))) {
        return;
    }
    const AffairInfo record = AffairsList.FindAffair(id);
    if (record.GetAffairID().isEmpty()) {
        return;
    }
    // The picture goes only once the list without the event is on disk: a failed save
    // keeps the event, with its picture.
    const AffairList before = AffairsList;
    AffairsList.RemoveAffair(id);
    if (SaveAffairList()) {
        RemovePicture(record.GetPicPath());
    } else {
        AffairsList = before;
    }
    RefreshTable();
}

void MainWindow::DelExpired()
{
    if (!Ask(tr("All of the expired events will be deleted.\nAre you sure to do this?"))) {
        return;
    }
    const AffairList before = AffairsList;
    AffairsList.RemoveByState(false);
    if (!SaveAffairList()) {
        AffairsList = before;
    } else {
        for (int i = 0; i < before.Count(); ++i) {
            if (!before.At(i).IsActive()) {
                RemovePicture(before.At(i).GetPicPath());
            }
        }
    }
    RefreshTable();
}

void MainWindow::SettingPro()
{
    SettingDialog dialog(Opts, this);
    if (WindowModal::Exec(&dialog) == QDialog::Accepted) {
        if (!dialog.ReadForm()) {
            WindowModal::Warn(
                this, tr("Options"),
                tr("The options could not be saved to\n%1.")
                    .arg(QDir::toNativeSeparators(QFileInfo(ESettings::DefaultPath()).absoluteFilePath())));
        }
        if (!ApplyOptions()) {
            // Saying nothing would leave the user believing Pennibell starts at log-on.
            WindowModal::Warn(this, tr("Options"), tr("The start at log-on could not be changed."));
        }
    }
}

void MainWindow::aboutme()
{
    DAboutDialog about(this);
    WindowModal::Exec(&about);
}

void MainWindow::helptext()
{
#ifdef Q_OS_WIN
    const QString chm = QDir::toNativeSeparators(QDir::currentPath()) + QStringLiteral("\\PennibellHelp.chm");
    if (QProcess::startDetached(QStringLiteral("C:/WINDOWS/hh.exe"), {chm})) {
        return;
    }
    const bool opened = QDesktopServices::openUrl(QUrl(QStringLiteral("./PennibellHelp.chm")));
#else
    const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(HelpPath()));
#endif
    if (!opened) {
        WindowModal::Inform(this, tr("Contents"),
                            tr("No program could be started to show the manual. You can open it "
                               "yourself:\n%1")
                                .arg(QDir::toNativeSeparators(HelpPath())));
    }
}

void MainWindow::eventdispose()
{
    Running.Mark(Clock::nowSecs());
    const AffairInfo due = Dispatcher.Tick();
    if (!due.GetAffairID().isEmpty()) {
        ShowReminder(due);
        RefreshTable();
    } else if (Clock::nowSecs() / 60 != TrayMinute) {
        // The tooltip names minutes: a pass over every event once a minute, not once a second.
        UpdateTray();
    }
}

void MainWindow::EffectOver()
{
    if (!Effect) {
        return;
    }
    disconnect(Effect, &EffectShow::EffectDone, this, &MainWindow::EffectOver);
    Effect->setVisible(false);
    // This runs inside the window's own EffectDone emission.
    Effect->deleteLater();
    Effect = nullptr;
    const AffairInfo next = Dispatcher.Dismissed();
    if (!next.GetAffairID().isEmpty()) {
        ShowReminder(next);
    } else {
        UpdateTray();
    }
}

void MainWindow::ShowInEffect(const AffairInfo& record)
{
    if (Effect) {
        disconnect(Effect, &EffectShow::EffectDone, this, &MainWindow::EffectOver);
        delete Effect;
        Effect = nullptr;
    }
    // A menu opened on the picture that goes would act on the one that comes.
    SnoozeMenu->hide();
    Effect = new EffectShow(nullptr, ScreenChoice::Where(Opts ? Opts->Current().GetShowRemindersOn() : 0));
    connect(Effect, &EffectShow::EffectDone, this, &MainWindow::EffectOver);
    // A right click offers the snooze choices; any other click still dismisses.
    Effect->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Effect, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (Effect) {
            ApplyReminderTexts();
            SnoozeMenu->popup(Effect->mapToGlobal(pos));
        }
    });
    const QVariantList effect = record.GetEffect();
    Effect->SetTitle(record.GetAffairTitle());
    // Only a path the program makes is read; anything else shows as a missing picture.
    const QString path = record.GetPicPath();
    Effect->PrepareEffect(PictureFile::IsProgramPath(path) ? path : QString(), effect.value(0).toInt(),
                          effect.value(1).toInt());
    Effect->SetDoneOnStop(false);
    if (Editor) {
        Editor->StackAbove(Effect);
    }
    Effect->StartEffect(30);
    UpdateTray();
}

void MainWindow::GetInforEvent()
{
    if (!Editor) {
        return;
    }
    if (isHidden()) {
        setVisible(true);
    }
    const bool saved = Editor->IsSaved();
    AffairInfo record = Editor->GetAffair();
    // An edited event starts afresh from its own due moments.
    record.SetSnooze(0);
    disconnect(Editor, &PaintCPanel::JobDone, this, &MainWindow::GetInforEvent);
    // We are inside the editor's JobDone() emission; it may only go once that has returned.
    Editor->deleteLater();
    Editor = nullptr;
    if (!saved) {
        return;
    }
    if (Adding) {
        AffairsList.AppendAffair(record);
        AffairsList.RearmAll();
        CurrentRow = AffairsList.Count() - 1;
    } else {
        // The event the editor was opened for, not the current row: the window may have been
        // brought back from the tray and another row chosen while the editor was open.
        // Deleted (or restored away) while the editor was open: the edit is kept as an event
        // rather than dropped with its freshly written picture.
        if (!AffairsList.ReplaceAffair(EditedID, record)) {
            AffairsList.AppendAffair(record);
        }
        AffairsList.RearmAll();
    }
    SaveAffairList();
    RefreshTable();
}

void MainWindow::OpenEditor(const AffairInfo& record)
{
    Editor = new PaintCPanel();
    Editor->SetAffair(record);
    connect(Editor, &PaintCPanel::JobDone, this, &MainWindow::GetInforEvent);
    Editor->ShowEditor();
    setVisible(false);
}

bool MainWindow::EditorOpen()
{
    // A drawing in progress is never thrown away by a second Add or Edit (from the tray, or
    // with the window brought back): the open editor comes forward instead.
    if (!Editor) {
        return false;
    }
    Editor->ShowEditor();
    return true;
}

bool MainWindow::ModalOpen()
{
    // The tray menu still works while a modal dialog runs its own event loop. Deleting the
    // editor under one of its dialogs (event details, colour, font, the cancel question) would
    // pull the window out from beneath that loop, and hiding this window would hide its own
    // question box with it; the dialog is brought forward to be answered first.
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        return false;
    }
    modal->raise();
    modal->activateWindow();
    return true;
}

void MainWindow::on_AddNew_clicked()
{
    if (ModalOpen() || EditorOpen()) {
        return;
    }
    Adding = true;
    AffairInfo record;
    record.Reset();
    EditedID.clear();
    OpenEditor(record);
}

void MainWindow::on_Edit_clicked()
{
    const int index = CurrentIndex();
    if (index < 0 || ModalOpen() || EditorOpen()) {
        return;
    }
    Adding = false;
    EditedID = AffairsList.At(index).GetAffairID();
    OpenEditor(AffairsList.FindAffair(EditedID));
}

void MainWindow::on_PreView_clicked()
{
    const int index = CurrentIndex();
    if (index < 0) {
        return;
    }
    ShowInEffect(AffairsList.At(index));
    // A preview is not a reminder: dismissing it must not be mistaken for this event's.
    Dispatcher.PreviewShown();
}

void MainWindow::BackupFile()
{
    if (AffairsList.Count() == 0) {
        WindowModal::Warn(this, tr(BackupMessages::NothingTitle), tr(BackupMessages::NothingText));
        return;
    }
    const BackupArchive::Outcome result = BackupArchive::Backup();
    if (!result.ok()) {
        // A backup the user believes in but that was never written is worse than none.
        WindowModal::Warn(this, tr(BackupMessages::FailedTitle),
                          tr(BackupMessages::FailedText) + result.reason);
        return;
    }
    WindowModal::Inform(this, tr(BackupMessages::DoneTitle),
                        tr(BackupMessages::DoneText) +
                            QDir::toNativeSeparators(QFileInfo(result.fileName).absoluteFilePath()));
}

void MainWindow::RestoreFile()
{
    QFileDialog chooser(this, tr(BackupMessages::RestoreCaption), BackupArchive::Folder(),
                        tr(BackupMessages::RestoreFilter));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (WindowModal::Exec(&chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return;
    }
    const QString fileName = chooser.selectedFiles().constFirst();
    // Asked only of a sound backup; any other is refused below with the reason.
    BackupArchive::Contents contents;
    QByteArray bytes;
    if (SafeFile::Read(fileName, BackupArchive::MaxBackupBytes, &bytes) &&
        BackupArchive::Parse(bytes, &contents) &&
        !WindowModal::Ask(this, tr(BackupMessages::RestoreCaption),
                          tr("Replace your %1 events with the %2 events of %3?")
                              .arg(AffairsList.Count())
                              .arg(contents.events.Count())
                              .arg(QDir::toNativeSeparators(fileName)))) {
        return;
    }
    // The archive checks the whole file before it touches anything, so on failure the
    // events, their pictures and the table stay as they are.
    AffairList restored;
    const BackupArchive::Outcome result = BackupArchive::Restore(fileName, AffairsList, &restored);
    if (!result.ok()) {
        WindowModal::Warn(this, tr(BackupMessages::RestoreFailedTitle),
                          tr(BackupMessages::RestoreFailedText) + result.reason);
        return;
    }
    AffairsList = restored;
    // A snooze whose moment passed before the backup was restored is not shown late.
    AffairsList.TakeSnoozed(Clock::nowSecs());
    // As at start-up: without re-arming, the restored events would never fall due.
    AffairsList.RearmAll();
    RefreshTable();
    WindowModal::Inform(this, tr(BackupMessages::RestoreCaption),
                        tr("Restored %1 events.").arg(AffairsList.Count()));
}

void MainWindow::CreateReminderMenus()
{
    SnoozeMenu = new QMenu(this);
    QMenu* tray = Tray->contextMenu();
    QAction* first = tray->actions().value(0);
    for (SnoozeChoice::Choice choice : SnoozeChoice::All()) {
        auto* own = new QAction(this);
        auto* fromTray = new QAction(this);
        connect(own, &QAction::triggered, this, [this, choice] { Snoozed(choice); });
        connect(fromTray, &QAction::triggered, this, [this, choice] { Snoozed(choice); });
        SnoozeActions.append(own);
        TraySnoozeActions.append(fromTray);
        SnoozeMenu->addAction(own);
        tray->insertAction(first, fromTray);
    }
    TraySnoozeActions.append(tray->insertSeparator(first));
    connect(tray, &QMenu::aboutToShow, this, &MainWindow::UpdateTray);
}

void MainWindow::ApplyReminderTexts()
{
    const QList<SnoozeChoice::Choice> choices = SnoozeChoice::All();
    // A preview can only be dismissed.
    const bool reminder = !Dispatcher.Showing().isEmpty();
    for (int i = 0; i < SnoozeActions.size(); ++i) {
        SnoozeActions.at(i)->setText(SnoozeChoice::Text(choices.at(i)));
        SnoozeActions.at(i)->setEnabled(reminder || choices.at(i) == SnoozeChoice::Dismiss);
        TraySnoozeActions.at(i)->setText(choices.at(i) == SnoozeChoice::Dismiss
                                             ? tr("Dismiss reminder")
                                             : SnoozeChoice::Text(choices.at(i)));
    }
}

void MainWindow::Snoozed(SnoozeChoice::Choice choice)
{
    if (!Effect) {
        return;
    }
    const qint64 until = SnoozeChoice::Until(choice, Clock::now());
    if (until == 0 || Dispatcher.Showing().isEmpty()) {
        EffectOver();
        return;
    }
    disconnect(Effect, &EffectShow::EffectDone, this, &MainWindow::EffectOver);
    Effect->setVisible(false);
    // The menu that chose this may still be running inside the window's own event.
    Effect->deleteLater();
    Effect = nullptr;
    const AffairInfo next = Dispatcher.Snooze(until);
    // Kept with the event, so it comes back after a restart too.
    SaveAffairList();
    UpdateTray();
    if (!next.GetAffairID().isEmpty()) {
        ShowReminder(next);
    }
}

void MainWindow::ShowReminder(const AffairInfo& record)
{
    ShowInEffect(record);
    if (Opts && Opts->Current().GetPlaySound()) {
        Sound.Ring();
    }
}

void MainWindow::CheckMissed()
{
    const qint64 now = Clock::nowSecs();
    QList<MissedReminders::Entry> missed;
    if (const std::optional<qint64> last = Running.Recorded()) {
        missed = MissedReminders::Between(AffairsList, *last, now);
    }
    // Like the occurrences, a snooze that came while the program was away is listed, not shown.
    AffairsList.TakeSnoozed(now);
    Running.Mark(now, true);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Running.Mark(Clock::nowSecs(), true); });
    UpdateTray();
    if (missed.isEmpty()) {
        return;
    }
    auto* dialog = new MissedDialog(missed, this);
    dialog->setObjectName(QStringLiteral("MissedDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &MissedDialog::ShowRequested, this, [this](const AffairInfo& entry) {
        const AffairInfo current = AffairsList.FindAffair(entry.GetAffairID());
        ShowInEffect(current.GetAffairID().isEmpty() ? entry : current);
        Dispatcher.PreviewShown();
    });
    dialog->show();
}

void MainWindow::UpdateTray()
{
    if (!Tray) {
        return;
    }
    TrayMinute = Clock::nowSecs() / 60;
    const QString text = NextReminder::ToolTip(AffairsList, Clock::now());
    if (Tray->toolTip() != text) {
        Tray->setToolTip(text);
    }
    // The tray offers the reminder's choices only while one is on screen, and "Dismiss reminder"
    // (for whoever cannot aim at a thin stroke) for a preview too.
    const bool showing = Effect && !Dispatcher.Showing().isEmpty();
    const QList<SnoozeChoice::Choice> choices = SnoozeChoice::All();
    for (int i = 0; i < TraySnoozeActions.size(); ++i) {
        const bool dismissOnly = i >= choices.size() || choices.at(i) == SnoozeChoice::Dismiss;
        TraySnoozeActions.at(i)->setVisible(showing || (Effect && dismissOnly));
    }
}

void MainWindow::SortBy(int column)
{
    if (column != SortColumn) {
        SortColumn = column;
        SortUp = true;
    } else if (SortUp) {
        SortUp = false;
    } else {
        SortColumn = -1;
    }
    QHeaderView* header = ui->tableWidget->horizontalHeader();
    header->setSortIndicatorShown(SortColumn >= 0);
    if (SortColumn >= 0) {
        header->setSortIndicator(SortColumn, SortUp ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    RefreshTable();
}

int MainWindow::RowIndex(int row) const
{
    const QTableWidgetItem* item = row >= 0 ? ui->tableWidget->item(row, 0) : nullptr;
    if (!item) {
        return -1;
    }
    const int index = item->data(Qt::UserRole).toInt();
    return index < AffairsList.Count() ? index : -1;
}
