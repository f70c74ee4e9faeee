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

} // namespace

IniFile IniFile::parse(const QString& text) {
    IniFile ini;
    Section* current = nullptr;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start <= size) {
        qsizetype end = start;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QStringView raw = QStringView(text).mid(start, end - start);
        const QStringView line = raw.trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const QString name = line.endsWith(']') && line.size() > 2
                                     ? line.mid(1, line.size() - 2).trimmed().toString()
                                     : QString();
            // A broken or empty header: its keys belong to no section we know.
            current = name.isEmpty() ? nullptr : &ini.section(name);
            continue;
        }
        const qsizetype eq = raw.indexOf('=');
        if (!current || eq <= 0 || raw.left(eq).trimmed().isEmpty())
            continue;
        // Blanks around a value go unless it is quoted.
        const QString key = raw.left(eq).trimmed().toString();
        const QString value = unescapeValue(raw.mid(eq + 1));
        bool replaced = false;
        for (Entry& e : current->entries) {
            if (e.key == key) {
                e.value = value; // the later line wins, as the later write did
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.push_back(Entry{key, value});
    }
    return ini;
}

QString IniFile::serialise() const {
    QString out;
    for (const Section& s : sections_) {
        if (s.entries.empty() || s.name.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + s.name + "]\n";
        for (const Entry& e : s.entries)
            out += e.key + '=' + escapeValue(e.value) + '\n';
    }
    return out;
}

IniFile::Section& IniFile::section(const QString& name) {
    for (Section& s : sections_)
        if (s.name == name)
            return s;
    sections_.push_back(Section{name, {}});
    return sections_.back();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const QString s = cleanName(section);
    const QString k = cleanName(key);
    for (const Section& candidate : sections_)
        if (candidate.name == s)
            for (const Entry& e : candidate.entries)
                if (e.key == k)
                    return e.value;
    return std::nullopt;
}

void IniFile::setValue(const QString& sectionName, const QString& key, const QString& value) {
    const QString k = cleanName(key);
    Section& s = section(cleanName(sectionName));
    for (Entry& e : s.entries) {
        if (e.key == k) {
            e.value = value;
            return;
        }
    }
    s.entries.push_back(Entry{k, value});
}

} // namespace lumera
