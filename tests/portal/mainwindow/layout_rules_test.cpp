#include "portal/mainwindow/MainLayout.h"
#include "portal/mainwindow/Twips.h"

#include <gtest/gtest.h>

using namespace lumera::portal;

namespace {

// A maximised window on a 1920 × 1080 screen, in twips.
constexpr int kSW = 28800;
constexpr int kSH = 15000;

TEST(LayoutRules, SearchBarIsRightAlignedWhenWideOrWhereItsDesignPlaceDoesNotFit) {
    const auto rightAligned = [](const MainLayout& l, int sw) {
        return l.Cmd.Left == sw - 1150 && l.CmbSearch.Left == sw - 5100 &&
               l.CmbType.Left == sw - 6500;
    };
    const auto atDesign = [](const MainLayout& l) {
        return l.Cmd.Left == 14400 && l.CmbSearch.Left == 10440 && l.CmbType.Left == 8880;
    };
    // One window, maximised first: going back to any narrower size places the bar anew.
    MainLayout l;
    resizeLayout(l, 15901, kSH, 16001);
    EXPECT_TRUE(rightAligned(l, 15901));
    resizeLayout(l, 15900, kSH, 16000);
    EXPECT_TRUE(atDesign(l));
    resizeLayout(l, 15500, kSH, 15600);
    EXPECT_TRUE(atDesign(l));
    for (const int sw : {15499, 13500, 11805}) {
        resizeLayout(l, sw, kSH, sw + 100);
        EXPECT_TRUE(rightAligned(l, sw)) << sw;
        // Whole and inside, in the order engine, query, button.
        EXPECT_GT(l.CmbType.Left, 0) << sw;
        EXPECT_LT(l.CmbType.Left + l.CmbType.Width, l.CmbSearch.Left) << sw;
        EXPECT_LT(l.CmbSearch.Left + l.CmbSearch.Width, l.Cmd.Left) << sw;
        EXPECT_LE(l.Cmd.Left + l.Cmd.Width, sw) << sw;
    }
    resizeLayout(l, 15900, kSH, 16000);
    EXPECT_TRUE(atDesign(l));
}

TEST(LayoutRules, ResizeWithTheTreeShowingFillsTheWindow) {
    MainLayout l;
    resizeLayout(l, kSW, kSH, kSW + 240);
    EXPECT_EQ(l.tvw.Width, 4400);
    EXPECT_EQ(l.tvw.Left, kSW - 4450);
    EXPECT_EQ(l.tvw.Top, 645);
    EXPECT_EQ(l.tvw.Height, kSH - 4750);
    EXPECT_TRUE(l.Pop.Visible && l.Piclose.Visible);
    EXPECT_EQ(l.Pop.Left, l.tvw.Left);
    EXPECT_EQ(l.Pop.Top, kSH - 4080);
    EXPECT_EQ(l.Pop.Width, 4390);
    EXPECT_EQ(l.Pop.Height, 3800);
    EXPECT_EQ(l.Piclose.Left, kSW - 850);
    EXPECT_EQ(l.Piclose.Top, kSH - 4080 - 250);
    EXPECT_EQ(l.Web.Left, 50);
    EXPECT_EQ(l.Web.Top, 650);
    EXPECT_EQ(l.Web.Width, kSW - 4550);
    EXPECT_EQ(l.Web.Height, kSH - 950);
    // The splitter sits in the 100-twip gap between the panes.
    EXPECT_EQ(l.lab.Left, l.Web.Width + 50);
    EXPECT_EQ(l.lab.Height, kSH - 950);
    EXPECT_EQ(l.PicPro.Top, kSH - 255);
}

TEST(LayoutRules, HiddenPanelStaysHiddenThroughAResize) {
    MainLayout l;
    resizeLayout(l, kSW, kSH, kSW);
    toggleRightPanel(l, kSW, kSH);
    EXPECT_FALSE(l.tvw.Visible || l.Pop.Visible || l.Piclose.Visible || l.lab.Visible);
    EXPECT_EQ(l.Web.Width, kSW - 100);
    EXPECT_EQ(l.tvw.Height, kSH - 950);

    resizeLayout(l, kSW - 1500, kSH, kSW - 1500);
    EXPECT_EQ(l.Web.Width, kSW - 1600);
    EXPECT_FALSE(l.tvw.Visible || l.Pop.Visible || l.Piclose.Visible || l.lab.Visible);

    // Showing it again restores the panel exactly as a resize would lay it out.
    toggleRightPanel(l, kSW, kSH);
    MainLayout fresh;
    resizeLayout(fresh, kSW, kSH, kSW);
    EXPECT_TRUE(l.tvw.Visible && l.Pop.Visible && l.Piclose.Visible && l.lab.Visible);
    EXPECT_EQ(l.tvw.Left, fresh.tvw.Left);
    EXPECT_EQ(l.tvw.Height, fresh.tvw.Height);
    EXPECT_EQ(l.Pop.Top, fresh.Pop.Top);
    EXPECT_EQ(l.Pop.Width, fresh.Pop.Width);
    EXPECT_EQ(l.Web.Width, fresh.Web.Width);
    EXPECT_EQ(l.lab.Left, fresh.lab.Left);
}

TEST(LayoutRules, ClosedPopPaneComesBackAtTheNextResize) {
    MainLayout l;
    resizeLayout(l, kSW, kSH, kSW);
    closePopPane(l, kSH);
    EXPECT_FALSE(l.Pop.Visible || l.Piclose.Visible);
    EXPECT_TRUE(l.tvw.Visible);
    EXPECT_EQ(l.tvw.Height, kSH - 950);

    resizeLayout(l, kSW, kSH, kSW);
    EXPECT_TRUE(l.Pop.Visible && l.Piclose.Visible);
    EXPECT_EQ(l.tvw.Height, kSH - 4750);
}

TEST(LayoutRules, SplitterDropIsAppliedAsIsAndUndoneByAResize) {
    MainLayout l;
    resizeLayout(l, kSW, kSH, kSW);
    const int start = l.lab.Left;
    // The bar's centre follows the pointer: 25 twips is its middle.
    dragSplitter(l, 25);
    EXPECT_EQ(l.lab.Left, start);
    dragSplitter(l, -15000);
    dragSplitter(l, -4000);
    EXPECT_EQ(l.lab.Left, start - 19050);
    dropSplitter(l, kSW);
    EXPECT_EQ(l.Web.Width, l.lab.Left - 50);
    EXPECT_EQ(l.tvw.Left, l.lab.Left + 50);
    EXPECT_EQ(l.tvw.Width, kSW - l.tvw.Left - 50);
    EXPECT_EQ(l.Pop.Left, l.tvw.Left);
    EXPECT_EQ(l.Pop.Width, l.tvw.Width);

    resizeLayout(l, kSW, kSH, kSW);
    EXPECT_EQ(l.tvw.Width, 4400);
    EXPECT_EQ(l.lab.Left, start);
}

TEST(LayoutRules, SizesThatComeOutNegativeAreNotApplied) {
    MainLayout l;
    resizeLayout(l, kSW, kSH, kSW);
    const MainLayout before = l;
    // A minimised window: almost no client area.
    resizeLayout(l, 1200, 300, 1200);
    EXPECT_EQ(l.tvw.Height, before.tvw.Height);
    EXPECT_EQ(l.Web.Width, before.Web.Width);
    EXPECT_EQ(l.Web.Height, before.Web.Height);
    EXPECT_EQ(l.lab.Height, before.lab.Height);
    // Positions may go negative; they are applied.
    EXPECT_EQ(l.tvw.Left, 1200 - 4450);
    EXPECT_EQ(l.PicPro.Top, 45);

    // A splitter dropped past the left edge leaves the browser pane its old width.
    dragSplitter(l, -30000);
    dropSplitter(l, kSW);
    EXPECT_EQ(l.Web.Width, before.Web.Width);
}

TEST(LayoutRules, TwipsMeetPixelsInOnePlace) {
    EXPECT_EQ(twipsToPixels(15), 1);
    EXPECT_EQ(twipsToPixels(600), 40);
    EXPECT_EQ(twipsToPixels(-8000), -533);
    EXPECT_EQ(twipsToPixels(4400), 293);
    EXPECT_EQ(pixelsToTwips(1920), 28800);
}

} // namespace
