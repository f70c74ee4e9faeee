#pragma once

#include "platform/desktop/CommandRunner.h"
#include "platform/desktop/SaverEngineProbe.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// Where `--install` acts: the desktop and the user's folders.
struct InstallTarget {
    SaverEngineProbe& probe;
    CommandRunner& commands;
    QString homeFolder;        // holds xscreensaver's .xscreensaver
    QString autostartFolder;   // $XDG_CONFIG_HOME/autostart
    QString saverProgram;      // what the engines start, see saverLauncher
    QStringList engineFolders; // where mate- and xfce4-screensaver look for theme programs
};

// Makes the saver the screen saver of whichever engine the desktop runs.
InstallReport installSaver(const InstallTarget& target);

} // namespace lumera::saver
