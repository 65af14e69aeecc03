// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <memory>

namespace {
std::unique_ptr<DataLocation> g_current;

QString stripDotSlash(const QString& relative)
{
    QString rel = QDir::fromNativeSeparators(relative);
    while (rel.startsWith(QLatin1String("./"))) {
        rel.remove(0, 2);
    }
    return rel;
}
} // namespace

DataLocation::DataLocation(const QString& programDir, const QString& userDir, const QStringList& shareDirs,
                           const WritableCheck& writable)
    : ProgramDir(QDir::cleanPath(QDir(programDir).absolutePath())), ShareDirs(shareDirs),
      Portable(writable(ProgramDir))
{
    // Without a home folder an installed copy has nowhere to go; Usable() says so.
    if (!userDir.isEmpty()) {
        UserDir = QDir::cleanPath(QDir(userDir).absolutePath());
    }
}

DataLocation DataLocation::forApplication()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList shares;
    // <prefix>/bin/pennibell reads <prefix>/share/pennibell, wherever the prefix was put.
    shares << QDir::cleanPath(programDir + QLatin1String("/../share/pennibell"));
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString candidate = QDir::cleanPath(dir + QLatin1String("/pennibell"));
        if (!shares.contains(candidate)) {
            shares << candidate;
        }
    }
    // An installed copy keeps its data in the user's folder even when its own folder is writable
    // (run as root, /usr/bin is): data beside the program would be left behind by the package.
    const bool installed = QFileInfo(shares.constFirst()).isDir();
    QString user = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#ifdef Q_OS_UNIX
    // Qt puts a missing home at "/", which would only fail later with a misleading name.
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        user.clear();
    }
#endif
    return DataLocation(programDir, user, shares,
                        [installed](const QString& dir) { return !installed && isWritableDir(dir); });
}

QString DataLocation::workingDir() const
{
    return Portable ? ProgramDir : UserDir;
}

bool DataLocation::Usable(QString* error) const
{
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (Portable) {
        return true;
    }
    if (UserDir.isEmpty()) {
        return fail(QCoreApplication::translate(
            "DataLocation", "Pennibell has no folder to keep its events in: this user has no home folder "
                            "(HOME is not set)."));
    }
    if (!QDir().mkpath(UserDir)) {
        // Name the part that is missing: a home on a drive that is not mounted shows as such.
        QString missing = UserDir;
        QString existing = QFileInfo(UserDir).absolutePath();
        while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath()) {
            missing = existing;
            existing = QFileInfo(existing).absolutePath();
        }
        const QString why =
            QFileInfo(existing).isDir()
                ? QCoreApplication::translate("DataLocation",
                                              "%1 does not exist, and no folder can be made in %2.")
                      .arg(QDir::toNativeSeparators(missing), QDir::toNativeSeparators(existing))
                : QCoreApplication::translate("DataLocation", "%1 is a file, not a folder.")
                      .arg(QDir::toNativeSeparators(existing));
        return fail(QCoreApplication::translate("DataLocation", "Pennibell cannot use its data folder %1: %2")
                        .arg(QDir::toNativeSeparators(UserDir), why));
    }
    if (!isWritableDir(UserDir)) {
        return fail(QCoreApplication::translate("DataLocation",
                                                "Pennibell cannot use its data folder %1: nothing can be "
                                                "written in it.")
                        .arg(QDir::toNativeSeparators(UserDir)));
    }
    return true;
}

QString DataLocation::DataFolder()
{
    return QStringLiteral("./data");
}

QString DataLocation::BackupFolder()
{
    return QStringLiteral("./backup");
}

bool DataLocation::MakeFolders()
{
    return QDir().mkpath(DataFolder()) && QDir().mkpath(BackupFolder());
}

bool DataLocation::enter()
{
    g_current = std::make_unique<DataLocation>(*this);
    const QString dir = workingDir();
    if (QDir().mkpath(dir) && QDir::setCurrent(dir)) {
        return true;
    }
    QDir::setCurrent(ProgramDir);
    return false;
}

QString DataLocation::resolve(const QString& relative) const
{
    const QString rel = stripDotSlash(relative);
    if (QDir::isAbsolutePath(rel)) {
        return rel;
    }
    const QString inProgram = ProgramDir + QLatin1Char('/') + rel;
    if (QFileInfo::exists(inProgram)) {
        return inProgram;
    }
    for (const QString& share : ShareDirs) {
        const QString candidate = share + QLatin1Char('/') + rel;
        if (QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
    return inProgram;
}

QString DataLocation::resource(const QString& relative)
{
    return g_current ? g_current->resolve(relative) : relative;
}

void DataLocation::clearCurrent()
{
    g_current.reset();
}

bool DataLocation::isWritableDir(const QString& dir)
{
    if (!QFileInfo(dir).isDir()) {
        return false;
    }
    QTemporaryFile probe(dir + QLatin1String("/.pennibell-probe-XXXXXX"));
    return probe.open();
}
