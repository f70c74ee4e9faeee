#include "platform/screen/GraphicsDevice.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using namespace lumera;

TEST(GraphicsDevice, OnlyADrmNodeOrTheNvidiaDriverCounts) {
    const auto with = [](const QStringList& nodes) {
        lumera::test::TestFolder dev;
        for (const QString& node : nodes)
            dev.write(node, {});
        return hasGraphicsDevice(dev.path());
    };
    EXPECT_FALSE(with({}));
    // What a machine without a graphics processor still has.
    EXPECT_FALSE(with({"dri/by-path/.keep", "fb0", "input/event0"}));
    EXPECT_TRUE(with({"dri/renderD128"}));
    EXPECT_TRUE(with({"dri/card0"}));
    EXPECT_TRUE(with({"nvidiactl"}));
}
