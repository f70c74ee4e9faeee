#include "portal/browser/FavoritesFile.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/ByteLines.h"
#include "platform/text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace lumera::portal {

namespace {

bool hasNonAscii(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

// GB18030 text often happens to be valid UTF-8 too (a lead byte C2-DF before a trail byte
// A1-BF reads as one two-byte sequence), so valid UTF-8 alone proves nothing. UTF-8 Chinese is
// made of three-byte sequences; GB18030 misread as UTF-8 yields mostly two-byte ones
// (Armenian, Hebrew, Arabic ...). A line counts as UTF-8 when it is valid, holds a character
// of three bytes or more and none from U+0100 to U+07FF.
bool looksLikeUtf8(const QString& text) {
    bool wide = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x100 && u < 0x800)
            return false;
        if (u >= 0x800)
            wide = true;
    }
    return wide;
}

QString decodeFavoriteLine(QByteArrayView bytes) {
    if (hasNonAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError() && looksLikeUtf8(text))
            return text;
    }
    return decodeAnsi(bytes.toByteArray());
}

QString withoutLineBreaks(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString favoritesFilePath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("Fav.rar"));
}

QString favoritesFolderPath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("Favorites")) + QLatin1Char('/');
}

std::optional<Favorite> parseFavoriteLine(const QString& line) {
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    return Favorite{line.left(comma), line.mid(comma + 1)};
}

QString favoriteLine(const Favorite& favorite) {
    QString title = withoutLineBreaks(favorite.title);
    title.replace(QLatin1Char(','), QStringLiteral("，"));
    return title + QLatin1Char(',') + withoutLineBreaks(favorite.address);
}

FavoritesRead readFavorites(const QString& dataFolder) {
    FavoritesRead result;
    QFile file(favoritesFilePath(dataFolder));
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.fileFound = true;
    const QByteArray bytes = file.readAll();
    forEachByteLine(bytes, [&](QByteArrayView line) {
        if (line.isEmpty())
            return true;
        const std::optional<Favorite> favorite = parseFavoriteLine(decodeFavoriteLine(line));
        if (!favorite) {
            result.complete = false;
            return false;
        }
        result.favorites.append(*favorite);
        return true;
    });
    return result;
}

bool appendFavorite(const QString& dataFolder, const Favorite& favorite) {
    return appendFavorites(dataFolder, {favorite});
}

bool appendFavorites(const QString& dataFolder, const QList<Favorite>& favorites) {
    const QString path = favoritesFilePath(dataFolder);
    QByteArray bytes;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return false;
        existing.close();
    }
    // A list whose last line lacks its ending (edited by hand) still gets a line of its own.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    for (const Favorite& favorite : favorites) {
        bytes += encodeAnsi(favoriteLine(favorite));
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

bool writeFavorites(const QString& dataFolder, const QList<Favorite>& favorites) {
    QStringList lines;
    lines.reserve(favorites.size());
    for (const Favorite& favorite : favorites)
        lines.append(favoriteLine(favorite));
    return writeTextLines(favoritesFilePath(dataFolder), lines);
}

} // namespace lumera::portal
