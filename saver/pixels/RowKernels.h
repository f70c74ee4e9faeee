#pragma once

#include <cstddef>
#include <cstdint>

namespace lumera::saver {

// One row of 24-bit pixels (blue, green, red) to 32-bit ones as the window's image holds
// them: 0xffRRGGBB.
using BgrRowKernel = void (*)(const std::uint8_t* bgr, std::uint32_t* out, std::size_t pixels);

// The plain loop every other kernel must match pixel for pixel.
void bgrRowScalar(const std::uint8_t* bgr, std::uint32_t* out, std::size_t pixels);

#if defined(__x86_64__) || defined(__i386__)
void bgrRowSsse3(const std::uint8_t* bgr, std::uint32_t* out, std::size_t pixels);
void bgrRowAvx2(const std::uint8_t* bgr, std::uint32_t* out, std::size_t pixels);
#endif

// The fastest kernel this processor runs, chosen once at run time.
BgrRowKernel bestBgrRowKernel();

} // namespace lumera::saver
