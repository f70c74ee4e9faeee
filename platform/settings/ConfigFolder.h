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

} // namespace lumera
