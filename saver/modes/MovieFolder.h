#pragma once

#include <QString>

namespace lumera {
class SettingsStore;
}

namespace lumera::saver {

// Each content folder remembers the index of the movie to play next, in the saver's settings
// under "ScreenSave" / "loadswf_" followed by the folder's name.
QString movieIndexKey(const QString& folderName);
// A missing or unreadable index counts as 0.
int readMovieIndex(const SettingsStore& settings, const QString& folderName);
void writeMovieIndex(SettingsStore& settings, const QString& folderName, int index);

// The index to play from a list of `count` movies: a stored index beyond the end of the list
// starts again at 0, and so does a negative one (a hand-edited or damaged setting).
int movieIndexInList(int storedIndex, int count);

// The working copy the player is given: the old one deleted, then the movie copied in its
// place. False when no copy was made (no source, or a copy that could not be written); a
// working copy that could not be deleted then stays as it was.
bool replaceWorkingCopy(const QString& source, const QString& workingCopy);

} // namespace lumera::saver
