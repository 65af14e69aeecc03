// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/paint/paintcpanel.h"

#include "core/events/clock.h"
#include "core/options/esettings.h"
#include "core/picture/imageimport.h"
#include "core/picture/picturefile.h"
#include "core/storage/datalocation.h"
#include "gui/common/windowmodal.h"
#include "gui/effects/effectshow.h"
#include "ui_paintcpanel.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

PaintCPanel::PaintCPanel(QWidget* parent) : QWidget(parent), ui(new Ui::PaintCPanel)
{
    ui->setupUi(this);
#ifdef Q_OS_WIN
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
#else
    // X11 window managers take the frameless, screen-sized canvas for a full-screen window
    // and stack it above every "stay on top" window once it has the focus, that is at the
    // first stroke. A tool window belonging to the canvas (see ShowEditor) stays above it.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
#endif

    Tools = new QButtonGroup(this);
    Tools->setExclusive(true);
    for (QPushButton* button :
         {ui->MyPencil, ui->MyLine, ui->MyRectangle, ui->MyEllipse, ui->MyText, ui->MyRubber, ui->MyFill}) {
        button->setCheckable(true);
        Tools->addButton(button);
    }
    ui->MyPencil->setChecked(true);
    // The style widens every button with text to 80 pixels; the panel is drawn two 60-pixel
    // columns wide, and only a translation that needs more should widen it.
    for (QPushButton* button : {ui->MyOpen, ui->pushButton, ui->pushButton_2, ui->pushButton_3}) {
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        button->setMinimumWidth(
            qMax(button->minimumWidth(), button->fontMetrics().horizontalAdvance(button->text()) + 16));
    }
    ui->MyPenWidth->setRange(1, 100);
    ui->MyPenWidth->setValue(5);

    const QSize iconSize(45, 30);
    const struct
    {
        QPushButton* button;
        const char* file;
    } icons[] = {{ui->MyPencil, "./icon/ppen.png"},     {ui->MyLine, "./icon/pline.png"},
                 {ui->MyRectangle, "./icon/prect.png"}, {ui->MyEllipse, "./icon/pcircle.png"},
                 {ui->MyText, "./icon/ptext.png"},      {ui->MyRubber, "./icon/prubber.png"},
                 {ui->MyColor, "./icon/pcolor.png"},    {ui->MyFill, "./icon/pfill.png"},
                 {ui->MyFont, "./icon/pfont.png"},      {ui->MyUndo, "./icon/pundo.png"},
                 {ui->MyRedo, "./icon/predo.png"}};
    for (const auto& entry : icons) {
        entry.button->setIconSize(iconSize);
        entry.button->setIcon(QIcon(DataLocation::resource(QString::fromLatin1(entry.file))));
    }

    connect(&Paint, &PaintWidget::HideOrShowPancel, this, &PaintCPanel::SetHideOrShow);
    connect(&Paint, &PaintWidget::HistoryChanged, this, &PaintCPanel::UpdateHistoryButtons);
    // Not from inside the drop itself: the other program waits for the drop to end.
    connect(&Paint, &PaintWidget::DropRefused, this, &PaintCPanel::ShowDropRefusal, Qt::QueuedConnection);
    UpdateHistoryButtons();

    // The event dialog belongs to the panel, so that, modal to the editor only, it leaves the
    // reminders on the desktop within reach. Made a child only now, or the form's connections
    // by name would take its buttons for ours.
    Dialog.setParent(this, Dialog.windowFlags());

    // Escape on the sheet or the panel is "Cancel", with its question.
    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WindowShortcut);
    addAction(escape);
    Paint.addAction(escape);
    connect(escape, &QAction::triggered, this, &PaintCPanel::on_pushButton_3_clicked);
    Paint.installEventFilter(this);

    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { on_MyUndo_clicked(); });
    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                [this] { on_MyRedo_clicked(); });
    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { on_MyOpen_clicked(); });
    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_V)}, [this] { PastePicture(); });
    // The text box takes letters while it is open (a line edit claims its keys first), so the
    // tool keys never steal what the user types.
    const struct
    {
        QPushButton* button;
        Qt::Key key;
    } tools[] = {{ui->MyPencil, Qt::Key_P},  {ui->MyLine, Qt::Key_L},   {ui->MyRectangle, Qt::Key_R},
                 {ui->MyEllipse, Qt::Key_E}, {ui->MyRubber, Qt::Key_X}, {ui->MyText, Qt::Key_T},
                 {ui->MyFill, Qt::Key_F}};
    for (const auto& tool : tools) {
        QPushButton* button = tool.button;
        AddShortcut({QKeySequence(tool.key)}, [button] { button->click(); });
    }
    AddShortcut({QKeySequence(Qt::Key_BracketLeft)}, [this] { StepPenWidth(-1); });
    AddShortcut({QKeySequence(Qt::Key_BracketRight)}, [this] { StepPenWidth(1); });
    ApplyToolTips();
}

QAction* PaintCPanel::AddShortcut(const QList<QKeySequence>& keys, const std::function<void()>& run)
{
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    Paint.addAction(action);
    connect(action, &QAction::triggered, this, run);
    return action;
}

void PaintCPanel::ApplyToolTips()
{
    const struct
    {
        QAbstractButton* button;
        QKeySequence key;
    } keys[] = {
        {ui->MyPencil, QKeySequence(Qt::Key_P)},         {ui->MyLine, QKeySequence(Qt::Key_L)},
        {ui->MyRectangle, QKeySequence(Qt::Key_R)},      {ui->MyEllipse, QKeySequence(Qt::Key_E)},
        {ui->MyRubber, QKeySequence(Qt::Key_X)},         {ui->MyText, QKeySequence(Qt::Key_T)},
        {ui->MyFill, QKeySequence(Qt::Key_F)},           {ui->MyUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ui->MyRedo, QKeySequence(Qt::CTRL | Qt::Key_Y)}};
    for (const auto& entry : keys) {
        entry.button->setToolTip(
            tr("%1 (%2)").arg(entry.button->toolTip(), entry.key.toString(QKeySequence::NativeText)));
    }
    ui->MyPenWidth->setToolTip(ui->MyPenWidth->toolTip() + QLatin1Char('\n') + tr("[ thinner, ] thicker"));
}

void PaintCPanel::StepPenWidth(int direction)
{
    // Steps in proportion, so a thick pen is reached in a few presses and a thin one still
    // changes pixel by pixel.
    const int width = ui->MyPenWidth->value();
    ui->MyPenWidth->setValue(width + direction * qMax(1, width / 5));
}

bool PaintCPanel::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the canvas gives it the focus even while a dialog of the editor blocks it,
    // and the window manager then lifts it, as a full-screen window, over that dialog: the
    // dialog takes the focus back.
    if (watched == &Paint && event->type() == QEvent::WindowActivate) {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->raise();
            modal->activateWindow();
        }
    }
    if (watched == &Paint && event->type() == QEvent::WindowStateChange && Paint.isMinimized()) {
        QTimer::singleShot(0, this, &PaintCPanel::Unminimise);
    }
    return QWidget::eventFilter(watched, event);
}

PaintCPanel::~PaintCPanel()
{
    delete Preview;
    delete ui;
}

bool PaintCPanel::SetAffair(const AffairInfo& affair)
{
    // On the sheet's screen, which is the one under the pointer.
    move(Paint.geometry().topLeft());
    setWindowTitle(tr("Paint"));
    if (affair.GetAffairID().isEmpty()) {
        ui->pushButton_2->setEnabled(false);
    }
    Saved = false;
    Affair = affair;
    PicPath = affair.GetPicPath();
    Paint.ResetCanvas(QColor(0, 0, 255, 255), ui->MyPenWidth->value());
    on_MyPencil_clicked();
    return PictureFile::IsProgramPath(PicPath) && Paint.LoadPicture(PicPath);
}

void PaintCPanel::ShowEditor()
{
    // Called again while open (Add New, the tray): whatever became of the windows, the sheet
    // and its panel come back to the front.
    if (Paint.isMinimized()) {
        Paint.showNormal();
    }
    if (isMinimized()) {
        showNormal();
    }
    Paint.show();
#ifndef Q_OS_WIN
    // The panel still has no parent widget; it is only stacked as the canvas's tool window.
    winId();
    if (windowHandle() && Paint.windowHandle()) {
        windowHandle()->setTransientParent(Paint.windowHandle());
    }
#endif
    show();
    raise();
    activateWindow();
}

void PaintCPanel::StackAbove(QWidget* reminder)
{
#ifndef Q_OS_WIN
    if (Paint.isHidden()) {
        return;
    }
    // A focused canvas is taken for a full-screen window and covers every other window but its
    // own transients; the reminder is made one. The tie is for the window manager only, which
    // reads it when the reminder is shown: for Qt it is undone then, or the editor's dialogs,
    // modal to the canvas and its panel, would block the reminder's click.
    reminder->winId();
    QWindow* window = reminder->windowHandle();
    window->setTransientParent(Paint.windowHandle());
    // Queued: the signal comes before the native window is mapped.
    connect(
        window, &QWindow::visibleChanged, window,
        [window](bool visible) {
            if (visible) {
                window->setTransientParent(nullptr);
            }
        },
        Qt::QueuedConnection);
#else
    Q_UNUSED(reminder);
#endif
}

void PaintCPanel::Unminimise()
{
    // The panel cannot be minimised away from its sheet: without a task bar nothing would
    // bring the two back. Minimising either minimises nothing.
    if (isHidden() && Paint.isHidden()) {
        return;
    }
    if (Paint.isMinimized()) {
        Paint.showNormal();
    }
    if (isMinimized()) {
        showNormal();
    }
    if (!QApplication::activeModalWidget() && isVisible()) {
        raise();
        activateWindow();
    }
}

void PaintCPanel::KeepOnTop()
{
    // Not while one of the editor's dialogs is open: it is the one to stay in front then.
    if (isHidden() || Paint.isHidden() || QApplication::activeModalWidget()) {
        return;
    }
#ifndef Q_OS_WIN
    // While the canvas was away (a preview), the window manager forgot that the panel belongs to
    // it, and the canvas, taken for a full-screen window, would cover the panel at its next
    // click. Showing the panel again renews the tie.
    if (Retie) {
        hide();
        show();
    }
#endif
    Retie = false;
    raise();
    activateWindow();
}

QCursor PaintCPanel::PencilCursor()
{
    const QPixmap pen(DataLocation::resource(QStringLiteral("./icon/ppen.png")));
    if (pen.isNull()) {
        // Without its icon the pencil would have no visible cursor at all.
        return QCursor(Qt::CrossCursor);
    }
    return QCursor(pen.scaled(60, 40, Qt::IgnoreAspectRatio, Qt::FastTransformation), 8, 39);
}

QCursor PaintCPanel::RubberCursor(int width)
{
    QPixmap shape(width, width);
    shape.fill(QColor(0, 0, 0, 0));
    QPainter painter(&shape);
    painter.setPen(QPen(QColor(0, 0, 0, 255), 1));
    painter.setBrush(QColor(255, 255, 255, 255));
    painter.drawEllipse(1, 1, width - 2, width - 2);
    painter.end();
    return QCursor(shape, width / 2, width / 2);
}

void PaintCPanel::on_MyPenWidth_valueChanged(int width)
{
    Paint.DrawPen().setWidth(width);
    Paint.RubberPen().setWidth(width);
    if (ui->MyRubber->isChecked()) {
        Paint.setCursor(RubberCursor(width));
    }
}

void PaintCPanel::on_pushButton_clicked()
{
    Dialog.SetAffair(Affair);
    connect(&Dialog, &AffairEditDialog::startprev, this, &PaintCPanel::epreview);
    if (WindowModal::Exec(&Dialog) == QDialog::Accepted) {
        Affair = Dialog.GetAffair();
        ui->pushButton_2->setEnabled(true);
    }
    disconnect(&Dialog, &AffairEditDialog::startprev, this, &PaintCPanel::epreview);
    KeepOnTop();
}

void PaintCPanel::on_pushButton_2_clicked()
{
    // Only the program's own names are kept; anything else gets a fresh one that no other
    // picture holds yet.
    QString path = PicPath;
    if (!PictureFile::IsProgramPath(path)) {
        path = PictureFile::NewPath(Clock::now());
    }
    // Text still being typed, or a picture still being placed, is part of what the user sees,
    // so part of what is saved.
    Paint.FinishPending();
    QString reason;
    if (path.isEmpty() || !Paint.SavePicture(path, &reason)) {
        // Reporting this event as saved would leave it pointing at a picture that is not
        // there; stay open with the drawing so the user can free space or try again.
        WindowModal::Warn(this, tr("Paint"),
                          tr("The picture could not be saved to \"%1\":\n%2").arg(path, reason));
        return;
    }
    PicPath = path;
    Affair.SetPicPath(PicPath);
    Finish(true);
}

bool PaintCPanel::ConfirmCancel()
{
    ESettings settings;
    if (!settings.GetCancelReminder()) {
        return true;
    }
    return WindowModal::Ask(this, tr("Paint"),
                            tr("Event has not been saved.\nDo you want to quit without saving?"));
}

void PaintCPanel::on_pushButton_3_clicked()
{
    if (ConfirmCancel()) {
        Finish(false);
    }
}

// Emitting JobDone() is the last thing done: the owner may delete this window from its slot.
void PaintCPanel::Finish(bool saved)
{
    Saved = saved;
    Paint.hide();
    hide();
    emit JobDone();
}

void PaintCPanel::closeEvent(QCloseEvent* event)
{
    event->ignore();
    on_pushButton_3_clicked();
}

void PaintCPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ApplyToolTips();
        setWindowTitle(tr("Paint"));
    }
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // After the window system has finished minimising, or it would undo the restore.
        QTimer::singleShot(0, this, &PaintCPanel::Unminimise);
    }
}

void PaintCPanel::on_MyColor_clicked()
{
    // Opened on the pen's colour: accepting at once must not turn the pen white, which is
    // transparent on the desktop.
    QColor color = Paint.DrawPen().color();
    if (WindowModal::ChooseColor(this, &color)) {
        Paint.DrawPen().setColor(color);
    }
}

// The text tool only places text; the font has its own button, so the keys typed next go
// into the text and not into a dialog.
void PaintCPanel::on_MyText_clicked()
{
    Paint.SetTool(PaintWidget::Text);
    Paint.setCursor(Qt::ArrowCursor);
}

void PaintCPanel::on_MyFont_clicked()
{
    QFont font = Paint.TextFont();
    if (WindowModal::ChooseFont(this, &font)) {
        Paint.SetTextFont(font);
    }
    KeepOnTop();
}

void PaintCPanel::on_MyFill_clicked()
{
    Paint.SetTool(PaintWidget::Fill);
    Paint.setCursor(Qt::PointingHandCursor);
}

void PaintCPanel::on_MyUndo_clicked()
{
    Paint.Undo();
}

void PaintCPanel::on_MyRedo_clicked()
{
    Paint.Redo();
}

void PaintCPanel::UpdateHistoryButtons()
{
    ui->MyUndo->setEnabled(Paint.CanUndo());
    ui->MyRedo->setEnabled(Paint.CanRedo());
}

void PaintCPanel::on_MyOpen_clicked()
{
    if (PictureFolder.isEmpty()) {
        PictureFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    QFileDialog chooser(this, tr("Open picture"), PictureFolder,
                        tr("Pictures (%1)").arg(patterns.join(QLatin1Char(' '))) + QStringLiteral(";;") +
                            tr("All files (*)"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    const bool chosen =
        WindowModal::Exec(&chooser) == QDialog::Accepted && !chooser.selectedFiles().isEmpty();
    KeepOnTop();
    if (!chosen) {
        return;
    }
    const QString path = chooser.selectedFiles().constFirst();
    PictureFolder = QFileInfo(path).absolutePath();
    QImage picture;
    QString reason;
    if (!ImageImport::ReadFile(path, Paint.GetImage().size(), &picture, &reason)) {
        WindowModal::Warn(this, tr("Paint"),
                          tr("\"%1\" could not be opened:\n%2").arg(QFileInfo(path).fileName(), reason));
        KeepOnTop();
        return;
    }
    Paint.PlacePicture(picture);
}

void PaintCPanel::PastePicture()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QString reason;
    if (mime && Paint.PlaceFrom(mime, &reason)) {
        return;
    }
    WindowModal::Warn(this, tr("Paint"),
                      reason.isEmpty() ? tr("The clipboard holds no picture.")
                                       : tr("The picture could not be pasted:\n%1").arg(reason));
    KeepOnTop();
}

void PaintCPanel::ShowDropRefusal(const QString& reason)
{
    WindowModal::Warn(this, tr("Paint"),
                      reason.isEmpty() ? tr("What was dropped is not a picture.")
                                       : tr("The dropped picture could not be opened:\n%1").arg(reason));
    KeepOnTop();
}

void PaintCPanel::on_MyRubber_clicked()
{
    Paint.SetTool(PaintWidget::Rubber);
    Paint.setCursor(RubberCursor(ui->MyPenWidth->value()));
}

void PaintCPanel::on_MyEllipse_clicked()
{
    Paint.SetTool(PaintWidget::Ellipse);
    Paint.setCursor(Qt::CrossCursor);
}

void PaintCPanel::on_MyRectangle_clicked()
{
    Paint.SetTool(PaintWidget::Rectangle);
    Paint.setCursor(Qt::CrossCursor);
}

void PaintCPanel::on_MyLine_clicked()
{
    Paint.SetTool(PaintWidget::Line);
    Paint.setCursor(Qt::CrossCursor);
}

void PaintCPanel::on_MyPencil_clicked()
{
    Paint.SetTool(PaintWidget::Pencil);
    Paint.setCursor(PencilCursor());
}

void PaintCPanel::epreview(int et, int ed)
{
    if (Preview) {
        delete Preview;
        Preview = nullptr;
    }
    // A preview belongs where the user is drawing: the sheet opened under the pointer.
    Preview = new EffectShow(nullptr, ScreenChoice::UnderPointer);
    connect(Preview, &EffectShow::EffectDone, this, &PaintCPanel::EffectOver);
    Paint.FinishPending();
    Preview->PrepareEffect(Paint.GetImage(), et, ed);
    Preview->SetDoneOnStop(true);
    Preview->StartEffect(30);
    Paint.hide();
    Retie = true;
}

void PaintCPanel::EffectOver()
{
    if (Preview) {
        disconnect(Preview, &EffectShow::EffectDone, this, &PaintCPanel::EffectOver);
        Preview->hide();
        // The window reports from inside its own handler; let that return before it goes.
        Preview->deleteLater();
        Preview = nullptr;
    }
    // Shown back without the focus: a focused canvas is taken for a full-screen window and
    // covers the event dialog still open over it.
    Paint.setAttribute(Qt::WA_ShowWithoutActivating, true);
    Paint.show();
    Paint.setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (Dialog.isVisible()) {
        Dialog.raise();
        Dialog.activateWindow();
    }
    KeepOnTop();
}

void PaintCPanel::SetHideOrShow()
{
    setVisible(isHidden());
}
