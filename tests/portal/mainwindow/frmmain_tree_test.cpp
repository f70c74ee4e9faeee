#include "portal/directory/DirectoryTree.h"
#include "portal/mainwindow/Frmmain.h"
#include "support/FrmmainHarness.h"

#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;

namespace {

class FrmmainTreeTest : public ::testing::Test {
protected:
    FrmmainHarness harness;
    Frmmain* window = harness.open();

    void select(int index) {
        window->tvw->clearSelection();
        if (QTreeWidgetItem* node = nodeAt(*window->tvw, index))
            node->setSelected(true);
    }
    // Every node of 2 to 13 expanded and node 1 alone selected.
    void expectFreshBuild(int nodes) {
        EXPECT_EQ(nodesInOrder(*window->tvw).size(), nodes);
        for (int index = 2; index <= 13; ++index)
            EXPECT_TRUE(nodeAt(*window->tvw, index)->isExpanded()) << index;
        EXPECT_EQ(window->tvw->selectedItems(), QList<QTreeWidgetItem*>{nodeAt(*window->tvw, 1)});
    }
};

} // namespace

TEST_F(FrmmainTreeTest, EveryBuildIsFresh) {
    expectFreshBuild(131);
    EXPECT_EQ(window->LastNode->text(0), "电影天堂下载网");
    window->ShortTvw_Click();
    select(40);
    window->loadRadio();
    expectFreshBuild(40);
    EXPECT_EQ(window->LastNode->text(0), "DJCC");
    window->LoadChannels();
    expectFreshBuild(131);
}

TEST_F(FrmmainTreeTest, CollapseThenExpandAll) {
    test::pickMenuItem(window->TvwList, "收缩全部列表(&S)");
    for (int index = 2; index <= 13; ++index)
        EXPECT_FALSE(nodeAt(*window->tvw, index)->isExpanded());
    EXPECT_TRUE(nodeAt(*window->tvw, 1)->isExpanded());
    select(50);
    test::pickMenuItem(window->TvwList, "展开全部列表(&A)");
    expectFreshBuild(131);
}

TEST_F(FrmmainTreeTest, ChannelLeafOpensInASecondWindow) {
    FakeWebBrowser* web = FrmmainHarness::fakeWeb(window);
    web->finishLoad("https://www.cri.cn/radio/", "音乐");
    window->ProgressStep = 4;
    select(15);
    window->tvw_DblClick();
    EXPECT_EQ(window->ProgressStep, 0);
    ASSERT_EQ(harness.allWindows().size(), 2u);
    Frmmain* second = window->ChildWindow;
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(FrmmainHarness::fakeWeb(second)->navigations,
              QStringList{"https://www.iqiyi.com/dianying/"});
    EXPECT_TRUE(FrmmainHarness::fakeWeb(second)->registeredAsBrowser());
    EXPECT_EQ(nodesInOrder(*second->tvw).size(), 131);
    // The first window's page and tree stay as they were.
    EXPECT_TRUE(web->navigations.isEmpty());
    EXPECT_EQ(nodeAt(*window->tvw, 15)->isSelected(), true);
    EXPECT_EQ(harness.state.MainWindowCount, 2);
}

TEST_F(FrmmainTreeTest, RadioLeafOpensInTheOwnPane) {
    window->loadRadio();
    select(6);
    window->tvw_DblClick();
    EXPECT_EQ(FrmmainHarness::fakeWeb(window)->navigations,
              QStringList({"about:blank", "https://www.cri.cn/radio/playerpop.htm"}));
    EXPECT_EQ(harness.allWindows().size(), 1u);
}

TEST_F(FrmmainTreeTest, GroupsRootAndNothingSelectedOpenNothing) {
    for (int index : {0, 1, 2, 13}) {
        select(index);
        window->tvw_DblClick();
    }
    window->loadRadio();
    for (int index : {0, 1, 4}) {
        select(index);
        window->tvw_DblClick();
    }
    // Nor does a double-click on the blank space of the tree (left of a leaf) while a leaf is
    // selected; on the leaf itself it opens.
    window->LoadChannels();
    window->resize(1000, 700);
    window->show();
    select(15);
    const QRect leaf = window->tvw->visualItemRect(nodeAt(*window->tvw, 15));
    const auto doubleClick = [&](QPoint at) {
        at = window->tvw->viewport()->mapTo(window, at);
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    };
    doubleClick({2, leaf.center().y()});
    EXPECT_EQ(harness.allWindows().size(), 1u);
    EXPECT_TRUE(FrmmainHarness::fakeWeb(window)->navigations.isEmpty());
    doubleClick(leaf.center());
    EXPECT_EQ(harness.allWindows().size(), 2u);
}

TEST_F(FrmmainTreeTest, ClosingInRadioModeStoresTheShownAddress) {
    window->loadRadio();
    select(5);
    window->tvw_DblClick();
    // The station page led elsewhere; that address is what is kept.
    FrmmainHarness::fakeWeb(window)->finishLoad("https://www.cri.cn/radio/next.htm", "下一页");
    window->close();
    EXPECT_EQ(harness.settings.read("cinema", "unload", "PingDao"),
              "https://www.cri.cn/radio/next.htm");
}
