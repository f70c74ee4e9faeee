#include "platform/registry/HiveRegistry.h"
#include "platform/settings/SettingsStore.h"
#include "portal/UseCounter.h"
#include "support/FakeDesktop.h"
#include "support/TestFolders.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::TestFolder;

namespace {

struct UseCounterTest : ::testing::Test {
    TestFolder dir;
    SettingsStore settings{dir.file("config")};
    HiveRegistry registry{dir.file("config/registry.hive"),
                          AutostartEntry(dir.file("autostart"), "Radio")};
    FirstUseValues firstUse{"http://127.0.0.1:9/radio/", "/opt/程序 目录/Korvid"};

    std::int32_t count() { return IncrementUseCount(settings, registry, firstUse, "Cinema"); }
    QString read(const QString& section, const QString& key) {
        return settings.read("cinema", section, key);
    }
};

} // namespace

TEST_F(UseCounterTest, FirstUseSetsUpTheDefaultsOnce) {
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(read("setup", "history"), "1");
    EXPECT_EQ(read("unload", "PingDao"), "http://127.0.0.1:9/radio/");
    EXPECT_EQ(read("Cinema", "usecount"), "1");
    EXPECT_EQ(read("update", "usecount"), "1");
    EXPECT_EQ(registry.value(HKEY_CURRENT_USER, kRunKey, "Radio"), "/opt/程序 目录/Korvid");
    EXPECT_TRUE(QFileInfo::exists(dir.file("autostart/Radio.desktop")));

    // The user changes the switch and the radio page; the second load leaves them alone.
    settings.write("cinema", "setup", "history", "0");
    settings.write("cinema", "unload", "PingDao", "http://127.0.0.1:9/other/");
    registry.DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Radio");
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(read("setup", "history"), "0");
    EXPECT_EQ(read("unload", "PingDao"), "http://127.0.0.1:9/other/");
    EXPECT_EQ(read("update", "usecount"), "2");
    EXPECT_FALSE(QFileInfo::exists(dir.file("autostart/Radio.desktop")));
}

TEST_F(UseCounterTest, ANonNumberCountStartsOverWithTheFirstUseSteps) {
    settings.write("cinema", "Cinema", "usecount", "many");
    settings.write("cinema", "setup", "history", "0");
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(read("setup", "history"), "1");
    settings.write("cinema", "Cinema", "usecount", " 41 ");
    EXPECT_EQ(count(), 42);
}

TEST_F(UseCounterTest, TheLargestCountStays) {
    settings.write("cinema", "Cinema", "usecount", "2147483647");
    EXPECT_EQ(count(), 2147483647);
    EXPECT_EQ(read("Cinema", "usecount"), "2147483647");
    // Past the 32-bit range the text is no number at all: a fresh start.
    settings.write("cinema", "Cinema", "usecount", "2147483648");
    EXPECT_EQ(count(), 1);
}

TEST_F(UseCounterTest, SettingsThatCannotBeWrittenStillNumberTheLoad) {
    dir.write("blocked", "a file, not a folder");
    SettingsStore nowhere(dir.file("blocked"));
    EXPECT_EQ(IncrementUseCount(nowhere, registry, firstUse, "Cinema"), 1);
    // The first use still registers the log-on entry, as before the settings went read-only.
    EXPECT_EQ(registry.value(HKEY_CURRENT_USER, kRunKey, "Radio"), "/opt/程序 目录/Korvid");
}
