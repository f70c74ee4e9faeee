#include "portal/browser/History.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/ByteLines.h"
#include "platform/text/TextFile.h"
#include "portal/ChineseDates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumera::portal {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString escapeHtml(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\r':
        case '\n':
            // A row is one line of his.dat.
            out += QLatin1Char(' ');
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The first n UTF-16 units, without leaving half of a surrogate pair at the end.
QString leftCharacters(const QString& text, int n) {
    if (text.size() <= n)
        return text;
    QString cut = text.left(n);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

// Cuts the buffer after its first `limit` rows (each ended by CR LF): the oldest go.
void keepNewestRows(QString& buffer, int limit) {
    qsizetype end = 0;
    for (int row = 0; row < limit; ++row) {
        end = buffer.indexOf(kCrLf, end);
        if (end < 0)
            return;
        end += kCrLf.size();
    }
    buffer.truncate(end);
}

QString historyFilePath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("his.dat"));
}

} // namespace

QString historyRow(const QDateTime& when, const QString& address, const QString& title) {
    return QLatin1String("<tr>  <td>") + chineseDateTime(when) +
           QLatin1String("</td>  <td>  <a href=\"") + escapeHtml(address) + QLatin1String("\">") +
           escapeHtml(leftCharacters(title, HistoryTitleLength)) +
           QStringLiteral("</a>  </td>  <td>  Lumera桌面</td> </tr>");
}

void AddHistoryRow(PortalState& state, const QString& title, const QString& address,
                   const QDateTime& when) {
    state.HistoryBuffer.prepend(historyRow(when, address, title) + kCrLf);
    // A page that keeps changing its title must not grow the buffer without end; no merge
    // keeps more rows of a session than a history file holds.
    keepNewestRows(state.HistoryBuffer, HistoryFileLineLimit);
}

HistoryFileBytes readHistoryFile(const QString& path) {
    HistoryFileBytes result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = HistoryFileBytes::Status::Missing;
        return result;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        result.status = HistoryFileBytes::Status::Unreadable;
        return result;
    }
    result.bytes = file.readAll();
    result.status = file.error() == QFileDevice::NoError ? HistoryFileBytes::Status::Ok
                                                         : HistoryFileBytes::Status::Unreadable;
    return result;
}

bool SaveHistoryFile(PortalState& state, const QString& dataFolder, const HistoryFileReader& read) {
    const QString path = historyFilePath(dataFolder);
    const HistoryFileBytes stored = read(path);
    if (stored.status == HistoryFileBytes::Status::Unreadable)
        return false;

    // The stored lines are copied byte for byte, so his.dat keeps whatever it held even where
    // it is not valid text; the buffer gets them decoded for the history page.
    QByteArray fileBytes = encodeAnsi(state.HistoryBuffer);
    QString merged = state.HistoryBuffer;
    int linesRead = 0;
    forEachByteLine(stored.bytes, [&](QByteArrayView line) {
        if (++linesRead > HistoryFileLineLimit)
            return false;
        if (!line.isEmpty()) {
            fileBytes += "\r\n";
            fileBytes += line;
            merged += kCrLf;
            merged += decodeAnsi(line.toByteArray());
        }
        return true;
    });
    fileBytes += "\r\n";

    if (!writeFileAtomically(path, fileBytes))
        return false;
    state.HistoryBuffer = merged;
    return true;
}

void SaveHistoryAtLastClose(PortalState& state, const QString& dataFolder) {
    if (SaveHistoryFile(state, dataFolder))
        state.HistoryBuffer.clear();
}

} // namespace lumera::portal
