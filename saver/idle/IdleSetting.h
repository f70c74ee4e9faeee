#pragma once

#include <chrono>

namespace lumera {
class SettingsStore;
}

namespace lumera::saver {

// The idle time after which the saver starts: "IdleMinutes" under [ScreenSave] in
// Korvidesk.ini, minutes with an optional fraction (0.1 is six seconds). Missing, junk, zero
// or negative reads as ten minutes; at most a day.
std::chrono::milliseconds idleTimeSetting(const SettingsStore& settings);

} // namespace lumera::saver
