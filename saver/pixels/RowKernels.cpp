#include "saver/pixels/RowKernels.h"

#include "saver/pixels/XFadeKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lumera::saver {

void bgrRowScalar(const std::uint8_t* bgr, std::uint32_t* out, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, bgr += 3)
        out[i] = 0xff000000u | std::uint32_t(bgr[2]) << 16 | std::uint32_t(bgr[1]) << 8 | bgr[0];
}

#if defined(__x86_64__) || defined(__i386__)

namespace {

// Four pixels of 3 bytes spread to four of 4; the fourth byte of each is made 0xff after.
constexpr char kSpread[16] = {0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1};

__attribute__((target("ssse3"))) inline void four(const std::uint8_t* bgr, std::uint32_t* out,
                                                  __m128i spread, __m128i opaque) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_or_si128(_mm_shuffle_epi8(in, spread), opaque));
}

// Eight pixels: the shuffle works within each 128-bit half, so each half is loaded with the
// four pixels it spreads.
__attribute__((target("avx2"))) inline void eight(const std::uint8_t* bgr, std::uint32_t* out,
                                                  __m256i spread, __m256i opaque) {
    const __m256i in = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 12)), 1);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_or_si256(_mm256_shuffle_epi8(in, spread), opaque));
}

} // namespace

// Every load takes 16 bytes for 12 pixel bytes, so a step ends while 4 bytes of the row are
// still unread beyond it: the row's last pixels go through the plain loop.
__attribute__((target("ssse3"))) void bgrRowSsse3(const std::uint8_t* bgr, std::uint32_t* out,
                                                  std::size_t pixels) {
    const __m128i spread = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSpread));
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    std::size_t i = 0;
    for (; i + 6 <= pixels; i += 4)
        four(bgr + 3 * i, out + i, spread, opaque);
    bgrRowScalar(bgr + 3 * i, out + i, pixels - i);
}

__attribute__((target("avx2"))) void bgrRowAvx2(const std::uint8_t* bgr, std::uint32_t* out,
                                                std::size_t pixels) {
    const __m256i spread =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kSpread)));
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
    std::size_t i = 0;
    for (; i + 10 <= pixels; i += 8)
        eight(bgr + 3 * i, out + i, spread, opaque);
    bgrRowScalar(bgr + 3 * i, out + i, pixels - i);
}

BgrRowKernel bestBgrRowKernel() {
    static const BgrRowKernel chosen = [] {
        if (cpuHasAvx2())
            return bgrRowAvx2;
        return __builtin_cpu_supports("ssse3") ? bgrRowSsse3 : bgrRowScalar;
    }();
    return chosen;
}

#else

BgrRowKernel bestBgrRowKernel() {
    return bgrRowScalar;
}

#endif

} // namespace lumera::saver
