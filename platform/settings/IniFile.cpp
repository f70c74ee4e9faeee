#include "platform/settings/IniFile.h"

#include <QStringView>

namespace lumera {

namespace {

// Values are one line each: a line break is written "\n", a backslash "\\". A value with
// blanks at either end, or one starting with a double quote, is written in double quotes
// (with "\"" inside), as hand-written INI files quote such values too.
bool needsQuotes(const QString& value) {
    return !value.isEmpty() &&
           (value.front().isSpace() || value.back().isSpace() || value.front() == '"');
}

QString escapeValue(const QString& value) {
    const bool quoted = needsQuotes(value);
    QString out;
    out.reserve(value.size() + 2);
    if (quoted)
        out += '"';
    for (const QChar c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '"' && quoted)
            out += "\\\"";
        else
            out += c;
    }
    if (quoted)
        out += '"';
    return out;
}

QString unescapeValue(QStringView written) {
    QStringView value = written.trimmed();
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (quoted)
        value = value.mid(1, value.size() - 2);
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const QChar n = value[i + 1];
            if (n == '\\' || n == 'n' || n == 'r' || (quoted && n == '"')) {
                out += n == 'n' ? QChar('\n') : n == 'r' ? QChar('\r') : n;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A name must stay one name when read back: no line breaks, no "=", no brackets, and no
// comment mark in front.
QString cleanName(const QString& name) {
    QString out = name.trimmed();
    for (QChar& c : out)
        if (c == '\n' || c == '\r' || c == '=' || c == '[' || c == ']')
            c = '_';
    if (out.startsWith(';') || out.startsWith('#'))
        out[0] = '_';
    return out;
}

// "[section]", or "key=value" with blanks around both dropped unless the value is quoted.
// Lines starting with ";" or "#" are comments. A header that names nothing is lost: the keys
// after it belong to no section.
SectionedLine readLine(QStringView line) {
    if (line.startsWith(';') || line.startsWith('#'))
        return {};
    if (line.startsWith('[')) {
        const QString name = line.endsWith(']') && line.size() > 2
                                 ? line.mid(1, line.size() - 2).trimmed().toString()
                                 : QString();
        return {name.isEmpty() ? SectionedLine::LostHeader : SectionedLine::Header, name, {}};
    }
    const qsizetype eq = line.indexOf('=');
    const QStringView key = eq < 0 ? QStringView() : line.left(eq).trimmed();
    if (key.isEmpty())
        return {};
    return {SectionedLine::Entry, key.toString(), unescapeValue(line.mid(eq + 1))};
}

QString writeEntry(const QString& key, const QString& value) {
    return key + '=' + escapeValue(value);
}

// A section without a name would be written "[]", which reads back as no section.
constexpr SectionedFormat kIniFormat{
    .names = Qt::CaseSensitive,
    .readLine = readLine,
    .writeEntry = writeEntry,
    .blankLineAtEnd = false,
    .writesUnnamedSections = false,
};

} // namespace

IniFile::IniFile() : file_(kIniFormat) {}

IniFile IniFile::parse(const QString& text) {
    return IniFile(SectionedFile::parse(text, kIniFormat));
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    return file_.value(cleanName(section), cleanName(key));
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    file_.setValue(cleanName(section), cleanName(key), value);
}

} // namespace lumera
