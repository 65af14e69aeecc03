// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

// Where the sync password lives: the desktop's keyring, never the options file. Every call
// answers later, on the event loop, since a keyring may first ask the user to unlock it.
class PasswordKeeper
{
public:
    // ok false with `error` when there is no keyring or it refused; `password` empty when none is kept.
    using Done = std::function<void(bool ok, const QString& password, const QString& error)>;

    virtual ~PasswordKeeper() = default;
    virtual void Read(const QString& account, const Done& done) = 0;
    virtual void Write(const QString& account, const QString& password, const Done& done) = 0;
    virtual void Forget(const QString& account, const Done& done) = 0;
};

// The desktop's keyring (Secret Service, KWallet, the Windows credential store) through QtKeychain.
class KeychainKeeper : public PasswordKeeper
{
    Q_DECLARE_TR_FUNCTIONS(KeychainKeeper)

public:
    void Read(const QString& account, const Done& done) override;
    void Write(const QString& account, const QString& password, const Done& done) override;
    void Forget(const QString& account, const Done& done) override;
};
