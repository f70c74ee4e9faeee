#include "saver/engine/EngineLaunch.h"
#include "saver/modes/FadeLevels.h"
#include "saver/modes/ModeChoice.h"
#include "saver/modes/PointerWatch.h"
#include "saver/modes/SaverLayout.h"

#include <gtest/gtest.h>
#include <vector>

using namespace lumera::saver;

TEST(ModeArgument, ReadsTheWholeTextAsADecimalNumber) {
    EXPECT_EQ(readModeArgument("7"), 7);
    EXPECT_EQ(readModeArgument(" 7 "), 7);
    EXPECT_EQ(readModeArgument("7.5"), 8);
    EXPECT_EQ(readModeArgument("6.5"), 6);
    EXPECT_EQ(readModeArgument("12"), 12);
    EXPECT_EQ(readModeArgument("-3"), -3);
    // Not a number, or too large for 32 bits: the rotation.
    EXPECT_EQ(readModeArgument("0"), 0);
    EXPECT_EQ(readModeArgument(""), 0);
    EXPECT_EQ(readModeArgument("/s"), 0);
    EXPECT_EQ(readModeArgument("/p 123"), 0);
    EXPECT_EQ(readModeArgument("99999999999"), 0);
}

TEST(ModeChoice, ACommandLineNumberIsUsedUnchangedAndNothingIsStored) {
    const ModeChoice seven = chooseMode(7, "3");
    EXPECT_EQ(seven.mode, 7);
    EXPECT_FALSE(seven.storeLoadtime);
    EXPECT_EQ(chooseMode(-3, "").mode, -3);
}

TEST(ModeChoice, TheRotationAdvancesAndWrapsAfterNine) {
    EXPECT_EQ(chooseMode(0, "").storeLoadtime, QStringLiteral("1"));
    EXPECT_EQ(chooseMode(0, "junk").mode, 1);
    EXPECT_EQ(chooseMode(0, " 4 ").mode, 5);
    EXPECT_EQ(chooseMode(0, "9").mode, 1);
    EXPECT_EQ(chooseMode(0, "2147483647").mode, 1);
    // A stored value below 0 starts again at mode 1 rather than showing nothing.
    EXPECT_EQ(chooseMode(0, "-3").mode, 1);
    EXPECT_EQ(chooseMode(0, "-3").storeLoadtime, QStringLiteral("1"));
    EXPECT_EQ(chooseMode(0, "-1").mode, 1);
    EXPECT_EQ(chooseMode(0, "-2147483648").mode, 1);
    EXPECT_EQ(chooseMode(0, "-0.4").mode, 1);
}

TEST(PointerWatch, ZeroCountsAsNotRecorded) {
    PointerWatch inside;
    EXPECT_FALSE(inside.moved(300, 200));
    EXPECT_FALSE(inside.moved(300, 200));
    EXPECT_TRUE(inside.moved(301, 200)); // one pixel is enough

    // Resting in column 0: the first move to another column is recorded, not an exit.
    PointerWatch column0;
    EXPECT_FALSE(column0.moved(0, 50));
    EXPECT_FALSE(column0.moved(40, 50));
    EXPECT_EQ(column0.x0, 40);
    EXPECT_TRUE(column0.moved(40, 51)); // a change of row still ends it

    PointerWatch row0;
    EXPECT_FALSE(row0.moved(10, 0));
    EXPECT_FALSE(row0.moved(10, 7));
    EXPECT_TRUE(row0.moved(11, 7));
}

TEST(FadeLevels, TheFirst130TicksRiseTurnFallAndLoadAtZero) {
    std::vector<int> expected{0};
    for (int level = 4; level <= 252; level += 4)
        expected.push_back(level);
    for (int level = 248; level >= 4; level -= 4)
        expected.push_back(level);
    for (int level : {0, 4, 8, 12})
        expected.push_back(level);
    ASSERT_EQ(expected.size(), 130u);

    FadeLevels fade;
    std::vector<int> loads;
    for (int tick = 0; tick < 130; ++tick) {
        if (fade.advance())
            loads.push_back(tick);
        ASSERT_EQ(fade.level, expected[tick]) << "tick " << tick;
    }
    EXPECT_EQ(loads, (std::vector<int>{0, 126})); // one photo every 126 ticks
}

TEST(SaverLayout, BrowserFrameOffScreenAndPictureAreaTaller) {
    const SaverLayout layout = saverLayout(QSize(1024, 768));
    EXPECT_EQ(layout.web, QRect(-2, -2, 1028, 772));
    EXPECT_EQ(layout.picture, QRect(0, 0, 1024, 773)); // 70 twips are 4.67 pixels
}
