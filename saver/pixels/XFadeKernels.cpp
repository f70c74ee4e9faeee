#include "saver/pixels/XFadeKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <unistd.h>

namespace lumera::saver {

void xfadeScalar(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
                 std::uint8_t amount) {
    const unsigned a = amount;
    for (std::size_t j = 0; j < byteCount; ++j)
        dest[j] = static_cast<std::uint8_t>((src[j] * a) >> 8);
}

#if defined(__x86_64__) || defined(__i386__)

namespace {

// Surfaces larger than most of the last-level cache go past it anyway; writing those around
// the cache leaves the bandwidth to the reads. Smaller ones stay in the cache for the paint
// that follows every fade step.
constexpr std::size_t kMaxThreshold = std::size_t(16) << 20;

std::size_t streamingThreshold() {
    static const std::size_t threshold = [] {
        const long cache = ::sysconf(_SC_LEVEL3_CACHE_SIZE);
        return std::min(cache > 0 ? std::size_t(cache) / 4 * 3 : kMaxThreshold, kMaxThreshold);
    }();
    return threshold;
}

// 16 source bytes to 16 faded bytes: each byte goes to the high half of a 16-bit lane
// (x * 256), and the high half of its product with the amount is (x * amount) >> 8.
inline __m128i fade16(__m128i bytes, __m128i amount, __m128i zero) {
    const __m128i lo = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, bytes), amount);
    const __m128i hi = _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, bytes), amount);
    return _mm_packus_epi16(lo, hi);
}

__attribute__((target("avx2"))) inline __m256i fade32(__m256i bytes, __m256i amount, __m256i zero) {
    // unpack works within each 128-bit lane and pack undoes it the same way, so the order of
    // the bytes survives.
    const __m256i lo = _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, bytes), amount);
    const __m256i hi = _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, bytes), amount);
    return _mm256_packus_epi16(lo, hi);
}

} // namespace

void xfadeSse2(const std::uint8_t* src, std::uint8_t* dest, std::size_t byteCount,
               std::uint8_t amount) {
    const __m128i a = _mm_set1_epi16(amount);
    const __m128i zero = _mm_setzero_si128();
    std::size_t j = 0;
    // Bring the target to a 16-byte boundary so that the stores are aligned.
    const std::size_t head = (16 - (reinterpret_cast<std::uintptr_t>(dest) & 15)) & 15;
    if (head && byteCount >= head + 16) {
        xfadeScalar(src, dest, head, amount);
        j = head;
    }
    const bool stream =
        byteCount >= streamingThreshold() && (reinterpret_cast<std::uintptr_t>(dest + j) & 15) == 0;
    if (stream) {
        for (; j + 64 <= byteCount; j += 64) {
            const auto* s = reinterpret_cast<const __m128i*>(src + j);
            auto* d = reinterpret_cast<__m128i*>(dest + j);
            _mm_stream_si128(d, fade16(_mm_loadu_si128(s), a, zero));
            _mm_stream_si128(d + 1, fade16(_mm_loadu_si128(s + 1), a, zero));
            _mm_stream_si128(d + 2, fade16(_mm_loadu_si128(s + 2), a, zero));
            _mm_stream_si128(d + 3, fade16(_mm_loadu_si128(s + 3), a, zero));
        }
        _mm_sfence();
    }
    for (; j + 16 <= byteCount; j += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + j));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + j), fade16(s, a, zero));
    }
    xfadeScalar(src + j, dest + j, byteCount - j, amount);
}

__attribute__((target("avx2"))) void xfadeAvx2(const std::uint8_t* src, std::uint8_t* dest,
                                               std::size_t byteCount, std::uint8_t amount) {
    const __m256i a = _mm256_set1_epi16(amount);
    const __m256i zero = _mm256_setzero_si256();
    std::size_t j = 0;
    const std::size_t head = (32 - (reinterpret_cast<std::uintptr_t>(dest) & 31)) & 31;
    if (head && byteCount >= head + 32) {
        xfadeScalar(src, dest, head, amount);
        j = head;
    }
    const bool stream =
        byteCount >= streamingThreshold() && (reinterpret_cast<std::uintptr_t>(dest + j) & 31) == 0;
    if (stream) {
        for (; j + 128 <= byteCount; j += 128) {
            const auto* s = reinterpret_cast<const __m256i*>(src + j);
            auto* d = reinterpret_cast<__m256i*>(dest + j);
            _mm256_stream_si256(d, fade32(_mm256_loadu_si256(s), a, zero));
            _mm256_stream_si256(d + 1, fade32(_mm256_loadu_si256(s + 1), a, zero));
            _mm256_stream_si256(d + 2, fade32(_mm256_loadu_si256(s + 2), a, zero));
            _mm256_stream_si256(d + 3, fade32(_mm256_loadu_si256(s + 3), a, zero));
        }
        _mm_sfence();
    }
    for (; j + 128 <= byteCount; j += 128) {
        const auto* s = reinterpret_cast<const __m256i*>(src + j);
        auto* d = reinterpret_cast<__m256i*>(dest + j);
        _mm256_storeu_si256(d, fade32(_mm256_loadu_si256(s), a, zero));
        _mm256_storeu_si256(d + 1, fade32(_mm256_loadu_si256(s + 1), a, zero));
        _mm256_storeu_si256(d + 2, fade32(_mm256_loadu_si256(s + 2), a, zero));
        _mm256_storeu_si256(d + 3, fade32(_mm256_loadu_si256(s + 3), a, zero));
    }
    for (; j + 32 <= byteCount; j += 32) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + j));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + j), fade32(s, a, zero));
    }
    xfadeScalar(src + j, dest + j, byteCount - j, amount);
}

bool cpuHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

XFadeKernel bestXFadeKernel() {
    static const XFadeKernel chosen = cpuHasAvx2() ? xfadeAvx2 : xfadeSse2;
    return chosen;
}

#else

bool cpuHasAvx2() {
    return false;
}

XFadeKernel bestXFadeKernel() {
    return xfadeScalar;
}

#endif

} // namespace lumera::saver
