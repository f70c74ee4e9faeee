#include "platform/web/WebEngineBrowser.h"
#include "portal/browser/NewWindowRule.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/StatusBar.h"
#include "support/FrmmainHarness.h"
#include "support/LoopbackHttpServer.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;
using lumera::test::htmlPage;

namespace {

constexpr int kWait = 60000;

// A real browser engine behind every main window, and a local server for every site.
class BrowserPaneWebTest : public ::testing::Test {
protected:
    BrowserPaneWebTest() {
        server.addPage("/pop/right.html", htmlPage("side", "<p>side</p>"));
        server.addPage("/links.html",
                       htmlPage("链接页", "<a id='go' href='/target.html' target='_blank' "
                                          "style='display:block;width:600px;height:300px;"
                                          "background:#cde'>打开新窗口</a>"));
        server.addPage("/target.html", htmlPage("目标页", "<p>target</p>"));
        server.addPage("/timer.html",
                       htmlPage("定时页", "<script>setTimeout(function () {"
                                          " window.open('/popup.html'); }, 200);</script>"));
        server.addPage("/popup.html", htmlPage("弹窗", "<p>popup</p>"));
        server.addPage("/a.html", htmlPage("第一页", "<p>a</p>"));
        server.addPage("/b.html", htmlPage("第二页", "<p>b</p>"));
        harness.pointEverySiteAt(server.origin());
        window = harness.open();
        window->resize(1000, 700);
        window->show();
    }

    QAction* findAction(const QString& key) const {
        for (QAction* action : window->Toolbar->actions()) {
            if (action->objectName() == key)
                return action;
        }
        return nullptr;
    }

    // Loads a page of the server into the main pane and waits for its caption.
    bool load(const QString& path, const QString& title) {
        window->Web->navigate(server.origin() + path);
        return QTest::qWaitFor([&] { return window->windowTitle() == title + " - Lumera桌面"; },
                               kWait);
    }

    size_t windowCount() const { return harness.allWindows().size(); }

    test::TestApplication application; // before the server, which needs its event loop
    WebEngineBrowserFactory browsers;
    test::LoopbackHttpServer server;
    FrmmainHarness harness{&browsers};
    Frmmain* window = nullptr;
};

} // namespace

TEST_F(BrowserPaneWebTest, ClickedBlankTargetLinkOpensASecondMainWindow) {
    ASSERT_TRUE(load("/links.html", "链接页"))
        << window->windowTitle().toStdString() << " at " << window->Web->locationUrl().toStdString()
        << " asked " << server.requests.join(",").toStdString();
    auto* engine = qobject_cast<WebEngineBrowser*>(window->Web);
    ASSERT_NE(engine, nullptr);
    // A real click of the user's, on the link, into the view's input widget.
    QWidget* input = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (input = engine->view()->focusProxy()) && input->isVisible(); }, kWait));
    QTest::qWait(300);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowCount() == 2; }, kWait));
    Frmmain* child = window->ChildWindow;
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return child->Web->locationUrl() == server.origin() + "/target.html"; }, kWait));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return child->windowTitle() == "目标页 - Lumera桌面"; }, kWait));
    // The first window stays where it was.
    EXPECT_EQ(window->Web->locationUrl(), server.origin() + "/links.html");
}

TEST_F(BrowserPaneWebTest, TimerWindowOpenIsRefusedWhileTheSwitchIsTicked) {
    ASSERT_EQ(harness.settings.read("cinema", "setup", "history"), "1");
    ASSERT_TRUE(load("/timer.html", "定时页"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->Stat->panelText(1) == kRefusedWindowStatus; }, kWait));
    QTest::qWait(500);
    EXPECT_EQ(windowCount(), 1u);
    EXPECT_FALSE(server.requests.contains("/popup.html"));
}

TEST_F(BrowserPaneWebTest, BackAndForwardButtonsFollowTheHistory) {
    QAction* back = findAction("back");
    QAction* forward = findAction("forward");
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    ASSERT_TRUE(load("/a.html", "第一页"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !back->isEnabled(); }, kWait));
    ASSERT_TRUE(load("/b.html", "第二页"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return back->isEnabled(); }, kWait));
    EXPECT_FALSE(forward->isEnabled());
    window->Web->goBack();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->windowTitle() == "第一页 - Lumera桌面"; }, kWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return forward->isEnabled() && !back->isEnabled(); }, kWait));
    EXPECT_TRUE(window->CanGoForward);
    EXPECT_FALSE(window->CanGoBack);
}
