#include "platform/text/VbNumber.h"

#include <gtest/gtest.h>

using namespace lumera;

TEST(VbNumber, AcceptsBlanksSignsFractionsAndExponents) {
    EXPECT_EQ(readVbLong("7"), 7);
    EXPECT_EQ(readVbLong(" 7 "), 7);
    EXPECT_EQ(readVbLong("\t-3"), -3);
    EXPECT_EQ(readVbLong("+12"), 12);
    EXPECT_EQ(readVbLong("1e3"), 1000);
    EXPECT_EQ(readVbLong(".6"), 1);
    EXPECT_EQ(readVbLong("12."), 12);
}

TEST(VbNumber, RoundsHalvesToEven) {
    EXPECT_EQ(readVbLong("7.5"), 8);
    EXPECT_EQ(readVbLong("6.5"), 6);
    EXPECT_EQ(readVbLong("2.5"), 2);
    EXPECT_EQ(readVbLong("-2.5"), -2);
    EXPECT_EQ(readVbLong("2.51"), 3);
    EXPECT_EQ(readVbInteger("0.5"), 0);
    EXPECT_EQ(readVbInteger("1.5"), 2);
}

TEST(VbNumber, JunkAndEmptyAreFailedReads) {
    for (const char* junk : {"", "   ", "abc", "7x", "x7", "1,5", "--1", "1e", "e5", ".", "+",
                             "0x10", "1 2", "nan", "inf"})
        EXPECT_FALSE(readVbLong(QString::fromLatin1(junk)).has_value()) << junk;
    // Full-width digits are not numbers to the settings readers.
    EXPECT_FALSE(readVbLong(QStringLiteral("７")).has_value());
}

TEST(VbNumber, OverflowOfTheTargetIsAFailedRead) {
    EXPECT_EQ(readVbLong("2147483647"), 2147483647);
    EXPECT_EQ(readVbLong("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(readVbLong("2147483648").has_value());
    EXPECT_FALSE(readVbLong("99999999999").has_value());
    EXPECT_FALSE(readVbLong("1e400").has_value());
    EXPECT_EQ(readVbInteger("32767"), 32767);
    EXPECT_FALSE(readVbInteger("32767.5").has_value()); // rounds to 32768
    EXPECT_EQ(readVbInteger("32766.5"), 32766);
    EXPECT_FALSE(readVbInteger("-32769").has_value());
}
