// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/inifile.h"

#include <QByteArrayView>
#include <QStringEncoder>

namespace {

#ifdef Q_OS_WIN
const QByteArray Eol = QByteArrayLiteral("\r\n");
#else
const QByteArray Eol = QByteArrayLiteral("\n");
#endif

const char HexDigits[] = "0123456789ABCDEF";

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// An escaped number is a character only up to the last code point; a longer run of digits
// counts on without growing.
void appendCode(QString* out, char32_t code)
{
    if (code <= 0xFFFF) {
        // A surrogate half stays a half, so that a pair written as two escapes comes back whole.
        out->append(QChar(char16_t(code)));
    } else if (code <= 0x10FFFF) {
        out->append(QString::fromUcs4(&code, 1));
    } else {
        out->append(QChar::ReplacementCharacter);
    }
}

char32_t grow(char32_t code, int shift, int digit)
{
    return code > 0x10FFFF ? code : (code << shift) + char32_t(digit);
}

void chopTrailingSpaces(QString* text, qsizetype limit)
{
    qsizetype n = text->size();
    while (n > limit && (text->at(n - 1) == QLatin1Char(' ') || text->at(n - 1) == QLatin1Char('\t'))) {
        --n;
    }
    text->truncate(n);
}

// Section and key names: letters, digits, _ - . as they are, "/" as "\", other characters as
// %XX or %UXXXX.
QByteArray escapeKey(const QString& key)
{
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t ch = qc.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                   ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += HexDigits[ch / 16];
            out += HexDigits[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += HexDigits[(ch >> shift) & 0xF];
            }
        }
    }
    return out;
}

QString unescapeKey(QByteArrayView raw)
{
    const QString text = QString::fromUtf8(raw);
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != QLatin1Char('%') || i == text.size() - 1) {
            out += ch;
            ++i;
            continue;
        }
        const bool wide = text.at(i + 1) == QLatin1Char('U');
        const qsizetype first = i + 1 + (wide ? 1 : 0);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = first + digits <= text.size();
        const ushort code = ok ? QStringView(text).mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
    return out;
}

bool isLineSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// One logical line from `pos`: a section header or key=value, where a quoted value or an
// escaped line end runs on over line breaks, an unquoted ";" ends the line, and a ";" that
// starts one makes it a comment. False at the end of the data.
bool readLine(QByteArrayView data, qsizetype* pos, qsizetype* start, qsizetype* length, qsizetype* equals)
{
    const qsizetype n = data.size();
    bool inQuotes = false;
    *equals = -1;
    qsizetype lineStart = *pos;
    while (lineStart < n && isLineSpace(data.at(lineStart))) {
        ++lineStart;
    }
    qsizetype i = lineStart;
    while (i < n) {
        const char ch = data.at(i);
        ++i;
        if (ch == '=') {
            if (!inQuotes && *equals == -1) {
                *equals = i - 1;
            }
        } else if (ch == '\n' || ch == '\r') {
            // Never the line's first character: line spaces before it were skipped.
            if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < n) {
                const char next = data.at(i++);
                if (i < n) {
                    const char after = data.at(i);
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n')) {
                        ++i;
                    }
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == lineStart + 1) {
                while (i < n && data.at(i) != '\n' && data.at(i) != '\r') {
                    ++i;
                }
                while (i < n && isLineSpace(data.at(i))) {
                    ++i;
                }
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    *pos = i;
    *start = lineStart;
    *length = i - lineStart;
    return *length > 0;
}

} // namespace

QByteArray IniFile::EscapeValue(const QString& value)
{
    QString text = value;
    if (text.contains(QChar::Null)) {
        text = QStringLiteral("@String(") + text + QLatin1Char(')');
    } else if (text.startsWith(QLatin1Char('@'))) {
        text.prepend(QLatin1Char('@'));
    }

    QByteArray out;
    out.reserve(text.size() * 3 / 2 + 2);
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    // Characters from U+007F on as UTF-8, one by one through one encoder, as Qt's writer did (a
    // lone surrogate half becomes U+FFFD, a pair one character).
    QStringEncoder utf8(QStringEncoder::Utf8);
    for (const QChar qc : std::as_const(text)) {
        const char16_t ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=') {
            needsQuotes = true;
        }
        if (ch >= 0x7F) {
            escapeNextIfDigit = false;
            out += QByteArray(utf8(QStringView(&qc, 1)));
            continue;
        }
        // A hexadecimal escape reads on over every hexadecimal digit after it.
        if (escapeNextIfDigit && isHex(char(ch))) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            out += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                out += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                out += char(ch);
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' ')) {
        out = '"' + out + '"';
    }
    return out;
}

QString IniFile::UnescapeValue(const QByteArray& raw)
{
    static const char Codes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                    {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                    {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    const qsizetype n = raw.size();
    QString text;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype i = 0;
    qsizetype chopLimit = 0;
    auto skipSpaces = [&] {
        while (i < n && (raw.at(i) == ' ' || raw.at(i) == '\t')) {
            ++i;
        }
        chopLimit = text.size();
    };
    skipSpaces();
    while (i < n) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= n) {
                break;
            }
            const char code = raw.at(i++);
            bool simple = false;
            for (const auto& pair : Codes) {
                if (code == pair[0]) {
                    text += QLatin1Char(pair[1]);
                    simple = true;
                    break;
                }
            }
            if (simple) {
            } else if (code == 'x' && i < n && isHex(raw.at(i))) {
                char32_t value = 0;
                while (i < n && isHex(raw.at(i))) {
                    value = grow(value, 4, hexValue(raw.at(i++)));
                }
                appendCode(&text, value);
            } else if (code >= '0' && code <= '7') {
                char32_t value = char32_t(code - '0');
                while (i < n && raw.at(i) >= '0' && raw.at(i) <= '7') {
                    value = grow(value, 3, raw.at(i++) - '0');
                }
                appendCode(&text, value);
            } else if ((code == '\n' || code == '\r') && i < n) {
                const char next = raw.at(i);
                if ((next == '\n' || next == '\r') && next != code) {
                    ++i;
                }
            }
            // Any other escaped character is dropped, as it always was.
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
            }
        } else {
            qsizetype j = i + 1;
            while (j < n && raw.at(j) != '\\' && raw.at(j) != '"') {
                ++j;
            }
            text += QString::fromUtf8(raw.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted) {
        chopTrailingSpaces(&text, chopLimit);
    }
    // What Qt's writer marks: a leading "@" doubled, a text with NUL characters wrapped.
    // Every other "@..." is text like any other.
    if (text.startsWith(QLatin1String("@@"))) {
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("@String(")) && text.endsWith(QLatin1Char(')'))) {
        text = text.mid(8, text.size() - 9);
    }
    return text;
}

bool IniFile::Parse(const QByteArray& bytes, int maxEntries, QString* error)
{
    Values.clear();
    QByteArrayView data(bytes);
    if (data.startsWith("\xef\xbb\xbf")) {
        data = data.sliced(3);
    }
    QString section;
    int entries = 0;
    qsizetype pos = 0;
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;
    while (readLine(data, &pos, &start, &length, &equals)) {
        const QByteArrayView line = data.sliced(start, length);
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0) {
                close = line.size();
            }
            const QByteArrayView name = line.first(close).sliced(1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                section.clear();
            } else if (name.compare("%general", Qt::CaseInsensitive) == 0) {
                section = QString::fromLatin1(name.sliced(1));
            } else {
                section = unescapeKey(name);
            }
            continue;
        }
        if (equals < 0) {
            continue;
        }
        const QString key = unescapeKey(line.first(equals - start).trimmed());
        if (key.isEmpty()) {
            continue;
        }
        QMap<QString, QString>& keys = Values[section];
        if (!keys.contains(key) && ++entries > maxEntries) {
            Values.clear();
            if (error) {
                *error = tr("It holds more entries than Pennibell ever writes.");
            }
            return false;
        }
        keys.insert(key, UnescapeValue(line.sliced(equals - start + 1).toByteArray()));
    }
    return true;
}

bool IniFile::Contains(const QString& section, const QString& key) const
{
    const auto it = Values.constFind(section);
    return it != Values.cend() && it->contains(key);
}

QString IniFile::Value(const QString& section, const QString& key, const QString& fallback) const
{
    const auto it = Values.constFind(section);
    return it == Values.cend() ? fallback : it->value(key, fallback);
}

int IniFile::EntryCount() const
{
    int count = 0;
    for (const auto& keys : Values) {
        count += int(keys.size());
    }
    return count;
}

void IniFile::Set(const QString& section, const QString& key, const QString& text)
{
    Values[section].insert(key, text);
}

void IniFile::Set(const QString& section, const QString& key, qint64 number)
{
    Set(section, key, QString::number(number));
}

void IniFile::Set(const QString& section, const QString& key, bool on)
{
    Set(section, key, on ? QStringLiteral("true") : QStringLiteral("false"));
}

QByteArray IniFile::Text() const
{
    QByteArray out;
    bool first = true;
    for (auto section = Values.cbegin(); section != Values.cend(); ++section) {
        if (section->isEmpty()) {
            continue;
        }
        QByteArray header = escapeKey(section.key());
        if (header.isEmpty()) {
            header = "[General]";
        } else if (header.compare("general", Qt::CaseInsensitive) == 0) {
            header = "[%General]";
        } else {
            header = '[' + header + ']';
        }
        if (!first) {
            out += Eol;
        }
        first = false;
        out += header + Eol;
        for (auto entry = section->cbegin(); entry != section->cend(); ++entry) {
            out += escapeKey(entry.key()) + '=' + EscapeValue(entry.value()) + Eol;
        }
    }
    return out;
}
