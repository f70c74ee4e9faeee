#include "portal/mainwindow/CommandSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/support/PortalTestContext.h"
#include "portal/tray/FormSetup.h"
#include "portal/tray/FormTurnOff.h"

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

namespace {

const QString kOrigin = QStringLiteral("http://127.0.0.1:9");

class ToolbarCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QHash<QString, QString> services;
        addCommandSites(services);
        for (auto it = services.cbegin(); it != services.cend(); ++it)
            t.sites.setOrigin(it.key(), kOrigin);
        w.reset(new Frmmain(t.ctx));
    }
    void TearDown() override {
        for (const QPointer<Frmmain>& other : otherWindows())
            delete other.data();
        w.reset();
    }

    FakeWebBrowser* web() const { return test::PortalTestContext::fake(w->Web); }
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

    test::PortalTestContext t;
    std::unique_ptr<Frmmain> w;
};

} // namespace

TEST_F(ToolbarCommandsTest, ToolbarHoldsTheNineteenButtonsWithBackAndForwardDisabled) {
    ASSERT_EQ(w->ToolbarButtons.size(), 19);
    EXPECT_EQ(w->Toolbar->actions(), w->ToolbarButtons);
    EXPECT_FALSE(button("back")->isEnabled());
    EXPECT_FALSE(button("forward")->isEnabled());
    EXPECT_TRUE(button("new")->isEnabled());
    EXPECT_FALSE(button("new")->icon().isNull());
    EXPECT_EQ(button("setup")->toolTip(), "系统工具");
}

TEST_F(ToolbarCommandsTest, NavigationButtonsDriveTheMainPane) {
    click("tv");
    click("jun");
    EXPECT_EQ(web()->navigations, QStringList({kOrigin + "/live/", kOrigin + "/drama/"}));
    web()->fireCommandState(CSC_NAVIGATEBACK, true);
    web()->fireCommandState(CSC_NAVIGATEFORWARD, true);
    ASSERT_TRUE(button("back")->isEnabled() && button("forward")->isEnabled());
    click("back");
    click("forward");
    EXPECT_EQ(web()->commands, QStringList({"back", "forward"}));
}

TEST_F(ToolbarCommandsTest, RadioAndFilmButtonsSwitchTheDirectory) {
    click("radio");
    EXPECT_EQ(web()->navigations.last(), kOrigin + "/");
    EXPECT_EQ(w->tvw->topLevelItem(0)->text(0), kRadioRootCaption);
    click("myhome");
    EXPECT_EQ(web()->navigations.last(), kOrigin + "/movie/");
    EXPECT_EQ(w->tvw->topLevelItem(0)->text(0), "宽带网络中心");
}

TEST_F(ToolbarCommandsTest, NewAndPictureOpenFurtherWindows) {
    web()->location = "about:blank";
    click("new");
    click("picture");
    const QList<QPointer<Frmmain>> others = otherWindows();
    ASSERT_EQ(others.size(), 2);
    QStringList opened;
    for (const QPointer<Frmmain>& other : others)
        opened += test::PortalTestContext::fake(other->Web)->navigations;
    EXPECT_TRUE(opened.contains("about:blank"));
    const QString scenery = kOrigin +
                            "/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&st=-1&fm=result&fr=&"
                            "sf=1&fmq=1364530103258_R&pv=&ic=0&nc=1&z=&se=1&showtab=0&fb="
                            "0&width=&height=&face=0&istype=2&ie=utf-8&word=%E9%A3%8E%E6%"
                            "99%AF+%E9%A3%8E%E5%85%89#z=&width=1440&height=900&pn="
                            "undefined&s=1";
    EXPECT_TRUE(opened.contains(scenery)) << opened.join('\n').toStdString();
    // The window under test stays where it was.
    EXPECT_TRUE(web()->navigations.isEmpty());
}

TEST_F(ToolbarCommandsTest, HistoryButtonWritesAndShowsTheHistoryPage) {
    QDir().mkpath(t.programFolder());
    t.state.HistoryBuffer = "<tr><td>row</td></tr>\r\n";
    click("history");
    ASSERT_EQ(web()->navigations.size(), 1);
    EXPECT_EQ(w->TargetUrl, web()->navigations.first());
    EXPECT_TRUE(w->TargetUrl.endsWith("history.html"));
    QFile page(w->TargetUrl);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("<tr><td>row</td></tr>"));
}

TEST_F(ToolbarCommandsTest, MenuButtonsPopUpTheirMenus) {
    t.folder.write("bin/Fav.rar", "Alpha,http://127.0.0.1:9/a\r\nBeta,http://127.0.0.1:9/b\r\n");
    click("fav");
    EXPECT_TRUE(w->FavMenu->isVisible());
    QStringList captions;
    for (QAction* entry : w->MyFavorites)
        captions.append(entry->text());
    EXPECT_TRUE(captions.contains("Alpha") && captions.contains("Beta"))
        << captions.join(',').toStdString();
    w->FavMenu->hide();
    click("home");
    EXPECT_TRUE(w->MouseRight->isVisible());
    w->MouseRight->hide();
    click("setup");
    EXPECT_TRUE(w->SetUpMenu->isVisible());
    w->SetUpMenu->hide();
}

TEST_F(ToolbarCommandsTest, SideBarScreenAndSoundButtons) {
    const bool treeShown = !w->tvw->isHidden();
    click("leftwindows");
    EXPECT_EQ(!w->tvw->isHidden(), !treeShown);
    EXPECT_TRUE(button("leftwindows")->isChecked());
    click("leftwindows");
    EXPECT_EQ(!w->tvw->isHidden(), treeShown);

    click("screen");
    click("screen");
    EXPECT_EQ(t.desktop.monitorOffs, 2);
    click("sound");
    EXPECT_EQ(t.desktop.muteToggles, 1);
    EXPECT_TRUE(button("sound")->isChecked());
    click("sound");
    EXPECT_EQ(t.desktop.muteToggles, 2);
    EXPECT_TRUE(web()->navigations.isEmpty());
}

TEST_F(ToolbarCommandsTest, SeparatorsAndUnknownKeysDoNothing) {
    w->Toolbar_ButtonClick(w->ToolbarButtons[3]);
    w->Toolbar_ButtonClick(nullptr);
    QAction stray("x");
    stray.setData("History"); // keys compare case-sensitively
    w->Toolbar_ButtonClick(&stray);
    EXPECT_TRUE(web()->navigations.isEmpty());
    EXPECT_TRUE(otherWindows().isEmpty());
    EXPECT_EQ(t.desktop.monitorOffs + t.desktop.muteToggles, 0);
}

TEST_F(ToolbarCommandsTest, ShellCommandsOfTheSetUpMenu) {
    w->Help->trigger();
    w->HomePage->trigger();
    w->Download->trigger();
    w->email->trigger();
    EXPECT_EQ(
        t.desktop.opened,
        QStringList({t.programFolder() + "/help.htm", kOrigin + "/desktop/", kOrigin + "/desktop/",
                     "mailto:" + kVendorContactAddress + "?subject=联系作者"}));
    // A shell that takes nothing changes nothing either.
    t.desktop.openSucceeds = false;
    w->Help->trigger();
    EXPECT_EQ(t.desktop.opened.size(), 5);
}

TEST_F(ToolbarCommandsTest, TimerCheckIsCheckedAndDoesNothing) {
    EXPECT_TRUE(w->TimerCheck->isChecked());
    const int before = w->findChildren<QWidget*>().size();
    w->TimerCheck->trigger();
    EXPECT_EQ(w->findChildren<QWidget*>().size(), before);
    EXPECT_TRUE(t.desktop.opened.isEmpty());
}

TEST_F(ToolbarCommandsTest, DialogsOpenModalAndStoreTheirSettings) {
    t.settings.write("cinema", "turnoff", "timeset", "7:05");
    w->TimeTurnOff->trigger();
    auto* turnOff = w->findChild<FormTurnOff*>();
    ASSERT_NE(turnOff, nullptr);
    EXPECT_TRUE(turnOff->isVisible());
    EXPECT_EQ(turnOff->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(turnOff->Comb[1]->currentText(), "05");
    turnOff->Comb[1]->setEditText("45");
    turnOff->Command1_Click();
    EXPECT_EQ(t.cinema("turnoff", "timeset"), "7:45");

    w->Setup->trigger();
    auto* setup = w->findChild<FormSetup*>();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->Text1->text(), t.defaultRadioPage());
    setup->Chk[0]->setChecked(true);
    setup->Command1_Click();
    EXPECT_EQ(t.cinema("setup", "history"), "1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->findChild<FormTurnOff*>(), nullptr);
    EXPECT_EQ(w->findChild<FormSetup*>(), nullptr);
}

TEST_F(ToolbarCommandsTest, AboutBoxShowsTheProgramIcon) {
    w->AboutMe->trigger();
    auto* about = w->findChild<QMessageBox*>("AboutBox");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->windowTitle().contains("Lumera桌面"));
    EXPECT_FALSE(about->iconPixmap().isNull());
    about->accept();
}
