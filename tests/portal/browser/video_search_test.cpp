#include "platform/sites/SiteTable.h"
#include "portal/browser/VideoSearch.h"
#include "portal/directory/PortalSites.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;

namespace {

SiteTable portalSites() {
    test::TestFolder folder;
    return makePortalSiteTable(folder.path(), folder.file("no-sites.ini"));
}

} // namespace

TEST(VideoSearchAddress, EveryEngineTakesTheQueryAsTyped) {
    const SiteTable sites = portalSites();
    const QString q = QStringLiteral("无间 道&Part 2");
    const QStringList expected{
        "http://video.baidu.com/v?ct=301989888&rn=20&pn=0&db=0&word=" + q + "&ty=21&old=&nf=1",
        "http://so.kan.2345.com/search_" + q,
        "http://search.kankan.com/search.php?keyword=" + q,
        "http://so.iqiyi.com/so/q_" + q,
        "http://so.letv.com/s?wd=" + q,
        "http://search.pptv.com/s_video/q_" + q,
        "http://so.tv.sohu.com/mts?box=1&wd=" + q,
        "http://www.1905.com/search/index-p-type-all-q-" + q + ".html",
        "http://www.soku.com/search_video/q_" + q,
        "http://www.soku.com/t/nisearch/" + q,
    };
    ASSERT_EQ(searchEngines().size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(searchAddress(sites, i, q), expected[i]) << "engine " << i;
}

TEST(VideoSearchAddress, NoSelectionOrAnIndexOutsideTheListSearchesTheFirstEngine) {
    const SiteTable sites = portalSites();
    const QString first = searchAddress(sites, 0, "Doskar");
    EXPECT_EQ(searchAddress(sites, -1, "Doskar"), first);
    EXPECT_EQ(searchAddress(sites, 10, "Doskar"), first);
    EXPECT_EQ(searchAddress(sites, 1 << 30, "Doskar"), first);
}

TEST(VideoSearchAddress, HostsComeFromTheSiteTable) {
    SiteTable sites = portalSites();
    sites.applyOverrides("search-1905=http://127.0.0.1:8123\nsearch-soku=127.0.0.1:9\n");
    EXPECT_EQ(searchAddress(sites, 7, "Doskar"),
              "http://127.0.0.1:8123/search/index-p-type-all-q-Doskar.html");
    // Both soku engines follow one override.
    EXPECT_EQ(searchAddress(sites, 9, "x"), "https://127.0.0.1:9/t/nisearch/x");
}
