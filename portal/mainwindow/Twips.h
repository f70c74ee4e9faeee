#pragma once

#include <cmath>

namespace lumera::portal {

// The main window is laid out in twips, as its design values are written; Qt works in logical
// pixels (and scales those for HiDPI itself). This is the one place the two meet.
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}
inline constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace lumera::portal
