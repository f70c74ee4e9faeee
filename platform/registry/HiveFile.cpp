#include "platform/registry/HiveFile.h"

#include <QRegularExpression>

namespace lumera {

namespace {

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
std::optional<QString> unquote(const QString& text, qsizetype& pos) {
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

bool samePath(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

HiveFile HiveFile::parse(const QString& text) {
    HiveFile hive;
    Key* current = nullptr;
    const QStringList lines = text.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']') && line.size() > 2) {
            const QString path = line.mid(1, line.size() - 2);
            current = hive.findKey(path);
            if (!current) {
                hive.keys_.push_back(Key{path, {}});
                current = &hive.keys_.back();
            }
            continue;
        }
        if (!current)
            continue;
        qsizetype pos = 0;
        const std::optional<QString> name = unquote(line, pos);
        if (!name || pos >= line.size() || line[pos] != '=')
            continue;
        ++pos;
        const std::optional<QString> data = unquote(line, pos);
        if (!data || pos != line.size())
            continue;
        // The last of two lines for one value wins, as a later write would.
        bool replaced = false;
        for (Value& v : current->values) {
            if (samePath(v.name, *name)) {
                v.data = *data;
                replaced = true;
            }
        }
        if (!replaced)
            current->values.push_back(Value{*name, *data});
    }
    return hive;
}

QString HiveFile::serialise() const {
    QString out;
    for (const Key& key : keys_) {
        if (key.values.empty())
            continue;
        out += '[' + key.path + "]\n";
        for (const Value& v : key.values)
            out += quote(v.name) + '=' + quote(v.data) + '\n';
        out += '\n';
    }
    return out;
}

HiveFile::Key* HiveFile::findKey(const QString& path) {
    for (Key& key : keys_)
        if (samePath(key.path, path))
            return &key;
    return nullptr;
}

const HiveFile::Key* HiveFile::findKey(const QString& path) const {
    for (const Key& key : keys_)
        if (samePath(key.path, path))
            return &key;
    return nullptr;
}

std::optional<QString> HiveFile::value(const QString& keyPath, const QString& name) const {
    const Key* key = findKey(keyPath);
    if (!key)
        return std::nullopt;
    for (const Value& v : key->values)
        if (samePath(v.name, name))
            return v.data;
    return std::nullopt;
}

void HiveFile::setValue(const QString& keyPath, const QString& name, const QString& data) {
    Key* key = findKey(keyPath);
    if (!key) {
        keys_.push_back(Key{keyPath, {}});
        key = &keys_.back();
    }
    for (Value& v : key->values) {
        if (samePath(v.name, name)) {
            v.data = data;
            return;
        }
    }
    key->values.push_back(Value{name, data});
}

bool HiveFile::removeValue(const QString& keyPath, const QString& name) {
    Key* key = findKey(keyPath);
    if (!key)
        return false;
    const auto before = key->values.size();
    std::erase_if(key->values, [&](const Value& v) { return samePath(v.name, name); });
    return key->values.size() != before;
}

} // namespace lumera
