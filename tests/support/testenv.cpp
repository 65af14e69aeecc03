// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <time.h>

namespace TestEnv {

void setTimeZone(const QByteArray& tz)
{
    qputenv("TZ", tz);
    tzset();
}

ScratchDir::ScratchDir(const QStringList& folders) : Previous(QDir::currentPath())
{
    QDir::setCurrent(Dir.path());
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
    }
}

ScratchDir::~ScratchDir()
{
    QDir::setCurrent(Previous);
}

QString dataFile(const QString& name)
{
    return QStringLiteral(PENNIBELL_TEST_DATA) + QLatin1Char('/') + name;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
}

} // namespace TestEnv
