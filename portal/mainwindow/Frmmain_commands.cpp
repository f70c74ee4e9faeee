#include "platform/process/ProgramFolder.h"
#include "platform/web/WebBrowser.h"
#include "portal/ProgramTexts.h"
#include "portal/browser/VideoSearch.h"
#include "portal/dialogs/FormSetup.h"
#include "portal/dialogs/FormTurnOff.h"
#include "portal/directory/CommandSites.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/mainwindow/ToolbarButtons.h"
#include "portal/resources/PortalImages.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>

namespace lumera::portal {

namespace {

// The scenery picture search ("风景 风光") of the toolbar's picture button.
const QString kSceneryPicturesPath = QStringLiteral(
    "/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&st=-1&fm=result&fr=&sf=1&fmq=1364530103258_R&pv=&"
    "ic=0&nc=1&z=&se=1&showtab=0&fb=0&width=&height=&face=0&istype=2&ie=utf-8&word=%E9%A3%8E%E6%"
    "99%AF+%E9%A3%8E%E5%85%89#z=&width=1440&height=900&pn=undefined&s=1");

const QString kProductPagePath = QStringLiteral("/desktop/");

// What the status bar says where the desktop cannot turn the monitor off.
const QString kNoMonitorSwitchStatus = QStringLiteral("此桌面不支持关闭显示器");

} // namespace

void Frmmain::setUpCommands() {
    QList<QIcon> images;
    for (int i = 1; i <= ImageList1.count(); ++i)
        images.append(ImageList1.image(i));
    ToolbarButtons = addToolbarButtons(Toolbar, images);
    connect(Toolbar, &QToolBar::actionTriggered, this, &Frmmain::Toolbar_ButtonClick);

    // "启动整点报时" only shows that the chime is on: choosing it leaves its tick.
    connect(TimerCheck, &QAction::triggered, TimerCheck, [this] { TimerCheck->setChecked(true); });

    setUpSearchBar(CmbType, CmbSearch);
    setUpSearchBarEvents();
}

void Frmmain::Toolbar_ButtonClick(QAction* button) {
    const QString key = toolbarKey(button);
    if (key == "new") {
        OpenInNewWindow(Web->locationUrl());
    } else if (key == "back") {
        Web->goBack();
    } else if (key == "forward") {
        Web->goForward();
    } else if (key == "history") {
        ShowHistoryPage();
    } else if (key == "tv") {
        Web->navigate(ctx.sites.url(kLiveTvService, "/live/"));
    } else if (key == "jun") {
        Web->navigate(ctx.sites.url(kSohuTvService, "/drama/"));
    } else if (key == "radio") {
        Web->navigate(ctx.sites.url(kWebRadioService, "/"));
        loadRadio();
    } else if (key == "myhome") {
        Web->navigate(ctx.sites.url(kSohuTvService, "/movie/"));
        LoadChannels();
    } else if (key == "fav") {
        LoadFavoritesMenu();
        FavMenu->popup(QCursor::pos());
    } else if (key == "leftwindows") {
        HideList_Click();
    } else if (key == "home") {
        MouseRight->popup(QCursor::pos());
    } else if (key == "screen") {
        if (!ctx.desktop.monitorOff())
            Stat->setPanelText(kStatusTextPanel, kNoMonitorSwitchStatus);
    } else if (key == "sound") {
        ctx.desktop.toggleMute();
    } else if (key == "picture") {
        OpenInNewWindow(ctx.sites.url(kImageSearchService, kSceneryPicturesPath));
    } else if (key == "setup") {
        SetUpMenu->popup(QCursor::pos());
    }
}

void Frmmain::openThroughDesktop(const QString& target) {
    if (!ctx.desktop.openUrl(target))
        ctx.dialogs.information(this, cannotOpenMessage(target));
}

void Frmmain::Help_Click() {
    openThroughDesktop(programFile(ctx.programFolder, QStringLiteral("\\help.htm")));
}

void Frmmain::HomePage_Click() {
    openThroughDesktop(ctx.sites.url(kVendorService, kProductPagePath));
}

void Frmmain::Download_Click() {
    HomePage_Click();
}

void Frmmain::email_Click() {
    openThroughDesktop(QStringLiteral("mailto:") + kVendorContactAddress +
                       QStringLiteral("?subject=联系作者"));
}

// Modal for the whole program like the dialogs of old, but without a nested event loop: the
// dialog goes when it is closed, and the window's handlers return at once.
void Frmmain::showModal(QWidget* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    dialog->activateWindow();
}

void Frmmain::TimeTurnOff_Click() {
    showModal(new FormTurnOff(ctx.settings, ctx.dialogs, this));
}

void Frmmain::Setup_Click() {
    showModal(new FormSetup(ctx.settings, defaultRadioPage(ctx.sites), this));
}

void Frmmain::AboutMe_Click() {
    auto* box = new QMessageBox(this);
    box->setObjectName("AboutBox");
    box->setWindowTitle(QStringLiteral("关于 Lumera桌面"));
    box->setIconPixmap(programIcon().pixmap(64, 64));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<h3>Lumera桌面</h3>"
                                "<p>版本 1.0</p>"
                                "<p>影音娱乐桌面：网络电影、电视直播、广播电台与音乐，"
                                "一个窗口尽在掌握。</p>"));
    box->setStandardButtons(QMessageBox::Ok);
    showModal(box);
}

} // namespace lumera::portal
