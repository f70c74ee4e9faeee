#pragma once

#include "platform/idle/SaverEngineProbe.h"
#include "platform/process/CommandRunner.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// Where `--install` acts: the desktop and the user's folders.
struct InstallTarget {
    SaverEngineProbe& probe;
    CommandRunner& commands;
    QString homeFolder;        // holds xscreensaver's .xscreensaver
    QString autostartFolder;   // $XDG_CONFIG_HOME/autostart
    QString saverProgram;      // what the engines start, see launcherOf
    QStringList engineFolders; // where mate- and xfce4-screensaver look for theme programs
    QString recordFolder;      // what the install changed, kept for the uninstall
};

// Makes the saver the screen saver of whichever engine the desktop runs.
InstallReport installSaver(const InstallTarget& target);

// Undoes what installSaver did for the user, before the package goes: xscreensaver's and the
// other engines' earlier choice back, the idle starter's autostart entry gone. Whichever engine
// runs now: the one chosen then may be off today.
InstallReport uninstallSaver(const InstallTarget& target);

} // namespace lumera::saver
