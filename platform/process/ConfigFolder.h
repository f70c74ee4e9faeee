#pragma once

#include <QString>

namespace lumera {

// $XDG_CONFIG_HOME/Lumera, with ~/.config when the variable is unset or not absolute.
QString configFolder();
// $XDG_CONFIG_HOME itself (the autostart folder lives below it).
QString xdgConfigHome();
// $XDG_DATA_HOME/Lumera, with ~/.local/share.
QString dataFolder();
// The user's runtime folder ($XDG_RUNTIME_DIR, else Qt's folder of the user's own in the
// temporary folder), or, where another user holds that one, a folder below the user's cache
// folder; never a folder other users share. The programs keep their one-copy locks there.
QString runtimeFolder();

// Fills in the user's folders (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and
// XDG_RUNTIME_DIR) that the process's environment lacks, the way the session has them: from the
// nearest program of the same user above this one that has the variable (a screen-saver
// engine starts its savers with a bare environment of its own), and for the runtime folder
// the one the log-in made, /run/user/<uid>. Called first in main(), so that every copy of a
// program finds its settings and locks in one place however it was started.
void adoptSessionFolders();

} // namespace lumera
