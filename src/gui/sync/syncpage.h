// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class DavClient;
class DavDiscovery;
class PasswordKeeper;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SyncService;

// The "Sync" page of the options: the account, the calendar, "Sync now" and the last result.
// The options dialog adds it as a page and calls Apply() when accepted.
class SyncPage : public QWidget
{
    Q_OBJECT

public:
    // `service` and `keeper` outlive the page.
    SyncPage(SyncService* service, PasswordKeeper* keeper, QWidget* parent = nullptr);
    ~SyncPage() override;

    // Stores the account and the password (in the keyring); false with the reason shown on the page.
    bool Apply();

    // The page's name in the options.
    static QString Title();
    // Told once at start when the keyring cannot keep the password.
    static QString NoKeyringText();

private:
    void FindCalendars();
    void Found(bool ok, const QString& error);
    void Refresh();
    QUrl ChosenCalendar() const;

    SyncService* Service;
    PasswordKeeper* Keeper;
    DavClient* Client;
    DavDiscovery* Discovery;
    QLineEdit* Server;
    QLineEdit* User;
    QLineEdit* Password;
    QComboBox* Calendar;
    QPushButton* FindButton;
    QPushButton* CreateButton;
    QPushButton* SyncButton;
    QLabel* Status;
    QLabel* Note;
    QListWidget* Foreign;
};
