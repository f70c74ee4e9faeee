#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace lumera {

// Reads a small UTF-8 file (at most maxBytes of it; a missing file reads as empty text),
// lets `change` make its new text, and renames that into place, all under a lock file beside
// it, so writers in other processes never overwrite what they did not see. `change` returns
// nullopt to leave the file as it is. False when the lock could not be had in time or the new
// file could not be written.
bool updateFileLocked(const QString& path, qint64 maxBytes,
                      const std::function<std::optional<QString>(const QString& current)>& change);

// The same file read without the lock, for readers.
QString readSmallTextFile(const QString& path, qint64 maxBytes);

} // namespace lumera
