#include "platform/web/WebBrowser.h"
#include "portal/browser/BrowserRules.h"
#include "portal/browser/NewWindowRule.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/mainwindow/ToolbarButtons.h"
#include "support/FrmmainHarness.h"

#include <QAction>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;
using lumera::test::pickMenuItem;

namespace {

class BrowserPaneTest : public ::testing::Test {
protected:
    FrmmainHarness harness;
    Frmmain* window = harness.open();
    FakeWebBrowser* web = FrmmainHarness::fakeWeb(window);

    QString panel(int index) const { return window->Stat->panelText(index); }
    void allowPageWindows() { harness.settings.write("cinema", "setup", "history", "0"); }
    size_t windowCount() const { return harness.allWindows().size(); }
};

} // namespace

TEST_F(BrowserPaneTest, StatusAndProgressPanels) {
    web->fireStatus("https://www.iqiyi.com/v_19.html");
    EXPECT_EQ(panel(1), "JavaScript split()");
    web->fireStatus("完成");
    EXPECT_EQ(panel(1), "完成");
    EXPECT_EQ(window->LastStatusText, "https://www.iqiyi.com/v_19.html");
    web->fireProgress(30, 100);
    EXPECT_EQ(panel(3), "30%");
    EXPECT_EQ(panel(7), "页面正在载入……");
    web->fireProgress(-1, 100);
    EXPECT_EQ(panel(3), "100%");
    EXPECT_EQ(panel(7), "");
    web->fireProgress(300, 100);
    EXPECT_EQ(panel(3), "");
}

TEST_F(BrowserPaneTest, BackAndForwardFollowThePane) {
    // The window's own toolbar buttons, found by their keys; both start disabled.
    const auto button = [&](const QString& key) -> QAction* {
        for (QAction* action : window->ToolbarButtons) {
            if (toolbarKey(action) == key)
                return action;
        }
        return nullptr;
    };
    QAction* back = button("back");
    QAction* forward = button("forward");
    ASSERT_TRUE(back && forward);
    ASSERT_TRUE(window->Toolbar->actions().contains(back));
    EXPECT_FALSE(back->isEnabled() || forward->isEnabled());
    web->fireCommandState(CSC_NAVIGATEBACK, true);
    EXPECT_TRUE(window->CanGoBack);
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    web->fireCommandState(CSC_NAVIGATEFORWARD, true);
    web->fireCommandState(CSC_NAVIGATEBACK, false);
    web->fireCommandState(7, false);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_TRUE(forward->isEnabled());
    EXPECT_TRUE(window->CanGoForward);
}

TEST_F(BrowserPaneTest, TitleGoesToCaptionAndHistory) {
    window->ProgressStep = 3;
    web->finishLoad("https://movie.douban.com/chart", "豆瓣电影排行榜");
    EXPECT_EQ(window->windowTitle(), "豆瓣电影排行榜 - Lumera桌面");
    EXPECT_EQ(window->ProgressStep, 0);
    EXPECT_TRUE(harness.state.HistoryBuffer.contains("豆瓣电影排行榜"));
    const QString once = harness.state.HistoryBuffer;
    web->fireTitle("豆瓣电影排行榜");
    EXPECT_EQ(harness.state.HistoryBuffer, once);

    web->finishLoad("https://www.cri.cn/radio/", "国际在线");
    EXPECT_EQ(harness.state.HistoryBuffer, once);
    EXPECT_EQ(window->windowTitle(), "国际在线 - Lumera桌面");

    web->finishLoad("https://v.qq.com/x", QString(10000, QChar(u'片')));
    EXPECT_EQ(window->windowTitle(), QString(100, QChar(u'片')) + kCaptionSuffix);
    web->finishLoad("https://v.qq.com/y", "");
    EXPECT_EQ(window->windowTitle(), "https://v.qq.com/y - Lumera桌面");
}

TEST_F(BrowserPaneTest, IdeographicSpaceInTheTitleClosesTheWindow) {
    EXPECT_EQ(harness.state.MainWindowCount, 1);
    web->finishLoad("https://ads.example.cn/", QStringLiteral("恭喜\u3000中奖"));
    EXPECT_EQ(harness.state.MainWindowCount, 0);
    EXPECT_TRUE(harness.state.HistoryBuffer.isEmpty());
}

TEST_F(BrowserPaneTest, NavigationStartsTheStripAndCompletionTheFocusTimer) {
    web->navigate("https://www.le.com/");
    EXPECT_TRUE(window->Timer2->isActive());
    web->finishLoad("https://www.le.com/", "乐视");
    EXPECT_TRUE(window->TimerSetFocus->isActive());
}

TEST_F(BrowserPaneTest, ClickedLinkOpensANewMainWindow) {
    web->finishLoad("https://www.iqiyi.com/", "爱奇艺");
    web->activeHref = "https://www.iqiyi.com/v_1.html";
    const auto [target, cancelled] = web->fireNewWindow("https://www.iqiyi.com/v_1.html", true);
    ASSERT_EQ(windowCount(), 2u);
    Frmmain* child = window->ChildWindow;
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(target, child->Web);
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(child->isVisible());
    EXPECT_TRUE(FrmmainHarness::fakeWeb(child)->registeredAsBrowser());
    EXPECT_EQ(FrmmainHarness::fakeWeb(child)->navigations,
              QStringList{"https://www.iqiyi.com/v_1.html"});
    // The new window starts with its own, empty state.
    EXPECT_TRUE(child->LastStatusText.isEmpty());
}

TEST_F(BrowserPaneTest, TickedSwitchRefusesWindowsThePageOpensItself) {
    ASSERT_EQ(harness.settings.read("cinema", "setup", "history"), "1");
    web->finishLoad("https://www.example.cn/", "页面");
    const auto [target, cancelled] = web->fireNewWindow("https://pop.example.cn/", false);
    EXPECT_EQ(target, nullptr);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(panel(1), kRefusedWindowStatus);
    EXPECT_EQ(windowCount(), 1u);
    // The user's own click still gets its window.
    EXPECT_NE(web->fireNewWindow("https://www.example.cn/a", true).first, nullptr);
    EXPECT_EQ(windowCount(), 2u);
}

TEST_F(BrowserPaneTest, ClearedSwitchFollowsTheStatusTextRuleButLimitsFloods) {
    allowPageWindows();
    web->finishLoad("https://www.example.cn/", "页面");
    web->fireStatus(QString(151, 'x'));
    auto [target, cancelled] = web->fireNewWindow("https://pop.example.cn/", false);
    EXPECT_EQ(target, nullptr);
    EXPECT_FALSE(cancelled);
    web->fireStatus("http://www.example.cn/" + QString(140, 'y'));
    EXPECT_NE(web->fireNewWindow("https://pop.example.cn/", false).first, nullptr);

    web->fireStatus("");
    for (int i = 0; i < 100; ++i)
        web->fireNewWindow("https://pop.example.cn/" + QString::number(i), false);
    EXPECT_EQ(windowCount(), 1u + PageWindowLimiter::kMaxWindows);
    EXPECT_EQ(panel(1), kRefusedWindowStatus);
    harness.clock.time = harness.clock.time.addSecs(PageWindowLimiter::kSpanSeconds + 1);
    EXPECT_NE(web->fireNewWindow("https://pop.example.cn/later", false).first, nullptr);
}

TEST_F(BrowserPaneTest, PagesOpenNoWindowWhileManyMainWindowsAreOpen) {
    allowPageWindows();
    web->finishLoad("https://www.example.cn/", "页面");
    while (windowCount() < size_t(kMaxMainWindowsForPageWindows))
        ASSERT_NE(web->fireNewWindow("https://www.example.cn/mine", true).first, nullptr);
    auto [target, cancelled] = web->fireNewWindow("https://pop.example.cn/", false);
    EXPECT_EQ(target, nullptr);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(panel(1), kRefusedWindowStatus);
    // The refusal used none of the page's windows of this minute; the user's clicks still
    // open theirs, and once windows close, pages get theirs again.
    EXPECT_NE(web->fireNewWindow("https://www.example.cn/one-more", true).first, nullptr);
    for (int closed = 0; closed < 2;) {
        for (const QPointer<Frmmain>& other : harness.allWindows()) {
            if (other != window && closed < 2 && other->close())
                ++closed;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ASSERT_EQ(windowCount(), size_t(kMaxMainWindowsForPageWindows) - 1);
    EXPECT_NE(web->fireNewWindow("https://pop.example.cn/", false).first, nullptr);
}

TEST_F(BrowserPaneTest, RequestWithoutADocumentFollowsTheRule) {
    allowPageWindows();
    EXPECT_NE(web->fireNewWindow("", false).first, nullptr);
    harness.settings.write("cinema", "setup", "history", "1");
    EXPECT_EQ(web->fireNewWindow("", false).first, nullptr);
}

TEST_F(BrowserPaneTest, PageCommandsDoWhatTheirMenuItemsSay) {
    for (const char* item : {"复制(&C)", "剪切(&M)", "粘贴(&P)", "全选(&A)", "搜索()&F"})
        pickMenuItem(window->MouseRight, item);
    EXPECT_EQ(web->execs, (std::vector<std::pair<int, int>>{{OLECMDID_COPY, 2},
                                                            {OLECMDID_CUT, 2},
                                                            {OLECMDID_PASTE, 2},
                                                            {OLECMDID_SELECTALL, 2},
                                                            {OLECMDID_FIND, 0}}));
    pickMenuItem(window->MouseRight, "刷新(&R)");
    EXPECT_EQ(web->commands, QStringList{"refresh"});
    pickMenuItem(window->TvwList, "刷新广告页面(&R)");
    EXPECT_EQ(FrmmainHarness::fakeWebPop(window)->commands, QStringList{"refresh"});
}

TEST_F(BrowserPaneTest, ScrollingCommandsAndKeys) {
    // Without a document nothing scrolls, and nothing fails.
    pickMenuItem(window->MouseRight, "至页面顶部(&T)");
    window->Cmb_KeyDown(40);
    EXPECT_TRUE(web->scrolls.empty());

    web->finishLoad("https://www.example.cn/", "页面");
    pickMenuItem(window->MouseRight, "至页面底部(&B)");
    ASSERT_EQ(web->scrolls.size(), 101u);
    EXPECT_EQ(web->scrolls.front(), std::make_pair(0, 150));
    web->scrolls.clear();
    pickMenuItem(window->MouseRight, "至页面顶部(&T)");
    ASSERT_EQ(web->scrolls.size(), 101u);
    EXPECT_EQ(web->scrolls.back(), std::make_pair(0, -150));
    web->scrolls.clear();
    window->Cmb_KeyDown(38);
    window->Cmb_KeyDown(40);
    window->Cmb_KeyDown(37);
    EXPECT_EQ(web->scrolls, (std::vector<std::pair<int, int>>{{0, -100}, {0, 100}}));
}

TEST_F(BrowserPaneTest, SidePaneLosesItsMargins) {
    FakeWebBrowser* pop = FrmmainHarness::fakeWebPop(window);
    window->WebPop_DownloadComplete();
    EXPECT_TRUE(pop->margins.empty());
    pop->documentLoaded = true;
    emit pop->DownloadComplete();
    EXPECT_EQ(pop->margins, (std::vector<std::vector<int>>{{0, 0, 0, 0}}));
}
