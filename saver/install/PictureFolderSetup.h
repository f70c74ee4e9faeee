#pragma once

#include <QString>

namespace lumera {
class SettingsStore;
}

namespace lumera::saver {

// The saver's picture folder ("MyDeskTop"/"DownloadPath") as an installation stores it for
// each user: `picturesFolder`, the first time the saver runs or is installed. A value that is
// there already stays, an empty one too: a user who empties it keeps the saver off. Returns
// true when it stored the folder.
bool storeDefaultPictureFolder(SettingsStore& settings, const QString& picturesFolder);

} // namespace lumera::saver
