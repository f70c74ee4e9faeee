#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace lumera {

// The contents of a hive file: keys in file order, each with its values in order.
// Key paths and value names are matched without regard to case.
class HiveFile {
public:
    struct Value {
        QString name;
        QString data;
    };
    struct Key {
        QString path;
        std::vector<Value> values;
    };

    static HiveFile parse(const QString& text);
    QString serialise() const;

    std::optional<QString> value(const QString& keyPath, const QString& name) const;
    void setValue(const QString& keyPath, const QString& name, const QString& data);
    // True when something was removed.
    bool removeValue(const QString& keyPath, const QString& name);

    const std::vector<Key>& keys() const { return keys_; }

private:
    Key* findKey(const QString& path);
    const Key* findKey(const QString& path) const;

    std::vector<Key> keys_;
};

} // namespace lumera
