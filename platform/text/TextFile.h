#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <limits>

namespace lumera {

enum class TextFileStatus {
    Ok,
    Missing,    // no such file
    Unreadable, // it exists but could not be opened or read
};

struct TextLines {
    TextFileStatus status = TextFileStatus::Missing;
    QStringList lines;
};

// Reads a text file of the programs line by line: lines end at CR LF, CR or LF, empty lines
// are skipped, the text is decoded from the ANSI code page. At most maxLines non-empty lines
// are returned. A file of random bytes still reads (bad bytes become U+FFFD).
TextLines readTextLines(const QString& path,
                        qsizetype maxLines = std::numeric_limits<qsizetype>::max());

// The same line splitting and decoding for bytes already read.
QStringList splitTextLines(const QByteArray& bytes,
                           qsizetype maxLines = std::numeric_limits<qsizetype>::max());

// Writes each line followed by CR LF in the ANSI code page. The bytes go to a temporary file
// beside the target that is renamed over it, so the old file stays whole until the new one
// is complete. Returns false when nothing was replaced.
bool writeTextLines(const QString& path, const QStringList& lines);

// The same temporary-file-and-rename write for bytes already encoded.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// Windows' hidden and system attributes have no Linux counterpart; the programs set and clear
// them through this one place, which leaves the file as it is.
void setHiddenSystemAttributes(const QString& path, bool set);

} // namespace lumera
