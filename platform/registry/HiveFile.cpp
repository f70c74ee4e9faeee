#include "platform/registry/HiveFile.h"

namespace lumera {

namespace {

// Names and data are written in double quotes, with "\"" and "\\" inside, and a line break as
// "\n" or "\r".
QString quote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const QChar c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '\r') {
            out += "\\r";
            continue;
        }
        out += c;
    }
    out += '"';
    return out;
}

// Reads one quoted string starting at text[pos] == '"'; pos ends past the closing quote.
std::optional<QString> unquote(QStringView text, qsizetype& pos) {
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < text.size()) {
            const QChar next = text[++pos];
            out += next == 'n' ? QChar('\n') : next == 'r' ? QChar('\r') : next;
            continue;
        }
        out += c;
    }
    return std::nullopt;
}

// "[path]", or "name"="data" and nothing after it. A header that names nothing ("[]") is a
// line like any other that cannot be read: the values after it stay in the key above.
SectionedLine readLine(QStringView line) {
    if (line.startsWith('[') && line.endsWith(']') && line.size() > 2)
        return {SectionedLine::Header, line.mid(1, line.size() - 2).toString(), {}};
    qsizetype pos = 0;
    const std::optional<QString> name = unquote(line, pos);
    if (!name || pos >= line.size() || line[pos] != '=')
        return {};
    ++pos;
    const std::optional<QString> data = unquote(line, pos);
    if (!data || pos != line.size())
        return {};
    return {SectionedLine::Entry, *name, *data};
}

QString writeEntry(const QString& name, const QString& data) {
    return quote(name) + '=' + quote(data);
}

constexpr SectionedFormat kHiveFormat{
    .names = Qt::CaseInsensitive,
    .readLine = readLine,
    .writeEntry = writeEntry,
    .blankLineAtEnd = true,
    .writesUnnamedSections = true,
};

} // namespace

HiveFile::HiveFile() : file_(kHiveFormat) {}

HiveFile HiveFile::parse(const QString& text) {
    return HiveFile(SectionedFile::parse(text, kHiveFormat));
}

} // namespace lumera
