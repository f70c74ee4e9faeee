#include "saver/pixels/Asm.h"
#include "saver/pixels/RowKernels.h"
#include "saver/pixels/XFadeKernels.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace lumera::saver;

namespace {

std::vector<std::uint8_t> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(byte(gen));
    return v;
}

std::vector<XFadeKernel> fastKernels() {
    std::vector<XFadeKernel> kernels{bestXFadeKernel()};
#if defined(__x86_64__) || defined(__i386__)
    kernels.push_back(xfadeSse2);
    if (cpuHasAvx2())
        kernels.push_back(xfadeAvx2);
#endif
    return kernels;
}

} // namespace

TEST(XFade, ScalesEachByteByTheLowEightBitsOfAmount) {
    const Asm routines;
    std::vector<std::uint8_t> src(12, 200), dest(12, 7);
    routines.XFade(src.data(), dest.data(), 4, 128);
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 100));
    routines.XFade(src.data(), dest.data(), 4, 256); // 256 & 0xFF is 0
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 0));
    src.assign(12, 255);
    routines.XFade(src.data(), dest.data(), 4, 255); // never quite the full brightness
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 254));
    routines.XFade(src.data(), dest.data(), 4, -1); // low byte 255
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 254));
}

TEST(XFade, CoversTwelveBytesPerFourPixelsAndNothingBelowFour) {
    const Asm routines;
    EXPECT_EQ(Asm::xfadeByteCount(3), 0u);
    EXPECT_EQ(Asm::xfadeByteCount(-8), 0u);
    EXPECT_EQ(Asm::xfadeByteCount(4), 12u);
    EXPECT_EQ(Asm::xfadeByteCount(7), 12u);
    EXPECT_EQ(Asm::xfadeByteCount(868352), 3u * 868352);

    std::vector<std::uint8_t> src(30, 100), dest(30, 9);
    routines.XFade(src.data(), dest.data(), 7, 128); // one turn of 12 bytes only
    for (int j = 0; j < 30; ++j)
        EXPECT_EQ(dest[j], j < 12 ? 50 : 9) << j;
    dest.assign(30, 9);
    routines.XFade(src.data(), dest.data(), 3, 128);
    EXPECT_EQ(dest, std::vector<std::uint8_t>(30, 9));
    EXPECT_EQ(routines.XFade(nullptr, dest.data(), 4, 128), 0); // no pixel memory: nothing
}

TEST(XFade, FastKernelsMatchTheByteLoopOnRandomDataAndOddSizesAndOffsets) {
    const auto src = randomBytes(4096 + 64, 1);
    for (XFadeKernel kernel : fastKernels()) {
        for (std::size_t size : {0, 1, 15, 16, 17, 31, 33, 63, 100, 255, 1023, 4096}) {
            for (std::size_t offset : {0, 1, 3, 7, 13}) {
                for (int amount : {0, 1, 77, 128, 200, 255}) {
                    std::vector<std::uint8_t> expected(size + 64, 0xAB), got(size + 64, 0xAB);
                    xfadeScalar(src.data() + offset, expected.data() + offset, size, amount);
                    kernel(src.data() + offset, got.data() + offset, size, amount);
                    ASSERT_EQ(got, expected)
                        << "size " << size << " offset " << offset << " amount " << amount;
                }
            }
        }
    }
}

TEST(XFade, FastKernelsMatchTheByteLoopOnScreenSizedSurfaces) {
    // Large enough for the path that writes around the cache, with an odd tail.
    const std::size_t size = 3 * 1366 * 848 + 5;
    const auto src = randomBytes(size + 1, 2);
    for (XFadeKernel kernel : fastKernels()) {
        for (int amount : {4, 252}) {
            std::vector<std::uint8_t> expected(size + 1), got(size + 1);
            xfadeScalar(src.data() + 1, expected.data() + 1, size, amount);
            kernel(src.data() + 1, got.data() + 1, size, amount);
            ASSERT_TRUE(got == expected) << "amount " << amount;
        }
    }
}

TEST(XFade, EveryAmountOnEveryByteValue) {
    std::vector<std::uint8_t> src(256);
    for (int i = 0; i < 256; ++i)
        src[i] = static_cast<std::uint8_t>(i);
    for (XFadeKernel kernel : fastKernels()) {
        for (int amount = 0; amount < 256; ++amount) {
            std::vector<std::uint8_t> dest(256);
            kernel(src.data(), dest.data(), 256, amount);
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ(dest[i], (i * amount) >> 8) << i << " " << amount;
        }
    }
}

TEST(BgrRow, FastKernelsMatchThePlainLoopAtEveryLengthAndWriteNothingBeyond) {
    std::vector<BgrRowKernel> kernels{bestBgrRowKernel()};
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("ssse3"))
        kernels.push_back(bgrRowSsse3);
    if (cpuHasAvx2())
        kernels.push_back(bgrRowAvx2);
#endif
    for (BgrRowKernel kernel : kernels) {
        for (std::size_t pixels = 0; pixels <= 80; ++pixels) {
            const auto row = randomBytes(3 * pixels, unsigned(pixels)); // no byte to spare
            std::vector<std::uint32_t> expected(pixels + 2, 0xABABABAB), got = expected;
            bgrRowScalar(row.data(), expected.data(), pixels);
            kernel(row.data(), got.data(), pixels);
            ASSERT_EQ(got, expected) << pixels << " pixels";
        }
    }
    const std::uint8_t pixel[3] = {0x11, 0x22, 0x33}; // blue, green, red
    std::uint32_t out = 0;
    bgrRowScalar(pixel, &out, 1);
    EXPECT_EQ(out, 0xff332211u);
}
