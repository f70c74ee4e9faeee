#include "saver/pixels/SurfaceSize.h"

#include <cmath>
#include <limits>

namespace lumera::saver {

namespace {

std::int32_t toPixels(double value) {
    const double rounded = std::nearbyint(value); // halves to even
    if (!(rounded >= 0))
        return 0;
    if (rounded > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

} // namespace

SurfaceSize surfaceSizeFromTwips(double screenWidthTwips, double screenHeightTwips) {
    constexpr double kTwipsPerPixel = 15.0;
    return {toPixels(screenWidthTwips / kTwipsPerPixel),
            toPixels(screenHeightTwips / kTwipsPerPixel + 80)};
}

} // namespace lumera::saver
