#include "portal/PortalSites.h"
#include "portal/mainwindow/CommandSites.h"
#include "portal/mainwindow/DirectoryTable.h"
#include "portal/mainwindow/ToolbarButtons.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace lumera::portal;

namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "portal_mainwindow_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

QList<QIcon> numberedImages(int count) {
    QList<QIcon> images;
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap(32, 32);
        pixmap.fill(QColor(i * 10, 0, 0));
        images.append(QIcon(pixmap));
    }
    return images;
}

} // namespace

TEST(ToolbarButtons, NineteenButtonsWithFourSeparatorsAndUniqueKeys) {
    const auto& buttons = toolbarButtons();
    ASSERT_EQ(buttons.size(), 19u);
    QStringList keys;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const bool separator = buttons[i].style == ToolbarButtonStyle::Separator;
        EXPECT_EQ(separator, i == 3 || i == 7 || i == 11 || i == 15) << "button " << i + 1;
        if (separator)
            continue;
        EXPECT_FALSE(keys.contains(buttons[i].key));
        EXPECT_GE(buttons[i].image, 1);
        EXPECT_LE(buttons[i].image, 18);
        keys.append(buttons[i].key);
    }
    EXPECT_EQ(keys.join(','), "new,back,forward,myhome,fav,history,tv,jun,radio,leftwindows,"
                              "screen,sound,picture,home,setup");
}

TEST(ToolbarButtons, ToolbarGetsActionsInButtonOrder) {
    ensureApplication();
    QToolBar bar;
    const QList<QIcon> images = numberedImages(18);
    const QList<QAction*> actions = addToolbarButtons(&bar, images);
    ASSERT_EQ(actions.size(), 19);
    EXPECT_EQ(bar.actions(), actions);

    // Button 7 "history" shows image 16; button 9 "tv" image 17.
    EXPECT_EQ(toolbarKey(actions[6]), "history");
    EXPECT_EQ(actions[6]->icon().pixmap(32).toImage().pixelColor(0, 0),
              images[15].pixmap(32).toImage().pixelColor(0, 0));
    EXPECT_EQ(actions[8]->toolTip(), "电视直播频道");
    EXPECT_TRUE(actions[8]->text().isEmpty());

    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_TRUE(toolbarKey(actions[3]).isEmpty());
    EXPECT_TRUE(toolbarKey(nullptr).isEmpty());

    for (int i = 0; i < actions.size(); ++i) {
        const QString key = toolbarKey(actions[i]);
        if (key.isEmpty())
            continue;
        EXPECT_EQ(actions[i]->isEnabled(), key != "back" && key != "forward") << i;
        EXPECT_EQ(actions[i]->isCheckable(), key == "leftwindows" || key == "sound") << i;
    }
}

TEST(ToolbarButtons, MissingImagesLeaveButtonsWithoutPicture) {
    ensureApplication();
    QToolBar bar;
    const QList<QAction*> actions = addToolbarButtons(&bar, {});
    ASSERT_EQ(actions.size(), 19);
    EXPECT_TRUE(actions[0]->icon().isNull());
}

TEST(CommandSites, ShadowNoOtherServiceOfThePortal) {
    QHash<QString, QString> commands;
    addCommandSites(commands);
    QHash<QString, QString> others{{kVendorService, {}}, {kRadioService, {}}};
    addDirectorySites(others);
    for (auto it = commands.cbegin(); it != commands.cend(); ++it)
        EXPECT_FALSE(others.contains(it.key())) << it.key().toStdString();
    // The search engines are plain web addresses.
    for (auto it = commands.cbegin(); it != commands.cend(); ++it) {
        if (it.key().startsWith("search-"))
            EXPECT_TRUE(it.value().startsWith("http://")) << it.key().toStdString();
    }
}
