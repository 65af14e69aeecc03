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
    // Without a home folder there is nowhere else to go; behave as a portable copy.
    if (userDir.isEmpty()) {
        Portable = true;
    } else {
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
    return DataLocation(programDir, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                        shares, [installed](const QString& dir) { return !installed && isWritableDir(dir); });
}

QString DataLocation::workingDir() const
{
    return Portable ? ProgramDir : UserDir;
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
