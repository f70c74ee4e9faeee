#include "platform/sites/SiteTable.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using namespace lumera;

TEST(SiteTable, DefaultsAndOverridesKeepThePaths) {
    SiteTable table({{"cri", "https://www.cri.cn"}, {"film", "www.example-film.cn"}});
    EXPECT_EQ(table.url("cri", "/radio/"), "https://www.cri.cn/radio/");
    EXPECT_EQ(table.url("film", "/search?q=1"), "https://www.example-film.cn/search?q=1");
    table.applyOverrides("cri = http://127.0.0.1:8080/\n");
    EXPECT_EQ(table.url("cri", "/radio/"), "http://127.0.0.1:8080/radio/");
    EXPECT_EQ(table.url("film", "/search?q=1"), "https://www.example-film.cn/search?q=1");
}

TEST(SiteTable, GarbageLinesAndUnknownServicesAreIgnored) {
    SiteTable table({{"cri", "https://www.cri.cn"}});
    table.applyOverrides("[hosts]\n; comment\n# comment\n=nothing\ngarbage\x01\x02\n"
                         "cri=\nunknown=http://127.0.0.1\ncri=not a host\ncri=http://a b\n");
    EXPECT_EQ(table.origin("cri"), "https://www.cri.cn");
    EXPECT_FALSE(table.contains("unknown"));
    EXPECT_EQ(table.url("unknown", "/x"), "/x"); // no origin: the path alone, never a host
}

TEST(SiteTable, LastOverrideWinsAndFileIsRead) {
    lumera::test::TestFolder dir;
    const QString path = dir.write("sites.ini", "cri=127.0.0.1:1\r\ncri=http://127.0.0.1:2\r\n");
    SiteTable table({{"cri", "https://www.cri.cn"}});
    table.loadOverrides(path);
    EXPECT_EQ(table.origin("cri"), "http://127.0.0.1:2");
    table.loadOverrides(dir.file("missing.ini"));
    EXPECT_EQ(table.origin("cri"), "http://127.0.0.1:2");
}

TEST(SiteTable, LocalFolderOriginServesIndexPages) {
    SiteTable table({{"vendor", "file:///opt/lumera/vendor"}});
    EXPECT_EQ(table.url("vendor", "/pop/desktop.html"),
              "file:///opt/lumera/vendor/pop/desktop.html");
    EXPECT_EQ(table.url("vendor", "/lan/"), "file:///opt/lumera/vendor/lan/index.html");
}
