// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// Shared set-up for tests: a fixed time zone, and a scratch folder as the current directory
// (the program keeps all its files relative to it).
namespace TestEnv {

// Sets TZ for this process and makes the C library and Qt pick it up.
void setTimeZone(const QByteArray& tz);

// A temporary folder, with these folders in it, made the current directory for its lifetime.
class ScratchDir
{
public:
    explicit ScratchDir(const QStringList& folders = {});
    ~ScratchDir();
    QString path() const { return Dir.path(); }
    QString file(const QString& relative) const { return Dir.filePath(relative); }

private:
    QTemporaryDir Dir;
    QString Previous;
};

QString dataFile(const QString& name);
QByteArray readAll(const QString& path);
// Makes the folders on the way.
void writeAll(const QString& path, const QByteArray& bytes);

} // namespace TestEnv
