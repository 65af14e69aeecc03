// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

// The INI text of the event list, the options, the backups' event lists and the last-run record.
// Every value is text: Qt's settings reader made objects of values such as "@Variant(...)" (a
// list nested deep enough to crash it, images that took gigabytes), so our files are read and
// written here instead, in the very bytes that reader and writer used:
//   - sections sorted by name, "[General]" first for keys without one, a blank line between;
//   - keys sorted within their section;
//   - values escaped as \", \\, \n, \t, ..., \xNN for other control characters, quoted when
//     they hold ; , or = or start or end with a space, UTF-8 otherwise; a value starting with
//     "@" gets a second "@", one holding a NUL character is written as @String(...).
class IniFile
{
    Q_DECLARE_TR_FUNCTIONS(IniFile)

public:
    // Reads `bytes`; false, with `error` set, when they hold more than maxEntries keys (what is
    // read is bounded by the caller's size limit and this count). Anything else is read as Qt's
    // reader read it, except that every value stays text.
    bool Parse(const QByteArray& bytes, int maxEntries, QString* error = nullptr);

    // Section names as written, "" for the keys outside any section ([General]).
    QStringList Sections() const { return Values.keys(); }
    bool Contains(const QString& section, const QString& key) const;
    QString Value(const QString& section, const QString& key, const QString& fallback = QString()) const;
    int EntryCount() const;

    void Set(const QString& section, const QString& key, const QString& text);
    void Set(const QString& section, const QString& key, qint64 number);
    void Set(const QString& section, const QString& key, int number) { Set(section, key, qint64(number)); }
    // "true" or "false".
    void Set(const QString& section, const QString& key, bool on);

    QByteArray Text() const;

    // One value as written and read (exposed for the tests that compare with Qt's writer).
    static QByteArray EscapeValue(const QString& text);
    static QString UnescapeValue(const QByteArray& raw);

private:
    QMap<QString, QMap<QString, QString>> Values;
};
