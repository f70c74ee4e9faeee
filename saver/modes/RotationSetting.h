#pragma once

#include "saver/modes/ModeChoice.h"

#include <cstdint>

namespace lumera {
class SettingsStore;
}

namespace lumera::saver {

// The mode of this run from the command-line number and the stored rotation value
// ("ScreenSave" / "loadtime"); a run that used the rotation stores its new value.
ModeChoice chooseModeAndAdvanceRotation(SettingsStore& settings, std::int32_t commandLineMode);

} // namespace lumera::saver
