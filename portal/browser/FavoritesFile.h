#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace lumera::portal {

// The favourites list Fav.rar: one favourite a line, title + "," + address, CR LF, in the ANSI
// code page. The title is the text before the first comma, the address everything after it.
struct Favorite {
    QString title;
    QString address;
    bool operator==(const Favorite&) const = default;
};

QString favoritesFilePath(const QString& dataFolder);
// The folder of category folders offered by the add dialog, with a trailing slash.
QString favoritesFolderPath(const QString& dataFolder);

// A line split at its first comma; nothing for a line without one.
std::optional<Favorite> parseFavoriteLine(const QString& line);

// The stored line of a favourite. A comma in the title becomes "，" so that the line reads
// back as typed; line breaks, which would split the line, become spaces.
QString favoriteLine(const Favorite& favorite);

struct FavoritesRead {
    bool fileFound = false;
    // The favourites up to the end of the file or the first line without a comma.
    QList<Favorite> favorites;
    // False when a line without a comma ended the reading.
    bool complete = true;
};
// Reads Fav.rar, skipping empty lines. Lines are GB18030 as the program writes them; a line
// that is plainly UTF-8 (a list edited with a UTF-8 editor) is read as UTF-8.
FavoritesRead readFavorites(const QString& dataFolder);

// Adds one line at the end of Fav.rar, creating it when missing.
bool appendFavorite(const QString& dataFolder, const Favorite& favorite);
// The same for several favourites at once, in their order, in one write.
bool appendFavorites(const QString& dataFolder, const QList<Favorite>& favorites);
// Replaces Fav.rar with the given favourites in their order.
bool writeFavorites(const QString& dataFolder, const QList<Favorite>& favorites);

} // namespace lumera::portal
