#include "saver/pixels/Asm.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

using namespace lumera::saver;

TEST(Routines, MovsCopiesWordsThenBytesInAscendingOrder) {
    const Asm routines;
    std::array<std::uint8_t, 10> src{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::array<std::uint8_t, 10> dest{};
    routines.Movs(dest.data(), src.data(), 7);
    EXPECT_EQ(dest, (std::array<std::uint8_t, 10>{1, 2, 3, 4, 5, 6, 7, 0, 0, 0}));

    // Overlapping forward: each word is read before it is written, as the word copy does.
    std::array<std::uint8_t, 12> buf{1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0};
    routines.Movs(buf.data() + 4, buf.data(), 8);
    EXPECT_EQ(buf, (std::array<std::uint8_t, 12>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4}));

    // Nothing to copy: not a byte is touched, and a count below zero is no huge count.
    dest.fill(0xEE);
    routines.Movs(dest.data(), src.data(), 0);
    routines.Movs(dest.data(), src.data(), -5);
    EXPECT_EQ(dest, (std::array<std::uint8_t, 10>{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
                                                  0xEE, 0xEE}));
}

TEST(Routines, PeekReadsThirtyTwoBits) {
    const Asm routines;
    const std::uint8_t bytes[5] = {0xFF, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(routines.Peek(bytes + 1), 0x12345678u); // unaligned is fine
}

TEST(Routines, RMCharRemovesEveryUnitEqualToTheCharacter) {
    const Asm routines;
    QString text = QStringLiteral(" a b  屏保 ");
    routines.RMChar(text, 32);
    EXPECT_EQ(text, QStringLiteral("ab屏保"));
    QString none;
    routines.RMChar(none, 32);
    EXPECT_TRUE(none.isNull());
    QString empty = QStringLiteral("");
    routines.RMChar(empty, 32);
    EXPECT_TRUE(empty.isEmpty());
}

TEST(Routines, CpuIdWritesTheTwelveVendorBytes) {
    const Asm routines;
    QString vendor;
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    __get_cpuid(0, &a, &b, &c, &d);
    char bytes[12];
    std::memcpy(bytes, &b, 4);
    std::memcpy(bytes + 4, &d, 4);
    std::memcpy(bytes + 8, &c, 4);
    vendor = QString::fromLatin1(bytes, 12);
#else
    vendor = QString(12, QChar(0));
#endif
    // Into a buffer of twelve, one of more (the rest stays) and one too short (made twelve).
    QString buffer(12, QChar('x'));
    routines.CpuID(buffer);
    EXPECT_EQ(buffer, vendor);
    QString longer(15, QChar('x'));
    routines.CpuID(longer);
    EXPECT_EQ(longer, vendor + "xxx");
    QString shortBuffer = QStringLiteral("ab");
    routines.CpuID(shortBuffer);
    EXPECT_EQ(shortBuffer, vendor);
}
