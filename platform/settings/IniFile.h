#pragma once

#include "platform/text/SectionedFile.h"

#include <QString>
#include <optional>

namespace lumera {

// The text of one settings file: "[section]" headers and "key=value" lines, in file order.
// Blanks around names and unquoted values are dropped (a value in double quotes keeps its
// own, as in hand-written INI files); lines starting with ";" or "#", and lines that
// are neither a header nor a key (junk from a hand edit) are ignored, so one bad line never
// costs the keys around it. Names match exactly, as they are written.
class IniFile {
public:
    IniFile();

    static IniFile parse(const QString& text);
    QString serialise() const { return file_.serialise(); }

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    explicit IniFile(SectionedFile file) : file_(std::move(file)) {}

    SectionedFile file_;
};

} // namespace lumera
