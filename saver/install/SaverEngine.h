#pragma once

#include "platform/idle/SaverEngineProbe.h"

namespace lumera::saver {

// The screen-saver engines the saver can be chosen in, and the desktops without one.
enum class SaverEngine { Mate, Xfce, Xscreensaver, None };

// The engine the desktop runs. The engines on the session bus come first: a desktop that
// runs one of them has it, not an xscreensaver left over from an earlier session.
SaverEngine detectSaverEngine(SaverEngineProbe& probe);

} // namespace lumera::saver
