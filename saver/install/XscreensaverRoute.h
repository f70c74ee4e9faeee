#pragma once

#include "saver/install/InstallReport.h"

namespace lumera::saver {

// Makes the saver, started as `saverProgram`, xscreensaver's only saver in its preferences
// file (~/.xscreensaver, given as `prefsPath`), which is replaced through a temporary file.
// The first time it changes the file it keeps the file as it was, and what it wrote, in
// `recordFolder`, for restoreInXscreensaver.
InstallReport chooseInXscreensaver(const QString& prefsPath, const QString& saverProgram,
                                   const QString& recordFolder);

// Undoes chooseInXscreensaver: a file that is still as it was written goes back to what it
// was byte for byte (or goes, when there was none); one changed since gets its earlier
// choice back and loses the entry that was added. Nothing is done without a record.
InstallReport restoreInXscreensaver(const QString& prefsPath, const QString& programName,
                                    const QString& recordFolder);

} // namespace lumera::saver
