#pragma once

namespace lumera::saver {

// `Lumera屏保 --install`: makes the saver the desktop's screen saver and says what it did.
int installMain(int argc, char* argv[]);

} // namespace lumera::saver
