#include "portal/mainwindow/Frmmain.h"
#include "portal/tray/MainWindowMousePump.h"
#include "support/FrmmainHarness.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;

namespace {

class MousePumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<Frmmain>(t.context);
        web = qobject_cast<FakeWebBrowser*>(window->Web);
        web->documentLoaded = true;
        t.state.ActiveMainWindow = window.get();
        pump.start();
    }
    // Sends one wheel turn to a widget; true when something took it.
    static bool wheel(QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        return QApplication::sendEvent(target, &event);
    }
    static bool rightPress(QWidget* target) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        return QApplication::sendEvent(target, &event);
    }
    QWidget* page() const { return window->Web->widget(); }

    test::FrmmainHarness t;
    std::unique_ptr<Frmmain> window;
    FakeWebBrowser* web = nullptr;
    MainWindowMousePump pump{t.state};
};

using Scrolls = std::vector<std::pair<int, int>>;

TEST_F(MousePumpTest, WheelScrollsTheActivePageAHundredPixelsPerNotch) {
    EXPECT_TRUE(wheel(page(), -120));
    EXPECT_EQ(web->scrolls, (Scrolls{{0, 100}}));
    wheel(page(), 120);
    EXPECT_EQ(web->scrolls, (Scrolls{{0, 100}, {0, -100}}));
    // Two notches in one event, and fine turns that add up to one.
    web->scrolls.clear();
    wheel(page(), -240);
    wheel(page(), -60);
    EXPECT_EQ(web->scrolls.size(), 2u);
    wheel(page(), -60);
    EXPECT_EQ(web->scrolls, (Scrolls{{0, 100}, {0, 100}, {0, 100}}));
}

TEST_F(MousePumpTest, RightButtonOnThePagePopsUpThePageMenu) {
    rightPress(page());
    EXPECT_TRUE(window->MouseRight->isVisible());
    window->MouseRight->hide();
}

TEST_F(MousePumpTest, NothingIsTakenWhilePausedOrAwayFromTheActivePage) {
    t.state.MouseHookPaused = true;
    wheel(page(), -120);
    rightPress(page());
    EXPECT_TRUE(web->scrolls.empty());
    EXPECT_FALSE(window->MouseRight->isVisible());

    t.state.MouseHookPaused = false;
    // The tree scrolls itself; an inactive window's page is left alone.
    wheel(window->tvw, -120);
    Frmmain other(t.context);
    auto* otherWeb = qobject_cast<FakeWebBrowser*>(other.Web);
    otherWeb->documentLoaded = true;
    wheel(other.Web->widget(), -120);
    EXPECT_TRUE(web->scrolls.empty());
    EXPECT_TRUE(otherWeb->scrolls.empty());
}

TEST_F(MousePumpTest, OnceStoppedThePumpIsGoneForGood) {
    t.state.PumpStopRequested = true;
    wheel(page(), -120);
    EXPECT_FALSE(pump.running());
    t.state.PumpStopRequested = false;
    pump.start();
    wheel(page(), -120);
    rightPress(page());
    EXPECT_FALSE(pump.running());
    EXPECT_TRUE(web->scrolls.empty());
    EXPECT_FALSE(window->MouseRight->isVisible());
}

} // namespace
