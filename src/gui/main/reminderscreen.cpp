// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/reminderscreen.h"

#include "core/events/clock.h"
#include "core/events/reminderbook.h"
#include "core/events/reminderhold.h"
#include "core/options/options.h"
#include "core/picture/picturefile.h"
#include "gui/effects/effectshow.h"
#include "gui/paint/paintcpanel.h"
#include "gui/platform/desktopnotice.h"
#include "gui/platform/donotdisturb.h"
#include "gui/platform/fullscreenwatch.h"

#include <QAction>
#include <QMenu>

ReminderScreen::ReminderScreen(ReminderBook& book, const Options& options, QObject* parent)
    : QObject(parent), Book(book), Opts(options)
{
    SnoozeMenu = new QMenu();
    for (SnoozeChoice::Choice choice : SnoozeChoice::All()) {
        auto* own = new QAction(this);
        auto* fromTray = new QAction(this);
        connect(own, &QAction::triggered, this, [this, choice] { Choose(choice); });
        connect(fromTray, &QAction::triggered, this, [this, choice] { Choose(choice); });
        SnoozeActions.append(own);
        TraySnoozeActions.append(fromTray);
        SnoozeMenu->addAction(own);
    }
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    TraySnoozeActions.append(separator);
    RetranslateUi();
    UpdateActions();
    connect(&book, &ReminderBook::reminderDue, this, &ReminderScreen::Show);
    connect(&book, &ReminderBook::reminderGone, this, &ReminderScreen::Close);
    // A full-screen window is asked after once a tick, before anything falls due in it.
    connect(&book, &ReminderBook::ticking, this, &ReminderScreen::ApplyHolds);
    connect(&options, &Options::changed, this, &ReminderScreen::ApplyHolds);
    Notice = new DesktopNotice(this);
    connect(Notice, &DesktopNotice::chosen, this, [this](const QString& id, SnoozeChoice::Choice choice) {
        if (Effect && Book.Showing() == id) {
            Choose(choice);
        }
    });
}

void ReminderScreen::WatchDesktop()
{
    if (!Quiet) {
        Quiet = new DoNotDisturbWatch(this);
        connect(Quiet, &DoNotDisturbWatch::changed, this, &ReminderScreen::ApplyHolds);
        Quiet->Start();
    }
}

void ReminderScreen::ApplyHolds()
{
    const ESettings& options = Opts.Current();
    Book.SetHeld(ReminderHold::DoNotDisturb, Quiet && Quiet->Active() && options.GetHoldDoNotDisturb());
    Book.SetHeld(ReminderHold::FullScreen,
                 options.GetHoldFullScreen() &&
                     FullScreenWatch::OtherFullScreen(ScreenChoice::Where(options.GetShowRemindersOn())));
}

ReminderScreen::~ReminderScreen()
{
    delete Effect;
    delete SnoozeMenu;
}

void ReminderScreen::RetranslateUi()
{
    const QList<SnoozeChoice::Choice> choices = SnoozeChoice::All();
    for (int i = 0; i < choices.size(); ++i) {
        SnoozeActions.at(i)->setText(SnoozeChoice::Text(choices.at(i)));
        TraySnoozeActions.at(i)->setText(choices.at(i) == SnoozeChoice::Dismiss
                                             ? tr("Dismiss reminder")
                                             : SnoozeChoice::Text(choices.at(i)));
    }
}

void ReminderScreen::UpdateActions()
{
    // A preview can only be dismissed.
    const bool reminder = Effect && !Book.Showing().isEmpty();
    const QList<SnoozeChoice::Choice> choices = SnoozeChoice::All();
    for (int i = 0; i < TraySnoozeActions.size(); ++i) {
        const bool dismiss = i >= choices.size() || choices.at(i) == SnoozeChoice::Dismiss;
        TraySnoozeActions.at(i)->setVisible(reminder || (Effect && dismiss));
        if (i < SnoozeActions.size()) {
            SnoozeActions.at(i)->setEnabled(reminder || dismiss);
        }
    }
}

void ReminderScreen::Show(const AffairInfo& record, bool preview)
{
    Close();
    Effect = new EffectShow(nullptr, ScreenChoice::Where(Opts.Current().GetShowRemindersOn()));
    // A click on the picture dismisses it; the book then shows what waits.
    connect(Effect, &EffectShow::EffectDone, &Book, &ReminderBook::Dismiss, Qt::QueuedConnection);
    // A right click offers the snooze choices instead.
    Effect->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Effect, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (Effect) {
            UpdateActions();
            SnoozeMenu->popup(Effect->mapToGlobal(pos));
        }
    });
    const EffectChoice effect = record.GetEffect();
    Effect->SetTitle(record.GetAffairTitle());
    // Only a path the program makes is read; anything else shows as a missing picture.
    const QString path = record.GetPicPath();
    Effect->PrepareEffect(PictureFile::IsProgramPath(path) ? path : QString(), effect.kind, effect.direction);
    Effect->SetDoneOnStop(false);
    if (auto* editor = qobject_cast<PaintCPanel*>(Covering.data())) {
        editor->StackAbove(Effect);
    }
    Effect->StartEffect(30);
    UpdateActions();
    if (!preview && Opts.Current().GetPlaySound()) {
        Sound.Ring();
    }
    if (!preview && Opts.Current().GetDesktopNotice()) {
        Notice->Show(record.GetAffairID(), record.GetAffairTitle(), Clock::now());
    }
}

void ReminderScreen::Close()
{
    // A menu opened on the picture that goes would act on the one that comes.
    SnoozeMenu->hide();
    if (Effect) {
        disconnect(Effect, nullptr, this, nullptr);
        disconnect(Effect, nullptr, &Book, nullptr);
        Effect->setVisible(false);
        // This may run inside the window's own event (a click, its menu).
        Effect->deleteLater();
        Effect = nullptr;
    }
    Notice->Close();
    UpdateActions();
}

void ReminderScreen::Choose(SnoozeChoice::Choice choice)
{
    if (!Effect) {
        return;
    }
    QString error;
    if (!Book.Snooze(SnoozeChoice::Until(choice, Clock::now()), &error)) {
        emit failed(error);
    }
}
