#pragma once

#include <cstdint>

namespace lumera::saver {

// The brightness of the photo fade: up from 0 to 252 and down to 4 in steps of 4, one step a
// tick; reaching 0 is when the next photo is loaded.
struct FadeLevels {
    std::int32_t level = 4;
    std::int32_t step = -4;

    // One tick. True when the next photo must be loaded now (before it fades in).
    bool advance() {
        level += step;
        if (level > 255 - step) {
            step = -step;
            return false;
        }
        if (level < -step) {
            step = -step;
            return true;
        }
        return false;
    }
};

} // namespace lumera::saver
