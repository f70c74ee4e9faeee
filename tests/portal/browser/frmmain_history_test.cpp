#include "platform/text/AnsiCodec.h"
#include "portal/browser/Favorites.h"
#include "portal/browser/FormDfg.h"
#include "portal/browser/History.h"
#include "support/FrmmainHarness.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using lumera::encodeAnsi;
using namespace lumera;
using namespace lumera::portal;

namespace {

// One main window on fakes; its data files go to the harness's folder.
class FrmmainHistoryTest : public ::testing::Test {
protected:
    QByteArray data(const QString& name) const { return harness.folder.read(name); }

    test::FrmmainHarness harness;
    PortalState& state = harness.state;
    PortalContext& context = harness.context;
    FakeClock& clock = harness.clock;
    Frmmain* window = harness.open();
    FakeWebBrowser* web = test::FrmmainHarness::fakeWeb(window);
};

TEST_F(FrmmainHistoryTest, HistoryButtonSavesWritesAndShowsThePage) {
    AddHistoryRow(state, "A", "http://127.0.0.1/a", clock.now());
    AddHistoryRow(state, "B", "http://127.0.0.1/b", clock.now());
    window->ShowHistoryPage();
    EXPECT_EQ(window->TargetUrl, context.dataFolder + "/history.html");
    ASSERT_FALSE(web->navigations.isEmpty());
    EXPECT_EQ(web->navigations.last(), window->TargetUrl);
    EXPECT_EQ(data("his.dat"),
              encodeAnsi(historyRow(clock.now(), "http://127.0.0.1/b", "B") + "\r\n" +
                         historyRow(clock.now(), "http://127.0.0.1/a", "A")) +
                  "\r\n\r\n");
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
}

TEST_F(FrmmainHistoryTest, LastWindowsCloseMergesTheHistoryOnce) {
    AddHistoryRow(state, "A", "http://127.0.0.1/a", clock.now());
    ASSERT_EQ(state.MainWindowCount, 1);
    window->close();
    EXPECT_EQ(data("his.dat"),
              encodeAnsi(historyRow(clock.now(), "http://127.0.0.1/a", "A")) + "\r\n\r\n");
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
}

TEST_F(FrmmainHistoryTest, FavouriteAddedThroughTheDialogOpensFromTheMenu) {
    web->documentLoaded = true;
    web->location = "http://127.0.0.1/films";
    web->title = "好电影, 新片";
    QStringList shown;
    window->runModalDialog = [&](QDialog& dialog) {
        auto* add = qobject_cast<Favorites*>(&dialog);
        ASSERT_NE(add, nullptr);
        shown = {add->txtTitle->text(), add->txtUrl->text()};
        add->cmdOK->click();
    };
    window->addhome_Click();
    EXPECT_EQ(shown, (QStringList{"好电影, 新片", "http://127.0.0.1/films"}));
    EXPECT_TRUE(QFileInfo(context.dataFolder + "/Favorites").isDir());

    window->LoadFavoritesMenu();
    const QList<QAction*> actions = window->FavMenu->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0], window->addhome);
    EXPECT_EQ(actions[1], window->SearchDir);
    EXPECT_EQ(actions[3]->text(), "好电影， 新片");
    actions[3]->trigger();
    EXPECT_EQ(web->navigations.last(), "http://127.0.0.1/films");

    // Organising: delete the one favourite and save; the menu then holds the fixed items.
    window->runModalDialog = [](QDialog& dialog) {
        auto* organise = qobject_cast<FormDfg*>(&dialog);
        ASSERT_NE(organise, nullptr);
        organise->lvw->topLevelItem(0)->setSelected(true);
        organise->Command1->click();
        organise->Command2->click();
    };
    window->SearchDir_Click();
    window->LoadFavoritesMenu();
    EXPECT_EQ(window->FavMenu->actions().size(), 3);
    EXPECT_EQ(data("Fav.rar"), QByteArray());
}

} // namespace
