// The merge of the history buffer with his.dat. The input is the visits (UTF-8, one a line,
// title and address split by a tab), a 0 byte, and the bytes of his.dat; without a 0 byte
// there is no his.dat. Whatever his.dat holds: the buffer's rows (its newest thousand) come first,
// the non-empty lines among its first thousand follow byte for byte, and the buffer then holds what
// was stored.
#include "FuzzSupport.h"
#include "platform/text/AnsiCodec.h"
#include "portal/PortalState.h"
#include "portal/browser/History.h"

#include <QDateTime>
#include <algorithm>
#include <cstdint>

using namespace lumera;
using namespace lumera::fuzz;
using namespace lumera::portal;

namespace {

const QDateTime kVisit(QDate(2026, 5, 17), QTime(20, 15, 42));

// The lines a merge keeps from a stored file.
QList<QByteArray> keptLines(const QByteArray& stored) {
    QList<QByteArray> kept;
    for (const QByteArray& line : fileLines(stored).mid(0, HistoryFileLineLimit)) {
        if (!line.isEmpty())
            kept.append(line);
    }
    return kept;
}

HistoryFileBytes unreadable(const QString&) {
    return {HistoryFileBytes::Status::Unreadable, {}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString visits = QString::fromUtf8(split < 0 ? input : input.left(split));
    HistoryFileBytes file;
    if (split >= 0)
        file = {HistoryFileBytes::Status::Ok, input.mid(split + 1)};

    // Every visit is one row of one line, whatever its title and address hold.
    PortalState state;
    const QStringList visitLines = visits.isEmpty() ? QStringList() : visits.split('\n');
    for (const QString& visit : visitLines) {
        const qsizetype tab = visit.indexOf('\t');
        AddHistoryRow(state, tab < 0 ? visit : visit.left(tab),
                      tab < 0 ? QString() : visit.mid(tab + 1), kVisit);
    }
    // The buffer keeps the newest rows up to the file's limit.
    const QString buffer = state.HistoryBuffer;
    const qsizetype rowCount = std::min<qsizetype>(visitLines.size(), HistoryFileLineLimit);
    require(buffer.count(QLatin1String("\r\n")) == rowCount);
    require(buffer.count('\r') == rowCount && buffer.count('\n') == rowCount);

    // A his.dat that cannot be read is left alone, and so is the buffer.
    const QByteArray before = readScratchFile("his.dat");
    require(!SaveHistoryFile(state, scratchFolder(), unreadable));
    require(state.HistoryBuffer == buffer && readScratchFile("his.dat") == before);

    require(SaveHistoryFile(state, scratchFolder(), [&](const QString&) { return file; }));
    const QByteArray stored = readScratchFile("his.dat");
    const QByteArray rows = encodeAnsi(buffer);
    require(stored.startsWith(rows));
    const QList<QByteArray> kept = keptLines(file.bytes);
    require(kept.size() <= HistoryFileLineLimit);
    QByteArray tail;
    for (const QByteArray& line : kept)
        tail += "\r\n" + line;
    require(stored.mid(rows.size()) == tail + "\r\n");
    // Decoded in one piece: no line break occurs inside a multi-byte character, so the lines
    // decoded one by one read the same.
    require(state.HistoryBuffer == buffer + decodeAnsi(tail));

    // The close of the last window merges the stored file with nothing and empties the buffer.
    state.HistoryBuffer.clear();
    SaveHistoryAtLastClose(state, scratchFolder());
    require(state.HistoryBuffer.isEmpty());
    QByteArray again;
    for (const QByteArray& line : keptLines(stored))
        again += "\r\n" + line;
    require(readScratchFile("his.dat") == again + "\r\n");
    return 0;
}
