#pragma once

namespace lumera::saver {

// `Lumera屏保 --install`: makes the saver the desktop's screen saver and says what it did.
// `--uninstall` (`uninstall`): undoes that, to be run before the package is removed.
int installMain(int argc, char* argv[], bool uninstall = false);

} // namespace lumera::saver
