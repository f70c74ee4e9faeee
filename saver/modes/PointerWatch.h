#pragma once

#include <cstdint>

namespace lumera::saver {

// The pointer position the saver started at. A coordinate of 0 counts as not yet recorded,
// so a pointer resting in column 0 (or row 0) records its next column (row) instead of
// ending the saver.
struct PointerWatch {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;

    // Records what is not recorded yet; true when (x, y) differs from the recorded position.
    bool moved(std::int32_t x, std::int32_t y) {
        if (x0 == 0)
            x0 = x;
        if (y0 == 0)
            y0 = y;
        return x != x0 || y != y0;
    }
};

} // namespace lumera::saver
