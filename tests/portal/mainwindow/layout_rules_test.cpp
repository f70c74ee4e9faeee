#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/PictureBox.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/mainwindow/Twips.h"
#include "support/FrmmainHarness.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::pickMenuItem;

namespace {

// Main windows as users have them: maximised on screens from 1024 × 768 to 1920 × 1080
// under a panel, restored at the size it opens with, and one in between. Wide ones first
// and last, so that the search bar has to find its place again each way.
const QSize kFullHd{1920, 1050}, kLaptop{1366, 738}, kRestored{787, 490};
const std::vector<QSize> kSizes{kFullHd,     kLaptop,   {1280, 690}, {1050, 700},
                                {1024, 738}, kRestored, kFullHd};

const char* const kPanes[] = {"browser pane", "splitter bar", "tree", "side pane"};

class LayoutTest : public ::testing::Test {
protected:
    test::FrmmainHarness t;
    Frmmain* w = t.open();

    void resizeTo(QSize size) {
        w->resize(size);
        w->Form_Resize();
    }
    // Where a control shows in the window; nothing while it is hidden.
    QRect at(QWidget* control) const {
        return control->isHidden() ? QRect() : QRect(control->mapTo(w, QPoint()), control->size());
    }
    std::vector<QRect> panes() const {
        return {at(w->Web->widget()), at(w->lab), at(w->tvw), at(w->Pop)};
    }
    // Every control whole inside the window, and none over another but the close button
    // on the side pane it closes.
    void expectWholeAndApart() const {
        const QRect window = w->rect();
        const QRect toolbar = at(w->Toolbar), status = at(w->Stat);
        EXPECT_EQ(toolbar.top(), 0);
        EXPECT_EQ(toolbar.width(), window.width());
        EXPECT_EQ(status.bottom(), window.bottom());
        EXPECT_EQ(status.width(), window.width());
        const std::vector<QRect> seen = panes();
        for (std::size_t i = 0; i < seen.size(); ++i) {
            if (seen[i].isNull())
                continue;
            EXPECT_TRUE(window.contains(seen[i])) << kPanes[i];
            EXPECT_GT(seen[i].top(), toolbar.bottom()) << kPanes[i];
            for (std::size_t j = i + 1; j < seen.size(); ++j)
                EXPECT_FALSE(seen[i].intersects(seen[j])) << kPanes[i] << " over " << kPanes[j];
        }
        // The side pane's last row lies under the status bar, which is drawn over it.
        for (const QRect& pane : {seen[0], seen[1], seen[2]})
            EXPECT_FALSE(pane.intersects(status));
        if (!w->Piclose->isHidden()) {
            EXPECT_TRUE(at(w->Pop).intersects(at(w->Piclose)) && window.contains(at(w->Piclose)));
        }
        // The search bar: engine, query and button, in that order, on the toolbar.
        const QRect engine = at(w->CmbType), query = at(w->CmbSearch), button = at(w->Cmd);
        EXPECT_TRUE(toolbar.contains(engine) && toolbar.contains(query) &&
                    toolbar.contains(button));
        EXPECT_LT(engine.right(), query.left());
        EXPECT_LT(query.right(), button.left());
    }
};

TEST_F(LayoutTest, ControlsStayWholeInsideTheWindowAndApartAtEverySize) {
    for (const QSize size : kSizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "×" << size.height());
        resizeTo(size);
        expectWholeAndApart();
        // The browser pane takes most of the width, and the tree shows a good few rows.
        EXPECT_GT(at(w->Web->widget()).width(), size.width() / 2);
        EXPECT_GT(at(w->tvw).height(), 150);
    }
}

TEST_F(LayoutTest, HidingTheListGivesTheBrowserItsRoomUntilShownAgain) {
    for (const QSize size : {kFullHd, kRestored}) {
        resizeTo(size);
        const std::vector<QRect> shown = panes();
        pickMenuItem(w->TvwList, "隐藏电影列表(&H)");
        EXPECT_TRUE(w->tvw->isHidden() && w->Pop->isHidden() && w->Piclose->isHidden() &&
                    w->lab->isHidden());
        EXPECT_GE(at(w->Web->widget()).right(), w->width() - 8);
        expectWholeAndApart();
        // It stays hidden through a resize.
        resizeTo(size - QSize(100, 0));
        EXPECT_TRUE(w->tvw->isHidden());
        EXPECT_GE(at(w->Web->widget()).right(), w->width() - 8);
        resizeTo(size);
        pickMenuItem(w->TvwList, "隐藏电影列表(&H)");
        EXPECT_EQ(panes(), shown);
    }
}

TEST_F(LayoutTest, ClosedSidePaneGivesTheTreeItsRoomUntilShownAgain) {
    resizeTo(kLaptop);
    const std::vector<QRect> shown = panes();
    emit w->Piclose->Click();
    EXPECT_TRUE(w->Pop->isHidden() && w->Piclose->isHidden());
    EXPECT_GT(at(w->tvw).bottom(), shown[3].top());
    expectWholeAndApart();
    pickMenuItem(w->TvwList, "显示广告页面(&V)");
    EXPECT_EQ(panes(), shown);
}

TEST_F(LayoutTest, TheSplitterMovesTheBoundaryBetweenThePanesUntilTheNextResize) {
    resizeTo(kLaptop);
    const std::vector<QRect> before = panes();
    // Taken at its second pixel and moved 100 pixels left: only the left button alone drags
    // it, and the bar shows black meanwhile.
    const int pointer = pixelsToTwips(1 - 100);
    emit w->lab->MouseMove(Qt::LeftButton | Qt::RightButton, pointer, 0);
    EXPECT_EQ(at(w->lab), before[1]);
    emit w->lab->MouseMove(Qt::LeftButton, pointer, 0);
    EXPECT_NEAR(at(w->lab).left(), before[1].left() - 100, 1);
    EXPECT_EQ(w->lab->backColor(), QColor(Qt::black));
    emit w->lab->MouseUp(Qt::LeftButton, pointer, 0);
    EXPECT_NE(w->lab->backColor(), QColor(Qt::black));
    const std::vector<QRect> after = panes();
    EXPECT_NEAR(after[0].width(), before[0].width() - 100, 2);
    EXPECT_NEAR(after[2].width(), before[2].width() + 100, 2);
    EXPECT_NEAR(after[3].width(), before[3].width() + 100, 2);
    expectWholeAndApart();
    resizeTo(kLaptop);
    EXPECT_EQ(panes(), before);
}

} // namespace
