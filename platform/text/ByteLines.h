#pragma once

#include <QByteArrayView>

namespace lumera {

// Calls `line` with each line of raw file bytes, as the programs' line reader splits them:
// lines end at CR LF, CR or LF, and a last line needs no ending. Empty lines are passed too,
// so that callers that count lines count them. Stops early when `line` returns false.
// CR and LF never occur inside a GB18030 multi-byte sequence, so splitting before decoding is
// safe.
template <typename LineFunction> void forEachByteLine(QByteArrayView bytes, LineFunction line) {
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (!line(QByteArrayView(data + start, end - start)))
            return;
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

} // namespace lumera
