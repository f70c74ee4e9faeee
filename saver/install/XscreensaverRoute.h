#pragma once

#include "saver/install/InstallReport.h"

namespace lumera::saver {

// Makes the saver, started as `saverProgram`, xscreensaver's only saver in its preferences
// file (~/.xscreensaver, given as `prefsPath`), which is replaced through a temporary file.
InstallReport chooseInXscreensaver(const QString& prefsPath, const QString& saverProgram);

} // namespace lumera::saver
