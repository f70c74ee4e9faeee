#include "platform/text/SectionedFile.h"

namespace lumera {

SectionedFile SectionedFile::parse(const QString& text, const SectionedFormat& format) {
    SectionedFile file(format);
    Section* current = nullptr;
    const qsizetype size = text.size();
    // Lines end at CR or LF; the empty lines between CR and LF are skipped as blank.
    for (qsizetype start = 0; start <= size;) {
        qsizetype end = start;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty())
            continue;
        const SectionedLine read = format.readLine(line);
        switch (read.kind) {
        case SectionedLine::Header:
            current = &file.section(read.name);
            break;
        case SectionedLine::LostHeader:
            current = nullptr;
            break;
        case SectionedLine::Entry:
            if (current)
                file.set(*current, read.name, read.value);
            break;
        case SectionedLine::Skipped:
            break;
        }
    }
    return file;
}

QString SectionedFile::serialise() const {
    QString out;
    for (const Section& s : sections_) {
        if (s.entries.empty() || (s.name.isEmpty() && !format_->writesUnnamedSections))
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + s.name + "]\n";
        for (const Entry& e : s.entries)
            out += format_->writeEntry(e.name, e.value) + '\n';
    }
    if (format_->blankLineAtEnd && !out.isEmpty())
        out += '\n';
    return out;
}

std::optional<QString> SectionedFile::value(const QString& section, const QString& name) const {
    const qsizetype i = indexOf(section);
    if (i >= 0)
        for (const Entry& e : sections_[i].entries)
            if (same(e.name, name))
                return e.value;
    return std::nullopt;
}

void SectionedFile::setValue(const QString& section, const QString& name, const QString& value) {
    set(this->section(section), name, value);
}

bool SectionedFile::removeValue(const QString& section, const QString& name) {
    const qsizetype i = indexOf(section);
    return i >= 0 &&
           std::erase_if(sections_[i].entries, [&](const Entry& e) { return same(e.name, name); });
}

bool SectionedFile::same(const QString& a, const QString& b) const {
    return a.compare(b, format_->names) == 0;
}

qsizetype SectionedFile::indexOf(const QString& section) const {
    for (qsizetype i = 0; i < qsizetype(sections_.size()); ++i)
        if (same(sections_[i].name, section))
            return i;
    return -1;
}

SectionedFile::Section& SectionedFile::section(const QString& name) {
    const qsizetype i = indexOf(name);
    if (i >= 0)
        return sections_[i];
    sections_.push_back(Section{name, {}});
    return sections_.back();
}

void SectionedFile::set(Section& section, const QString& name, const QString& value) const {
    for (Entry& e : section.entries) {
        if (same(e.name, name)) {
            e.value = value;
            return;
        }
    }
    section.entries.push_back(Entry{name, value});
}

} // namespace lumera
