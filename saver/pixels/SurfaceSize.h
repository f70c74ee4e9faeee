#pragma once

#include <cstdint>

namespace lumera::saver {

// The size of every surface of the process: the screen's width, and its height plus 80 rows.
// Set once at start-up, before the first surface is made.
struct SurfaceSize {
    std::int32_t ScreenWidthPx = 0;
    std::int32_t ScreenHeightPx = 0;
};

// Screen twips to surface pixels at a fixed 15 twips per pixel, whatever the display's real
// density: the width as it is, the height with 80 rows more, halves rounded to even.
SurfaceSize surfaceSizeFromTwips(double screenWidthTwips, double screenHeightTwips);

} // namespace lumera::saver
