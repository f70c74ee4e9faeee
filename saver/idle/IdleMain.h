#pragma once

namespace lumera::saver {

// `Lumera屏保 --idle`: waits for the user to be idle and starts the saver, once an idle period.
int idleMain(int argc, char* argv[]);

} // namespace lumera::saver
