#pragma once

#include "portal/directory/DirectoryOverlay.h"

#include <QString>
#include <functional>

namespace lumera::portal {

// What became of one edit of the user's directory file.
struct DirectoryFileUpdate {
    enum Result {
        Saved,
        Unchanged,  // the edit found nothing to change
        Unreadable, // the file is there but could not be read: left alone, the edit not made
        NotSaved,   // the file (or the damaged one's place aside) could not be written
    };
    Result result = NotSaved;
    // Where a damaged file was put before the edit; empty when none was.
    QString keptAside;
};

// Makes one edit to the directory file as it is on disk now, under the file's lock, so that
// edits made meanwhile in other windows or by another copy of the program are built on, never
// lost. `edit` returns false when there is nothing to change. A file that does not read as
// ours is never written over: it is renamed to "directory.txt.bad" (or ".bad-2" and on when
// that is taken) and the edit starts from no changes. An edit that leaves no changes removes
// the file.
DirectoryFileUpdate updateDirectoryFile(const QString& path,
                                        const std::function<bool(DirectoryOverlay&)>& edit);

} // namespace lumera::portal
