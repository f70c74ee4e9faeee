#pragma once

#include "platform/process/CommandRunner.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// For a desktop without a screen-saver engine: the idle starter, `saverProgram --idle`, as an
// XDG autostart entry in `autostartFolder` and started now.
InstallReport startIdleStarter(CommandRunner& commands, const QString& autostartFolder,
                               const QString& saverProgram);
// Takes the idle starter's autostart entry away (it stops with the session).
InstallReport removeIdleStarter(const QString& autostartFolder);

} // namespace lumera::saver
