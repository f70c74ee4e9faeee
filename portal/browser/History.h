#pragma once

#include "portal/PortalState.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace lumera::portal {

// The viewing history: one table row per visit. Rows collect in PortalState::HistoryBuffer
// (newest first, each followed by CR LF) and are merged into his.dat in the data folder.

inline constexpr int HistoryTitleLength = 38;
inline constexpr int HistoryFileLineLimit = 1000;

// The history row of one visit. Title and address are HTML-escaped; the address is quoted.
QString historyRow(const QDateTime& when, const QString& address, const QString& title);

// Records a visit: the row for `when`, the address shown and the first 38 characters of the
// title, put in front of the buffer. The buffer keeps its newest 1000 rows; older ones go.
void AddHistoryRow(PortalState& state, const QString& title, const QString& address,
                   const QDateTime& when = QDateTime::currentDateTime());

// What reading his.dat found.
struct HistoryFileBytes {
    enum class Status { Ok, Missing, Unreadable } status = Status::Missing;
    QByteArray bytes;
};
using HistoryFileReader = std::function<HistoryFileBytes(const QString& path)>;
// The reader used outside tests.
HistoryFileBytes readHistoryFile(const QString& path);

// Merges the buffer with his.dat and rewrites his.dat (through a temporary file and a rename).
// On success the buffer also holds the stored rows, each preceded by CR LF, and true is
// returned. A his.dat that exists but cannot be read is left alone; then, and when the file
// cannot be written, the buffer keeps exactly its own rows and false is returned.
bool SaveHistoryFile(PortalState& state, const QString& dataFolder,
                     const HistoryFileReader& read = readHistoryFile);

// The merge of the last main window's close: SaveHistoryFile, and on success the buffer is
// emptied, so that a main window opened again later does not merge the same rows twice.
void SaveHistoryAtLastClose(PortalState& state, const QString& dataFolder);

} // namespace lumera::portal
