// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sync/syncpage.h"

#include "core/sync/davdiscovery.h"
#include "core/sync/passwordkeeper.h"
#include "core/sync/synccommand.h"
#include "core/sync/syncservice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

SyncPage::SyncPage(SyncService* service, PasswordKeeper* keeper, QWidget* parent)
    : QWidget(parent), Service(service), Keeper(keeper), Client(new DavClient(this)),
      Discovery(new DavDiscovery(Client, this)), Server(new QLineEdit(this)), User(new QLineEdit(this)),
      Password(new QLineEdit(this)), Calendar(new QComboBox(this)),
      FindButton(new QPushButton(tr("Find calendars"), this)),
      CreateButton(new QPushButton(tr("Create \"Pennibell\""), this)),
      SyncButton(new QPushButton(tr("Sync now"), this)), Status(new QLabel(this)), Note(new QLabel(this)),
      Foreign(new QListWidget(this))
{
    setObjectName(QStringLiteral("SyncPage"));
    Server->setObjectName(QStringLiteral("sync_server"));
    User->setObjectName(QStringLiteral("sync_user"));
    Password->setObjectName(QStringLiteral("sync_password"));
    Calendar->setObjectName(QStringLiteral("sync_calendar"));
    SyncButton->setObjectName(QStringLiteral("sync_now"));
    Status->setObjectName(QStringLiteral("sync_status"));
    Note->setObjectName(QStringLiteral("sync_note"));
    Foreign->setObjectName(QStringLiteral("sync_foreign"));
    Password->setEchoMode(QLineEdit::Password);
    Server->setPlaceholderText(QStringLiteral("https://"));
    Note->setWordWrap(true);
    Status->setWordWrap(true);
    CreateButton->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(tr("Server address:"), Server);
    form->addRow(tr("User name:"), User);
    form->addRow(tr("Password:"), Password);
    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(Calendar, 1);
    calendarRow->addWidget(FindButton);
    calendarRow->addWidget(CreateButton);
    form->addRow(tr("Calendar:"), calendarRow);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(Status, 1);
    statusRow->addWidget(SyncButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Note);
    layout->addLayout(statusRow);
    layout->addWidget(new QLabel(tr("Left on the server, not shown here:"), this));
    layout->addWidget(Foreign, 1);

    const SyncState& state = Service->CurrentState();
    if (!state.collection.isEmpty()) {
        QUrl server = state.collection;
        Server->setText(server.toString());
        Calendar->addItem(state.collection.toDisplayString(), state.collection);
    }
    User->setText(state.user);
    if (Service->HasPassword()) {
        // Unchanged unless typed anew; the keyring keeps the real one.
        Password->setPlaceholderText(tr("(kept in the keyring)"));
    }
    connect(FindButton, &QPushButton::clicked, this, &SyncPage::FindCalendars);
    connect(Discovery, &DavDiscovery::found, this, &SyncPage::Found);
    connect(CreateButton, &QPushButton::clicked, this, [this] {
        CreateButton->setEnabled(false);
        Discovery->Create();
    });
    connect(Discovery, &DavDiscovery::created, this, [this](bool ok, const QUrl& url, const QString& error) {
        if (!ok) {
            Note->setText(error);
            return;
        }
        Calendar->addItem(QStringLiteral("Pennibell"), url);
        Calendar->setCurrentIndex(Calendar->count() - 1);
    });
    connect(SyncButton, &QPushButton::clicked, this, [this] {
        if (Apply()) {
            Service->SyncNow();
            Refresh();
        }
    });
    connect(Service, &SyncService::statusChanged, this, &SyncPage::Refresh);
    Refresh();
}

SyncPage::~SyncPage() = default;

QString SyncPage::Title()
{
    return tr("Sync");
}

QString SyncPage::NoKeyringText()
{
    return tr(
        "There is no keyring on this desktop: the program cannot keep the sync password and asks for it "
        "at each start.");
}

void SyncPage::FindCalendars()
{
    Client->SetCredentials(User->text().trimmed(), Password->text());
    Note->setText(tr("Looking for calendars…"));
    FindButton->setEnabled(false);
    Discovery->Find(QUrl::fromUserInput(Server->text().trimmed()));
}

void SyncPage::Found(bool ok, const QString& error)
{
    FindButton->setEnabled(true);
    if (!ok) {
        Note->setText(error);
        return;
    }
    Calendar->clear();
    for (const DavDiscovery::Calendar& c : Discovery->Calendars()) {
        Calendar->addItem(c.name, c.url);
    }
    const bool hasOwn =
        std::any_of(Discovery->Calendars().cbegin(), Discovery->Calendars().cend(),
                    [](const DavDiscovery::Calendar& c) { return c.name == QLatin1String("Pennibell"); });
    CreateButton->setEnabled(!Discovery->Home().isEmpty() && !hasOwn);
    Note->setText(Discovery->Calendars().isEmpty() ? tr("The server has no calendar for events yet.")
                                                   : QString());
}

QUrl SyncPage::ChosenCalendar() const
{
    if (Calendar->currentIndex() >= 0) {
        return Calendar->currentData().toUrl();
    }
    return QUrl::fromUserInput(Server->text().trimmed());
}

bool SyncPage::Apply()
{
    const QUrl calendar = ChosenCalendar();
    const QString user = User->text().trimmed();
    if (Server->text().trimmed().isEmpty()) {
        QString error;
        if (Service->Configured() && !Service->Unconfigure(&error)) {
            Note->setText(error);
            return false;
        }
        return true;
    }
    QString error;
    if (!Service->Configure(calendar, user, &error)) {
        Note->setText(error);
        return false;
    }
    const QString password = Password->text();
    if (!password.isEmpty()) {
        Service->SetPassword(password);
        QPointer<QLabel> note(Note);
        Keeper->Write(SyncCommand::AccountKey(user, calendar), password,
                      [note](bool ok, const QString&, const QString&) {
                          if (!ok && note) {
                              note->setText(NoKeyringText());
                          }
                      });
    }
    return true;
}

void SyncPage::Refresh()
{
    Status->setText(Service->StatusText());
    SyncButton->setEnabled(Service->Configured() && !Service->Running());
    Foreign->clear();
    for (const SyncState::Foreign& f : Service->CurrentState().foreign) {
        Foreign->addItem(tr("%1: %2").arg(QUrl(f.href).fileName(), f.reason));
    }
    const QString error = Service->CurrentState().lastError;
    if (!error.isEmpty() && Service->CurrentState().offlineSince != 0) {
        Status->setText(Service->StatusText() + QLatin1Char('\n') + error);
    }
}
