#pragma once

#include "platform/text/SectionedFile.h"

#include <QString>
#include <optional>
#include <vector>

namespace lumera {

// The contents of a hive file: keys in file order, each with its values in order.
// Key paths and value names are matched without regard to case.
class HiveFile {
public:
    using Value = SectionedFile::Entry;
    using Key = SectionedFile::Section; // its name is the key's path

    HiveFile();

    static HiveFile parse(const QString& text);
    QString serialise() const { return file_.serialise(); }

    std::optional<QString> value(const QString& keyPath, const QString& name) const {
        return file_.value(keyPath, name);
    }
    void setValue(const QString& keyPath, const QString& name, const QString& data) {
        file_.setValue(keyPath, name, data);
    }
    // True when something was removed.
    bool removeValue(const QString& keyPath, const QString& name) {
        return file_.removeValue(keyPath, name);
    }

    const std::vector<Key>& keys() const { return file_.sections(); }

private:
    explicit HiveFile(SectionedFile file) : file_(std::move(file)) {}

    SectionedFile file_;
};

} // namespace lumera
