#pragma once

// The portal with fakes all round, and main windows made in it: settings, the registry hive
// and the autostart folder in a temporary folder that is also the program folder, browsers
// that load nothing (unless the test hands in the real engine), a desktop that records, a
// clock that stands still, dialogs the test answers. Header-only, for test programs that link the
// portal library.

#include "platform/process/AutostartEntry.h"
#include "platform/registry/HiveRegistry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/sites/SiteTable.h"
#include "portal/PortalContext.h"
#include "portal/PortalState.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "support/FakeDesktop.h"
#include "support/FakeLinkProber.h"
#include "support/FakeWebBrowser.h"
#include "support/TestDialogs.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <gtest/gtest.h>
#include <vector>

namespace lumera::test {

// The one application object of a test program, made by the first test that needs widgets;
// contexts are shared, as the real browser engine wants.
inline void ensureTestApplication() {
    if (QApplication::instance())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    static int argc = 1;
    static char name[] = "portal-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct TestApplication {
    TestApplication() { ensureTestApplication(); }
};

class FrmmainHarness {
public:
    // With the fake browser unless the test hands in another factory.
    explicit FrmmainHarness(WebBrowserFactory* browsers = nullptr)
        : context{settings,
                  registry,
                  desktop,
                  browsers ? *browsers : fakeBrowsers,
                  sites,
                  clock,
                  state,
                  dialogs,
                  folder.path(),
                  folder.path(),
                  folder.path() + "/data",
                  &links} {}
    ~FrmmainHarness() {
        for (QPointer<portal::Frmmain>& window : allWindows()) {
            if (window)
                delete window.data();
        }
    }

    // A main window loaded as the program loads one.
    portal::Frmmain* open() {
        auto* window = new portal::Frmmain(context);
        made_.emplace_back(window);
        return window;
    }

    // Sends every site of the table to one server of the test's own.
    void pointEverySiteAt(const QString& origin) {
        for (const QString& service : sites.services())
            sites.setOrigin(service, origin);
    }

    // Every main window of the test, also those the windows opened themselves.
    std::vector<QPointer<portal::Frmmain>> allWindows() const {
        std::vector<QPointer<portal::Frmmain>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<portal::Frmmain*>(widget))
                windows.emplace_back(window);
        }
        return windows;
    }

    QString programFolder() const { return folder.path(); }
    QString autostartFile() const { return folder.file("autostart/Radio.desktop"); }
    QString cinema(const QString& section, const QString& key) const {
        return settings.read("cinema", section, key);
    }
    QString defaultRadioPage() const { return portal::defaultRadioPage(sites); }

    static FakeWebBrowser* fakeWeb(portal::Frmmain* window) {
        return qobject_cast<FakeWebBrowser*>(window->Web);
    }
    static FakeWebBrowser* fakeWebPop(portal::Frmmain* window) {
        return qobject_cast<FakeWebBrowser*>(window->WebPop);
    }

    TestApplication application;
    TestFolder folder;
    SettingsStore settings{folder.file("config")};
    HiveRegistry registry{folder.file("config/registry.hive"),
                          AutostartEntry(folder.file("autostart"), "Radio")};
    FakeDesktop desktop;
    FakeWebBrowserFactory fakeBrowsers;
    SiteTable sites = portal::makePortalSiteTable(folder.path(), folder.path() + "/sites.ini");
    FakeClock clock;
    portal::PortalState state;
    FakeLinkProber links;
    TestDialogs dialogs;
    portal::PortalContext context;

private:
    std::vector<QPointer<portal::Frmmain>> made_;
};

// Picks the item of a pop-up menu by the caption the user reads on it.
inline void pickMenuItem(QMenu* menu, const QString& caption) {
    for (QAction* item : menu->actions()) {
        if (item->text() == caption) {
            item->trigger();
            return;
        }
    }
    ADD_FAILURE() << menu->title().toStdString() << " has no item " << caption.toStdString();
}

} // namespace lumera::test
