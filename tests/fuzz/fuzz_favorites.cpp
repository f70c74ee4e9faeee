// The favourites list Fav.rar edited into anything. The input is the file's bytes; read as
// UTF-8 it is also one line for the line parser, and a title and an address split at its
// first 0 byte for the stored-line round trip.
#include "FuzzSupport.h"
#include "platform/text/AnsiCodec.h"
#include "portal/browser/FavoritesFile.h"

#include <QStringDecoder>
#include <cstdint>

using namespace lumera::fuzz;
using namespace lumera::portal;

namespace {

bool hasLineBreak(const QString& text) {
    return text.contains('\r') || text.contains('\n');
}

void checkLineParser(const QString& line) {
    const std::optional<Favorite> favorite = parseFavoriteLine(line);
    require(favorite.has_value() == line.contains(','));
    if (favorite)
        require(!favorite->title.contains(',') &&
                favorite->title + ',' + favorite->address == line);
}

// A favourite's stored line is one line that reads back as the favourite, a comma in the
// title turned into a full-width one.
void checkStoredLine(const Favorite& favorite) {
    const QString line = favoriteLine(favorite);
    require(!hasLineBreak(line));
    if (hasLineBreak(favorite.title) || hasLineBreak(favorite.address))
        return;
    Favorite expected = favorite;
    expected.title.replace(',', QStringLiteral("，"));
    require(parseFavoriteLine(line) == expected);
}

// The reader takes a line that is plainly UTF-8 for UTF-8 (a list edited with a UTF-8 editor).
// A few rare runs of Chinese characters have GB18030 bytes that are valid UTF-8 of other
// Chinese characters ("涓版薄" is stored as the bytes of "丰污"); such lists cannot read back.
bool storedAsUtf8Lookalike(const QList<Favorite>& favorites) {
    for (const Favorite& favorite : favorites) {
        const QString line = favoriteLine(favorite);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8(lumera::encodeAnsi(line));
        if (!utf8.hasError() && asUtf8 != line)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    checkLineParser(text);
    const qsizetype split = text.indexOf(QChar(0));
    checkStoredLine(split < 0 ? Favorite{text, {}}
                              : Favorite{text.left(split), text.mid(split + 1)});

    writeScratchFile("Fav.rar", bytes);
    const FavoritesRead read = readFavorites(scratchFolder());
    require(read.fileFound);
    qsizetype nonEmptyLines = 0;
    for (const QByteArray& line : fileLines(bytes))
        nonEmptyLines += line.isEmpty() ? 0 : 1;
    require(read.complete ? read.favorites.size() == nonEmptyLines
                          : read.favorites.size() < nonEmptyLines);
    for (const Favorite& favorite : read.favorites)
        require(!favorite.title.contains(',') && !hasLineBreak(favorite.title) &&
                !hasLineBreak(favorite.address));

    // What was read is written back and reads again as the same list, now complete.
    require(writeFavorites(scratchFolder(), read.favorites));
    const FavoritesRead again = readFavorites(scratchFolder());
    require(again.complete);
    require(again.favorites == read.favorites || storedAsUtf8Lookalike(read.favorites));
    return 0;
}
