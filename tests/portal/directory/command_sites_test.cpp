#include "portal/directory/CommandSites.h"
#include "portal/directory/DirectoryTable.h"
#include "portal/directory/PortalSites.h"

#include <gtest/gtest.h>

using namespace lumera::portal;

TEST(CommandSites, ShadowNoOtherServiceOfThePortal) {
    QHash<QString, QString> commands;
    addCommandSites(commands);
    QHash<QString, QString> others{{kVendorService, {}}, {kRadioService, {}}};
    addDirectorySites(others);
    for (auto it = commands.cbegin(); it != commands.cend(); ++it)
        EXPECT_FALSE(others.contains(it.key())) << it.key().toStdString();
    // The search engines are plain web addresses.
    for (auto it = commands.cbegin(); it != commands.cend(); ++it) {
        if (it.key().startsWith("search-")) {
            EXPECT_TRUE(it.value().startsWith("http://")) << it.key().toStdString();
        }
    }
}
