#pragma once

#include <QString>

namespace lumera {

// $XDG_CONFIG_HOME/Lumera, with ~/.config when the variable is unset or not absolute.
QString configFolder();
// $XDG_CONFIG_HOME itself (the autostart folder lives below it).
QString xdgConfigHome();
// $XDG_DATA_HOME/Lumera, with ~/.local/share.
QString dataFolder();
// The user's runtime folder ($XDG_RUNTIME_DIR), or the temporary folder where there is none:
// where the programs keep their one-copy locks.
QString runtimeFolder();

} // namespace lumera
