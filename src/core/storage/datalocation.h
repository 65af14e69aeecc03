// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Where the program keeps its files. A copy that can write to its own folder (a portable copy, or
// the build tree) keeps "./data", "./backup" and "./ESetting.ini" beside the executable. An
// installed copy cannot, so it works in the user's own data folder instead and reads its icons
// and manual from the shared data folder of the installation.
class DataLocation
{
public:
    using WritableCheck = std::function<bool(const QString& dir)>;

    // shareDirs: folders searched after the program folder for read-only resources.
    DataLocation(const QString& programDir, const QString& userDir, const QStringList& shareDirs,
                 const WritableCheck& writable = &DataLocation::isWritableDir);

    // The location of the running program (needs the application object).
    static DataLocation forApplication();

    QString programDir() const { return ProgramDir; }
    QString userDir() const { return UserDir; }
    QStringList shareDirs() const { return ShareDirs; }
    bool isPortable() const { return Portable; }
    // The folder that becomes the current directory.
    QString workingDir() const;

    // Whether the working folder can hold the program's files, making it when missing. When it
    // cannot (an installed copy whose user has no home, or a home on a drive not mounted, or
    // one that cannot be written), `error` says why in words for the user.
    bool Usable(QString* error) const;

    // The folders of the event file and pictures, and of the backups, inside the working folder.
    static QString DataFolder();
    static QString BackupFolder();
    // Creates both where missing; false when either is not there afterwards.
    static bool MakeFolders();

    // Makes the working folder the current directory, creating it when needed, and makes this
    // location the one resource() answers from. Returns false if the folder could not be
    // entered; the program folder is then current, as for a portable copy.
    bool enter();

    // Where a program resource such as "./icon/Pennibell.png" really is: the program folder
    // first, then each shared data folder. When it is found nowhere, the program-folder path.
    QString resolve(const QString& relative) const;

    // resolve() through the entered location; the path unchanged before any location is entered.
    static QString resource(const QString& relative);
    // Forgets the entered location (for tests).
    static void clearCurrent();

    // True when a file can really be created in dir: permission bits say nothing for root or on
    // a read-only mount.
    static bool isWritableDir(const QString& dir);

private:
    QString ProgramDir;
    QString UserDir;
    QStringList ShareDirs;
    bool Portable;
};
