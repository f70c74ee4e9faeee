#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace lumera::saver {

struct ModeChoice {
    std::int32_t mode = 0;
    // The new rotation value to store, when the rotation was used.
    std::optional<QString> storeLoadtime;
};

// The mode of this run: a number from the command line unchanged, else the stored rotation
// value plus one, starting again at 1 after 9 and below 1. A missing or unreadable stored value
// counts as 0.
ModeChoice chooseMode(std::int32_t commandLineMode, const QString& storedLoadtime);

// What a mode shows.
enum class SaverContent { None, MovieFolder, WebPage, PhotoFade };

SaverContent contentOfMode(std::int32_t mode);
// The content folder of a movie mode; empty for the other modes.
QString movieFolderOfMode(std::int32_t mode);

} // namespace lumera::saver
