#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace lumera::fuzz {

// An invariant of the code under test; a broken one is a crash the fuzzer reports.
inline void require(bool holds) {
    if (!holds)
        std::abort();
}

// A folder of the fuzzer's own for the files a target writes, made once per process and
// removed at its end. The programs' saves sync to disk, which would make every input cost
// milliseconds; so the folder is in memory where the system offers a place there.
inline const QString& scratchFolder() {
    static const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm")
                                    : QDir::tempPath();
    static const QTemporaryDir dir(base + QStringLiteral("/lumera-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

inline QString scratchFile(const QString& name) {
    return QDir(scratchFolder()).filePath(name);
}

inline QByteArray readScratchFile(const QString& name) {
    QFile file(scratchFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeScratchFile(const QString& name, const QByteArray& bytes) {
    QFile file(scratchFile(name));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
            file.write(bytes) == bytes.size());
}

// The lines of file bytes as the programs read them, worked out another way than the
// programs' reader does: lines end at CR LF, CR or LF, and a last line needs no ending.
inline QList<QByteArray> fileLines(QByteArray bytes) {
    if (bytes.isEmpty())
        return {};
    bytes.replace("\r\n", "\n").replace('\r', '\n');
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return bytes.split('\n');
}

} // namespace lumera::fuzz
