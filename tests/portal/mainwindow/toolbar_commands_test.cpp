#include "portal/ProgramTexts.h"
#include "portal/dialogs/FormSetup.h"
#include "portal/dialogs/FormTurnOff.h"
#include "portal/directory/CommandSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/tray/FormTray.h"
#include "support/FrmmainHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::pickMenuItem;

namespace {

const QString kOrigin = QStringLiteral("http://127.0.0.1:9");

class ToolbarCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QHash<QString, QString> services;
        addCommandSites(services);
        services.insert(kVendorService, {});
        for (auto it = services.cbegin(); it != services.cend(); ++it)
            t.sites.setOrigin(it.key(), kOrigin);
        w.reset(new Frmmain(t.context));
    }
    void TearDown() override {
        for (const QPointer<Frmmain>& other : otherWindows())
            delete other.data();
        w.reset();
    }

    FakeWebBrowser* web() const { return test::FrmmainHarness::fakeWeb(w.get()); }
    QAction* button(const QString& key) const {
        for (QAction* action : w->ToolbarButtons) {
            if (action->data().toString() == key)
                return action;
        }
        return nullptr;
    }
    void click(const QString& key) {
        QAction* action = button(key);
        ASSERT_NE(action, nullptr) << key.toStdString();
        action->trigger();
    }
    // Main windows other than the one under test.
    QList<QPointer<Frmmain>> otherWindows() const {
        QList<QPointer<Frmmain>> windows;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<Frmmain*>(window); main && main != w.get())
                windows.append(main);
        }
        return windows;
    }

    test::FrmmainHarness t;
    std::unique_ptr<Frmmain> w;
};

} // namespace

TEST_F(ToolbarCommandsTest, PaneDirectoryAndDesktopButtons) {
    ASSERT_EQ(w->ToolbarButtons.size(), 19);
    EXPECT_EQ(w->Toolbar->actions(), w->ToolbarButtons);
    EXPECT_FALSE(button("back")->isEnabled());
    EXPECT_FALSE(button("forward")->isEnabled());
    web()->fireCommandState(CSC_NAVIGATEBACK, true);
    web()->fireCommandState(CSC_NAVIGATEFORWARD, true);
    click("back");
    click("forward");
    EXPECT_EQ(web()->commands, QStringList({"back", "forward"}));

    click("tv");
    click("jun");
    click("radio");
    EXPECT_EQ(w->tvw->topLevelItem(0)->text(0), kRadioRootCaption);
    click("myhome");
    EXPECT_EQ(w->tvw->topLevelItem(0)->text(0), "宽带网络中心");
    EXPECT_EQ(web()->navigations, QStringList({kOrigin + "/live/", kOrigin + "/drama/",
                                               kOrigin + "/", kOrigin + "/movie/"}));

    const bool treeShown = !w->tvw->isHidden();
    click("leftwindows");
    EXPECT_EQ(!w->tvw->isHidden(), !treeShown);
    click("screen");
    click("screen");
    click("sound");
    EXPECT_EQ(t.desktop.monitorOffs, 2);
    // A desktop without a way to do it says so.
    t.desktop.monitorCanTurnOff = false;
    click("screen");
    EXPECT_EQ(w->Stat->panelText(1), "此桌面不支持关闭显示器");
    EXPECT_EQ(t.desktop.muteToggles, 1);
    EXPECT_TRUE(button("sound")->isChecked());

    // Separators, nothing and keys of another case run nothing.
    w->Toolbar_ButtonClick(w->ToolbarButtons[3]);
    w->Toolbar_ButtonClick(nullptr);
    QAction stray("x");
    stray.setData("History");
    w->Toolbar_ButtonClick(&stray);
    EXPECT_EQ(web()->navigations.size(), 4);
    EXPECT_TRUE(otherWindows().isEmpty());
}

TEST_F(ToolbarCommandsTest, NewAndPictureOpenFurtherWindows) {
    web()->location = "about:blank";
    click("new");
    click("picture");
    const QList<QPointer<Frmmain>> others = otherWindows();
    ASSERT_EQ(others.size(), 2);
    QStringList opened;
    for (const QPointer<Frmmain>& other : others)
        opened += test::FrmmainHarness::fakeWeb(other)->navigations;
    EXPECT_TRUE(opened.contains("about:blank"));
    const QString scenery = kOrigin +
                            "/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&st=-1&fm=result&fr=&"
                            "sf=1&fmq=1364530103258_R&pv=&ic=0&nc=1&z=&se=1&showtab=0&fb="
                            "0&width=&height=&face=0&istype=2&ie=utf-8&word=%E9%A3%8E%E6%"
                            "99%AF+%E9%A3%8E%E5%85%89#z=&width=1440&height=900&pn="
                            "undefined&s=1";
    EXPECT_TRUE(opened.contains(scenery)) << opened.join('\n').toStdString();
    EXPECT_TRUE(web()->navigations.isEmpty());
}

TEST_F(ToolbarCommandsTest, HistoryAndMenuButtons) {
    QDir().mkpath(t.programFolder());
    t.state.HistoryBuffer = "<tr><td>row</td></tr>\r\n";
    click("history");
    ASSERT_EQ(web()->navigations.size(), 1);
    EXPECT_EQ(w->TargetUrl, web()->navigations.first());
    QFile page(w->TargetUrl);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("<tr><td>row</td></tr>"));

    t.folder.write("Fav.rar", "Alpha,http://127.0.0.1:9/a\r\n");
    click("fav");
    EXPECT_TRUE(w->FavMenu->isVisible());
    EXPECT_EQ(w->MyFavorites.last()->text(), "Alpha");
    w->FavMenu->hide();
    for (QMenu* menu : {w->MouseRight, w->SetUpMenu}) {
        click(menu == w->MouseRight ? "home" : "setup");
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
}

TEST_F(ToolbarCommandsTest, ShellCommandsOfTheSetUpMenu) {
    for (const char* item :
         {"软件帮助(&H)", "官方网站(&P)", "软件升级(&D)", "联系我们(&E)", "启动整点报时"})
        pickMenuItem(w->SetUpMenu, item);
    EXPECT_TRUE(w->TimerCheck->isChecked());
    EXPECT_EQ(
        t.desktop.opened,
        QStringList({t.programFolder() + "/help.htm", kOrigin + "/desktop/", kOrigin + "/desktop/",
                     "mailto:" + kVendorContactAddress + "?subject=联系作者"}));

    // Where the desktop has nothing to open them with, the user is told.
    t.desktop.openSucceeds = false;
    pickMenuItem(w->SetUpMenu, "软件帮助(&H)");
    pickMenuItem(w->SetUpMenu, "软件升级(&D)");
    EXPECT_EQ(t.dialogs.informed, QStringList({cannotOpenMessage(t.programFolder() + "/help.htm"),
                                               cannotOpenMessage(kOrigin + "/desktop/")}));
}

TEST_F(ToolbarCommandsTest, DialogsOpenModalAndStoreTheirSettings) {
    t.settings.write("cinema", "turnoff", "timeset", "7:05");
    pickMenuItem(w->SetUpMenu, "定时关机(&T)");
    auto* turnOff = w->findChild<FormTurnOff*>();
    ASSERT_NE(turnOff, nullptr);
    EXPECT_TRUE(turnOff->isVisible());
    EXPECT_EQ(turnOff->windowModality(), Qt::ApplicationModal);
    turnOff->Comb[1]->setEditText("45");
    turnOff->Command1_Click();
    EXPECT_EQ(t.cinema("turnoff", "timeset"), "7:45");

    pickMenuItem(w->SetUpMenu, "系统设置(&S)");
    auto* setup = w->findChild<FormSetup*>();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->Text1->text(), t.defaultRadioPage());
    setup->Chk[0]->setChecked(true);
    setup->Command1_Click();
    EXPECT_EQ(t.cinema("setup", "history"), "1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->findChild<FormTurnOff*>(), nullptr);

    pickMenuItem(w->MouseRight, "关于软件(&A)");
    auto* about = w->findChild<QMessageBox*>("AboutBox");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->iconPixmap().isNull());
    about->accept();
}
