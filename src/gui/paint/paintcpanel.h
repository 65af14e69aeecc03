// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairinfo.h"
#include "gui/events/affaireditdialog.h"
#include "gui/paint/paintwidget.h"

#include <QCursor>
#include <QKeySequence>
#include <QList>
#include <QWidget>
#include <functional>

class QAction;
class QButtonGroup;
class EffectShow;

namespace Ui {
class PaintCPanel;
}

// The picture editor: a small always-on-top tool panel driving the full-screen canvas and
// the event dialog. It reports the end of its work with JobDone(); the owner then asks
// IsSaved() and GetAffair().
class PaintCPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PaintCPanel(QWidget* parent = nullptr);
    ~PaintCPanel() override;

    // True when the event's stored picture is on the sheet.
    bool SetAffair(const AffairInfo& affair);
    void ShowEditor();
    bool IsSaved() const { return Saved; }
    AffairInfo GetAffair() const { return Affair; }

    // Makes a reminder shown while the editor is open appear above it.
    void StackAbove(QWidget* reminder);

    PaintWidget* Canvas() { return &Paint; }
    AffairEditDialog* EventDialog() { return &Dialog; }

    // The cursor that shows the area a rubber of this width clears.
    static QCursor RubberCursor(int width);
    static QCursor PencilCursor();

signals:
    void JobDone();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_MyPenWidth_valueChanged(int width);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_MyColor_clicked();
    void on_MyText_clicked();
    void on_MyRubber_clicked();
    void on_MyEllipse_clicked();
    void on_MyRectangle_clicked();
    void on_MyLine_clicked();
    void on_MyPencil_clicked();
    void epreview(int et, int ed);
    void EffectOver();
    void SetHideOrShow();
    void on_MyFill_clicked();
    void on_MyFont_clicked();
    void on_MyUndo_clicked();
    void on_MyRedo_clicked();
    void on_MyOpen_clicked();
    void PastePicture();
    void UpdateHistoryButtons();
    void ShowDropRefusal(const QString& reason);

private:
    // True when the user confirmed leaving (or was not asked).
    bool ConfirmCancel();
    void Finish(bool saved);
    // Brings the panel back above the canvas once nothing modal is open.
    void KeepOnTop();
    // The sheet and the panel back from the task bar (or wherever a window manager put them).
    void Unminimise();
    // Tooltips naming each tool's key, after the form has set the plain ones.
    void ApplyToolTips();
    // A shortcut for the sheet and the panel alike.
    QAction* AddShortcut(const QList<QKeySequence>& keys, const std::function<void()>& run);
    void StepPenWidth(int direction);

    Ui::PaintCPanel* ui;
    QString PicPath;
    bool Saved = false;
    AffairInfo Affair;
    EffectShow* Preview = nullptr;
    AffairEditDialog Dialog;
    PaintWidget Paint;
    QButtonGroup* Tools = nullptr;
    // The canvas was hidden since the panel was last tied to it.
    bool Retie = false;
    // Where the last picture was opened from, for the next "Open picture…".
    QString PictureFolder;
};
