#include "platform/sites/SiteTable.h"
#include "portal/directory/DirectoryTable.h"
#include "portal/directory/DirectoryTree.h"
#include "portal/directory/PortalSites.h"
#include "portal/resources/PortalImages.h"
#include "support/FrmmainHarness.h"

#include <QApplication>
#include <QHash>
#include <QSet>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace lumera;
using namespace lumera::portal;

namespace {

SiteTable directorySiteTable() {
    QHash<QString, QString> defaults;
    addDirectorySites(defaults);
    return SiteTable(defaults);
}

QStringList captionsOf(const QTreeWidgetItem* group) {
    QStringList captions;
    for (int i = 0; i < group->childCount(); ++i)
        captions.append(group->child(i)->text(0));
    return captions;
}

class DirectoryTreeTest : public ::testing::Test {
protected:
    test::TestApplication app;
    QTreeWidget tree;
    SiteTable sites = directorySiteTable();
    ImageList images = treeImages();
};

} // namespace

TEST(DirectoryTable, GroupsHoldTheirCountsAndImages) {
    struct Group {
        const char* key;
        int leaves;
        int leafImage;
    };
    // Group order, leaf counts and leaf images as the directories are specified.
    const std::vector<Group> channelGroups{
        {"film", 26, 3},   {"bang", 11, 11}, {"hollywood", 8, 14}, {"vip", 6, 15},
        {"person", 5, 10}, {"xiang", 9, 8},  {"lian", 8, 5},       {"katong", 14, 4},
        {"tv", 8, 6},      {"radio", 11, 7}, {"music", 9, 8},      {"download", 3, 13}};
    const std::vector<Group> radioGroups{{"music", 18, 7}, {"china", 6, 7}, {"dsc", 12, 7}};
    for (const auto& [directory, expected, leafCount] :
         {std::tuple{&channelDirectory(), channelGroups, 118},
          std::tuple{&radioDirectory(), radioGroups, 36}}) {
        ASSERT_EQ(directory->groups.size(), expected.size());
        EXPECT_EQ(directory->leaves.size(), leafCount);
        QHash<QString, int> images;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const DirectoryGroup& group = directory->groups[i];
            EXPECT_EQ(group.key, expected[i].key);
            EXPECT_EQ(group.leafCount, expected[i].leaves) << expected[i].key;
            images.insert(expected[i].key, expected[i].leafImage);
        }
        for (const DirectoryLeaf& leaf : directory->leaves)
            EXPECT_EQ(leaf.image, images.value(leaf.group, -1)) << leaf.caption.toStdString();
    }
}

TEST(DirectoryTable, EveryAddressIsARealDistinctWebAddress) {
    const SiteTable sites = makePortalSiteTable("/nowhere", "/nowhere/sites.ini");
    QSet<QString> addresses;
    QSet<QString> services;
    for (const Directory* directory : {&channelDirectory(), &radioDirectory()}) {
        for (const DirectoryLeaf& leaf : directory->leaves) {
            ASSERT_TRUE(sites.contains(leaf.service)) << leaf.service.toStdString();
            const QString address = leafAddress(leaf, sites);
            const QUrl url(address, QUrl::StrictMode);
            EXPECT_TRUE(url.isValid() && url.scheme() == "https" && url.host().contains('.'))
                << address.toStdString();
            addresses.insert(address);
            services.insert(leaf.service);
        }
    }
    EXPECT_EQ(addresses.size(), 154);
    // Every site of the data is used, and each origin belongs to one service only.
    QSet<QString> origins;
    for (const DirectorySite& site : directorySites()) {
        EXPECT_TRUE(services.contains(site.service)) << site.service.toStdString();
        origins.insert(site.origin);
    }
    EXPECT_EQ(origins.size(), directorySites().size());
}

TEST(DirectoryTable, TellingRowsHaveTheirSitesAndPaths) {
    const SiteTable sites = makePortalSiteTable("/nowhere", "/nowhere/sites.ini");
    const auto address = [&](const Directory& directory, const QString& caption) {
        for (const DirectoryLeaf& leaf : directory.leaves) {
            if (leaf.caption == caption)
                return leafAddress(leaf, sites);
        }
        return QString();
    };
    const Directory& c = channelDirectory();
    const Directory& r = radioDirectory();
    EXPECT_EQ(address(c, "爱奇艺电影"), "https://www.iqiyi.com/dianying/");
    EXPECT_EQ(address(c, "百度热门电影"), "https://v.baidu.com/childchannal/movie.html");
    EXPECT_EQ(address(c, "豆瓣电影排行榜"), "https://movie.douban.com/chart");
    EXPECT_EQ(address(c, "2345网络电视台"), "https://tv.2345.com/live/");
    EXPECT_EQ(address(c, "Helmquor作品全集"), "https://tv.sohu.com/s2009/helmquor/#xiaopin");
    // The first radio leaf is the default radio page.
    EXPECT_EQ(address(r, "怀旧金曲音乐频道"), defaultRadioPage(sites));
    EXPECT_EQ(address(r, "都市流行音乐频道"), "https://www.cri.cn/radio/playerpop.htm");
    EXPECT_EQ(address(r, "欧美流行音乐"), "https://www.1ting.com/rand.php?typeID=15");
    EXPECT_EQ(address(r, "DJ舞曲(1)"), "https://www.1ting.com/rand.php?g=108");
}

TEST_F(DirectoryTreeTest, ChannelDirectoryNodesInOrder) {
    buildDirectory(tree, channelDirectory(), sites, images);
    const QList<QTreeWidgetItem*> nodes = nodesInOrder(tree);
    ASSERT_EQ(nodes.size(), 131);
    EXPECT_EQ(nodes[0]->text(0), "宽带网络中心");
    EXPECT_EQ(nodeKey(nodes[0]), "group");
    const QStringList keys{"film", "bang",   "hollywood", "vip",   "person", "xiang",
                           "lian", "katong", "tv",        "radio", "music",  "download"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(nodeKey(nodes[i + 1]), keys[i]);
        EXPECT_EQ(nodes[i + 1]->parent(), nodes[0]);
    }
    // Leaves follow group by group in their own order: film, bang, person, katong ...
    EXPECT_EQ(nodes[13]->text(0), "迅雷电影");
    EXPECT_EQ(nodes[38]->text(0), "日韩电影(QVOD)");
    EXPECT_EQ(nodes[39]->text(0), "百度热门电影");
    EXPECT_EQ(nodes[50]->text(0), "优酷视频");
    EXPECT_EQ(nodes[50]->parent()->text(0), "个人视频娱乐");
    EXPECT_EQ(nodes[130]->text(0), "电影天堂下载网");
    EXPECT_EQ(nodes[130]->parent()->text(0), "电影免费下载");

    const QTreeWidgetItem* xiang = nodeAt(tree, 7);
    EXPECT_EQ(captionsOf(xiang),
              QStringList({"土豆网相声小品集", "优酷网经典相声小品", "酷6网相声小品大全",
                           "56 网相声小品大全", "搜狗相声小品排行榜", "历年春晚小品全集",
                           "Helmquor作品全集", "Quennavel小品全集", "Ostrevin相声全集"}));
    const QTreeWidgetItem* radio = nodeAt(tree, 11);
    EXPECT_EQ(captionsOf(radio).first(), "在线广播 - 好爱收音机");
    EXPECT_EQ(captionsOf(radio).last(), "广东音乐之声-FM99.3");
    // Keys are unique within the tree.
    QSet<QString> seen;
    for (const QTreeWidgetItem* node : nodes)
        seen.insert(nodeKey(node));
    EXPECT_EQ(seen.size(), 131);
    EXPECT_FALSE(isRadioDirectory(tree));
}

TEST_F(DirectoryTreeTest, RadioDirectoryNodesInOrder) {
    buildDirectory(tree, channelDirectory(), sites, images);
    QTreeWidgetItem* last = buildDirectory(tree, radioDirectory(), sites, images);
    const QList<QTreeWidgetItem*> nodes = nodesInOrder(tree);
    ASSERT_EQ(nodes.size(), 40);
    EXPECT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_TRUE(isRadioDirectory(tree));
    EXPECT_EQ(last, nodes.last());
    EXPECT_EQ(last->text(0), "DJCC");
    EXPECT_EQ(captionsOf(nodeAt(tree, 3)), QStringList({"好爱收音机", "最爱视听", "中国广播网",
                                                        "我爱广播网", "听广播", "电台之家"}));
    EXPECT_EQ(nodes[4]->text(0), "怀旧金曲音乐频道");
    EXPECT_EQ(nodes[21]->text(0), "江西音乐广播");
}

TEST_F(DirectoryTreeTest, TheRevealedLeafIsShown) {
    buildDirectory(tree, channelDirectory(), sites, images);
    // The last film leaf is in view: its group and the root are open, the others closed.
    EXPECT_TRUE(nodeAt(tree, 1)->isExpanded());
    EXPECT_TRUE(nodeAt(tree, 2)->isExpanded());
    EXPECT_FALSE(nodeAt(tree, 3)->isExpanded());
    buildDirectory(tree, radioDirectory(), sites, images);
    EXPECT_TRUE(nodeAt(tree, 4)->isExpanded());
    EXPECT_FALSE(nodeAt(tree, 2)->isExpanded());
}

TEST_F(DirectoryTreeTest, CollapseAllLeavesRootAndGroupsVisible) {
    buildDirectory(tree, channelDirectory(), sites, images);
    setGroupsExpanded(tree, false);
    // Walking the rows as the user sees them meets exactly the root and its twelve groups.
    QStringList rows;
    for (QTreeWidgetItem* row = tree.topLevelItem(0); row; row = tree.itemBelow(row))
        rows.append(nodeKey(row));
    EXPECT_EQ(rows, QStringList({"group", "film", "bang", "hollywood", "vip", "person", "xiang",
                                 "lian", "katong", "tv", "radio", "music", "download"}));
    setGroupsExpanded(tree, true);
    int shown = 0;
    for (QTreeWidgetItem* row = tree.topLevelItem(0); row; row = tree.itemBelow(row))
        ++shown;
    EXPECT_EQ(shown, 131);
}

TEST_F(DirectoryTreeTest, WhatADoubleClickOpens) {
    buildDirectory(tree, channelDirectory(), sites, images);
    // The root is selected after a build: nothing opens.
    EXPECT_EQ(leafToOpen(tree).where, LeafToOpen::Nothing);
    tree.clearSelection();
    EXPECT_EQ(leafToOpen(tree).where, LeafToOpen::Nothing);
    nodeAt(tree, 2)->setSelected(true);
    EXPECT_EQ(leafToOpen(tree).where, LeafToOpen::Nothing);
    tree.clearSelection();
    nodeAt(tree, 15)->setSelected(true);
    LeafToOpen open = leafToOpen(tree);
    EXPECT_EQ(open.where, LeafToOpen::NewWindow);
    EXPECT_EQ(open.address, "https://www.iqiyi.com/dianying/");

    buildDirectory(tree, radioDirectory(), sites, images);
    tree.clearSelection();
    nodeAt(tree, 5)->setSelected(true);
    open = leafToOpen(tree);
    EXPECT_EQ(open.where, LeafToOpen::OwnPane);
    EXPECT_EQ(open.address, "https://www.cri.cn/radio/");
}

TEST_F(DirectoryTreeTest, ATableWithoutTheServicesStillGivesDistinctAddresses) {
    buildDirectory(tree, channelDirectory(), SiteTable(), images);
    QSet<QString> keys;
    for (const QTreeWidgetItem* node : nodesInOrder(tree))
        keys.insert(nodeKey(node));
    EXPECT_EQ(keys.size(), 131);
    EXPECT_EQ(nodeKey(nodeAt(tree, 15)), "https://www.iqiyi.com/dianying/");
}

TEST_F(DirectoryTreeTest, AMovedSiteIsRepairedThroughTheSiteTable) {
    sites.applyOverrides("iqiyi=http://127.0.0.1:8123\n");
    buildDirectory(tree, channelDirectory(), sites, images);
    EXPECT_EQ(nodeKey(nodeAt(tree, 15)), "http://127.0.0.1:8123/dianying/");
}

TEST_F(DirectoryTreeTest, NodesShowTheirImages) {
    buildDirectory(tree, channelDirectory(), sites, images);
    EXPECT_EQ(nodeAt(tree, 1)->icon(0).cacheKey(), images.image(1).cacheKey());
    EXPECT_EQ(nodeAt(tree, 2)->icon(0).cacheKey(), images.image(2).cacheKey());
    EXPECT_EQ(nodeAt(tree, 14)->icon(0).cacheKey(), images.image(3).cacheKey());
    EXPECT_EQ(nodeAt(tree, 131)->icon(0).cacheKey(), images.image(13).cacheKey());
}
