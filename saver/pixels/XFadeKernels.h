#pragma once

#include <cstddef>
#include <cstdint>

namespace lumera::saver {

// One fade pass over raw bytes: dest[j] = (src[j] * amount) >> 8 for j < byteCount.
using XFadeKernel = void (*)(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
                             std::uint8_t amount);

// The plain byte loop every other kernel must match byte for byte.
void xfadeScalar(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
                 std::uint8_t amount);

#if defined(__x86_64__) || defined(__i386__)
void xfadeSse2(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
               std::uint8_t amount);
void xfadeAvx2(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
               std::uint8_t amount);
#endif

// Whether this processor runs the AVX2 kernel.
bool cpuHasAvx2();

// The fastest kernel this processor runs, chosen once at run time.
XFadeKernel bestXFadeKernel();

} // namespace lumera::saver
