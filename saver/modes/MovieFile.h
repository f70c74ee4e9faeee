#pragma once

#include <QString>

namespace lumera::saver {

// Whether the file starts like a movie the player can read: the signature "FWS" (plain),
// "CWS" or "ZWS" (compressed), a version, and a length that fits what is there. An empty
// file, a text file or a huge file of anything else is no movie.
bool looksLikeMovieFile(const QString& path);

} // namespace lumera::saver
