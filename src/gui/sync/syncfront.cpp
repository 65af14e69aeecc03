// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sync/syncfront.h"

#include "core/events/reminderbook.h"
#include "core/sync/davdiscovery.h"
#include "core/sync/synccommand.h"
#include "core/sync/syncservice.h"
#include "gui/common/windowmodal.h"
#include "gui/options/settingdialog.h"
#include "gui/sync/syncpage.h"

#include <QInputDialog>
#include <QPointer>

SyncFront::SyncFront(ReminderBook& book, QWidget* window)
    : QObject(window), Window(window), Adapter(&book), Sync(std::make_unique<SyncService>(&Adapter, &Codec))
{
    connect(Sync.get(), &SyncService::statusChanged, this, &SyncFront::statusChanged);
    connect(Sync.get(), &SyncService::finished, this, &SyncFront::Answer);
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

void SyncFront::AddPage(SettingDialog* dialog)
{
    auto* page = new SyncPage(Sync.get(), &Keeper, dialog);
    dialog->AddPage(page, SyncPage::Title(), [page] { return page->Apply(); });
}

namespace {

QVariantMap Answered(int status, const QString& out, const QString& err)
{
    return {{QStringLiteral("status"), status}, {QStringLiteral("out"), out}, {QStringLiteral("err"), err}};
}

} // namespace

void SyncFront::Serve(const QVariantMap& request, const Reply& reply)
{
    const QString url = request.value(QStringLiteral("url")).toString();
    if (!url.isEmpty()) {
        SetUpFor(QUrl(url), request.value(QStringLiteral("user")).toString(),
                 request.value(QStringLiteral("password")).toString(), reply);
        return;
    }
    if (!Sync->Configured()) {
        reply(Answered(1, {}, tr("No calendar is set up; use --sync-to first.")));
        return;
    }
    if (!Sync->HasPassword()) {
        reply(Answered(1, {}, tr("The sync password is not known yet: enter it on the Sync page.")));
        return;
    }
    SyncFor(reply);
}

void SyncFront::SyncFor(const Reply& reply, const QString& before)
{
    // A sync already under way may have missed what was changed just now: the answer waits for
    // the round after it.
    (Sync->Running() ? NextRound : ThisRound).append({reply, before});
    Sync->SyncNow();
}

void SyncFront::Answer(const SyncResult& result)
{
    const QString line = SyncCommand::Describe(result, Sync->CurrentState());
    const bool ok = result.outcome == SyncResult::Outcome::Synced;
    QList<QPair<Reply, QString>> due = ThisRound;
    ThisRound = NextRound;
    NextRound.clear();
    if (!ok) {
        // A failed round is followed only after a pause: those waiting for the next hear this one.
        due += ThisRound;
        ThisRound.clear();
    }
    for (const auto& [reply, before] : due) {
        reply(ok ? Answered(0, before + line + QLatin1Char('\n'), {}) : Answered(1, before, line));
    }
}

void SyncFront::SetUpFor(const QUrl& url, const QString& user, const QString& password, const Reply& reply)
{
    auto* client = new DavClient(this);
    client->SetCredentials(user, password);
    auto* discovery = new DavDiscovery(client, client);
    const auto fail = [client, reply](const QString& why) {
        client->deleteLater();
        reply(Answered(1, {}, why));
    };
    const auto use = [this, client, user, password, reply, fail](const QUrl& calendar,
                                                                 const QString& before) {
        QString error;
        if (!Sync->Configure(calendar, user, &error)) {
            fail(error);
            return;
        }
        client->deleteLater();
        Sync->SetPassword(password);
        QPointer<SyncFront> self(this);
        Keeper.Write(SyncCommand::AccountKey(user, calendar), password,
                     [self, reply, before](bool ok, const QString&, const QString& why) {
                         if (!self) {
                             return;
                         }
                         const QString note =
                             ok ? QString()
                                : SyncCommand::tr("The password could not be kept in the keyring (%1); it is "
                                                  "asked for at each start.")
                                          .arg(why) +
                                      QLatin1Char('\n');
                         self->SyncFor(reply, before + note);
                     });
    };
    connect(discovery, &DavDiscovery::found, client, [=](bool ok, const QString& why) {
        if (!ok) {
            fail(why);
            return;
        }
        const QUrl calendar = SyncCommand::Choose(discovery->Calendars(), url);
        if (!calendar.isEmpty()) {
            use(calendar, QString());
            return;
        }
        connect(discovery, &DavDiscovery::created, client,
                [=](bool made, const QUrl& where, const QString& error) {
                    if (!made) {
                        fail(error);
                        return;
                    }
                    use(where, SyncCommand::tr("Created the calendar \"Pennibell\" at %1.")
                                       .arg(where.toDisplayString()) +
                                   QLatin1Char('\n'));
                });
        discovery->Create();
    });
    discovery->Find(url);
}
