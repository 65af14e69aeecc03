// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sync/passwordkeeper.h"

#include <qt6keychain/keychain.h>

namespace {

const QString Service = QStringLiteral("Pennibell sync");

void Report(QKeychain::Job* job, const PasswordKeeper::Done& done, const QString& password)
{
    if (job->error() == QKeychain::NoError) {
        done(true, password, QString());
    } else if (job->error() == QKeychain::EntryNotFound) {
        done(true, QString(), QString());
    } else {
        done(false, QString(), job->errorString());
    }
}

} // namespace

void KeychainKeeper::Read(const QString& account, const Done& done)
{
    auto* job = new QKeychain::ReadPasswordJob(Service);
    job->setKey(account);
    QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job* j) {
        Report(j, done, static_cast<QKeychain::ReadPasswordJob*>(j)->textData());
    });
    job->start();
}

void KeychainKeeper::Write(const QString& account, const QString& password, const Done& done)
{
    auto* job = new QKeychain::WritePasswordJob(Service);
    job->setKey(account);
    job->setTextData(password);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [done](QKeychain::Job* j) { Report(j, done, QString()); });
    job->start();
}

void KeychainKeeper::Forget(const QString& account, const Done& done)
{
    auto* job = new QKeychain::DeletePasswordJob(Service);
    job->setKey(account);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [done](QKeychain::Job* j) { Report(j, done, QString()); });
    job->start();
}
