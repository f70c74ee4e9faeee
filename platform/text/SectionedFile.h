#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace lumera {

// What a format makes of one line of its file.
struct SectionedLine {
    enum Kind {
        Header,     // "[name]": the lines after it belong to section `name`
        LostHeader, // a header that names nothing: the lines after it belong to no section
        Entry,      // `name` holds `value`, in the section above
        Skipped,    // a comment, or junk from a hand edit
    };
    Kind kind = Skipped;
    QString name;
    QString value;
};

// The rules of one format of sectioned file; everything else is the same for all of them.
struct SectionedFormat {
    // How section names and entry names match.
    Qt::CaseSensitivity names;
    // Reads one line, given trimmed and never empty.
    SectionedLine (*readLine)(QStringView line);
    // Writes one entry's line, without its line end.
    QString (*writeEntry)(const QString& name, const QString& value);
    // Sections are written with a blank line between them; with this, after the last one too.
    bool blankLineAtEnd;
    // Whether a section without a name is written (as "[]").
    bool writesUnnamedSections;
};

// A file of "[section]" headers, each followed by the name/value lines of its section, as
// the registry's hive and the settings files are. Sections and their entries keep their file
// order. A section named twice is one section, and of two lines for one name the later wins,
// as a later write would; the first spelling of a name stays. A line the format cannot read
// is skipped and costs no other line.
class SectionedFile {
public:
    struct Entry {
        QString name;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    // The format is kept by reference: one that lasts as long as the program.
    explicit SectionedFile(const SectionedFormat& format) : format_(&format) {}

    static SectionedFile parse(const QString& text, const SectionedFormat& format);
    // Sections without entries are left out.
    QString serialise() const;

    const std::vector<Section>& sections() const { return sections_; }
    std::optional<QString> value(const QString& section, const QString& name) const;
    void setValue(const QString& section, const QString& name, const QString& value);
    // True when something was removed.
    bool removeValue(const QString& section, const QString& name);

private:
    bool same(const QString& a, const QString& b) const;
    qsizetype indexOf(const QString& section) const; // -1 when there is none
    Section& section(const QString& name);           // appended when there is none
    void set(Section& section, const QString& name, const QString& value) const;

    const SectionedFormat* format_;
    std::vector<Section> sections_;
};

} // namespace lumera
