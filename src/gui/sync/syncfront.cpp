// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sync/syncfront.h"

#include "core/events/reminderbook.h"
#include "core/sync/synccommand.h"
#include "core/sync/syncservice.h"
#include "gui/common/windowmodal.h"
#include "gui/sync/syncpage.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QVBoxLayout>

SyncFront::SyncFront(ReminderBook& book, QWidget* window)
    : QObject(window), Window(window), Adapter(&book), Sync(std::make_unique<SyncService>(&Adapter, &Codec))
{
    connect(Sync.get(), &SyncService::statusChanged, this, &SyncFront::statusChanged);
    connect(&book, &ReminderBook::eventsChanged, Sync.get(), &SyncService::LocalChanged);
    // A wiped or wrong calendar would take more than half of the events with it: asked first.
    connect(Sync.get(), &SyncService::removalsNeedConsent, this, [this](int count) {
        if (WindowModal::Ask(Window, SyncPage::Title(),
                             tr("The calendar no longer holds %n of your events. Delete them here too?",
                                nullptr, count))) {
            Sync->SyncNow(true);
        }
    });
}

SyncFront::~SyncFront() = default;

void SyncFront::Start()
{
    QString error;
    if (!Sync->Load(&error) || !Sync->Configured()) {
        return;
    }
    const SyncState& state = Sync->CurrentState();
    Keeper.Read(SyncCommand::AccountKey(state.user, state.collection),
                [this](bool ok, const QString& password, const QString&) {
                    QString given = password;
                    if (!ok) {
                        // Without a keyring the password lives only as long as this run.
                        bool entered = false;
                        given = QInputDialog::getText(Window, SyncPage::Title(), SyncPage::NoKeyringText(),
                                                      QLineEdit::Password, QString(), &entered);
                        if (!entered) {
                            return;
                        }
                    }
                    Sync->SetPassword(given);
                    Sync->Start();
                });
}

QString SyncFront::Status() const
{
    return Sync->Configured() ? Sync->StatusText() : QString();
}

void SyncFront::OpenPage()
{
    QDialog dialog(Window);
    dialog.setWindowTitle(SyncPage::Title());
    auto* page = new SyncPage(Sync.get(), &Keeper, &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, page] {
        // The page says itself what was wrong; the dialog stays for another try.
        if (page->Apply()) {
            dialog.accept();
        }
    });
    WindowModal::Exec(&dialog);
}
