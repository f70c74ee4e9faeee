#include "platform/text/TextFile.h"

#include "platform/text/AnsiCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lumera {

TextLines readTextLines(const QString& path, qsizetype maxLines) {
    TextLines result;
    QFileInfo info(path);
    if (!info.exists()) {
        result.status = TextFileStatus::Missing;
        return result;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        result.status = TextFileStatus::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = TextFileStatus::Unreadable;
        return result;
    }
    result.status = TextFileStatus::Ok;

    // Split on raw bytes: CR and LF never occur inside a GB18030 multi-byte sequence.
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= size && result.lines.size() < maxLines; ++i) {
        if (i < size && data[i] != '\r' && data[i] != '\n')
            continue;
        if (i > start)
            result.lines.append(decodeAnsi(QByteArray::fromRawData(data + start, i - start)));
        if (i + 1 < size && data[i] == '\r' && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return result;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a file size limit) shows in write()'s
    // count: a buffered QSaveFile loses the error at commit and renames a cut file into place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeAnsi(line);
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

void setHiddenSystemAttributes(const QString&, bool) {}

} // namespace lumera
