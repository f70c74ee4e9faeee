#pragma once

// A portal context of fakes and temporary folders, and main windows made in it. Header-only,
// for test programs that link the portal library.

#include "platform/desktop/FakeDesktop.h"
#include "platform/net/FakeLinkProber.h"
#include "platform/registry/AutostartEntry.h"
#include "platform/registry/HiveRegistry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/web/FakeWebBrowser.h"
#include "portal/PortalContext.h"
#include "portal/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/support/PortalTestContext.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QPointer>
#include <vector>

namespace lumera::test {

// The application for tests with the real browser engine, which wants contexts shared.
struct WidgetApplication {
    WidgetApplication() {
        if (!QCoreApplication::instance())
            QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        ensureTestApplication();
    }
};

class FrmmainHarness {
public:
    // With the fake browser unless the test hands in another factory.
    explicit FrmmainHarness(WebBrowserFactory* browsers = nullptr)
        : context{settings,      registry,
                  desktop,       browsers ? *browsers : fakeBrowsers,
                  sites,         clock,
                  state,         folder.path(),
                  folder.path(), folder.path() + "/data",
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

    static FakeWebBrowser* fakeWeb(portal::Frmmain* window) {
        return qobject_cast<FakeWebBrowser*>(window->Web);
    }
    static FakeWebBrowser* fakeWebPop(portal::Frmmain* window) {
        return qobject_cast<FakeWebBrowser*>(window->WebPop);
    }

    TestApplication application;
    TestFolder folder;
    SettingsStore settings{folder.path() + "/config"};
    FakeInhibitor inhibitor;
    HiveRegistry registry{folder.path() + "/registry.hive", &inhibitor,
                          AutostartEntry(folder.path() + "/autostart", "Radio")};
    FakeDesktop desktop;
    FakeWebBrowserFactory fakeBrowsers;
    SiteTable sites = portal::makePortalSiteTable(folder.path(), folder.path() + "/sites.ini");
    FakeClock clock;
    portal::PortalState state;
    FakeLinkProber links;
    portal::PortalContext context;

private:
    std::vector<QPointer<portal::Frmmain>> made_;
};

} // namespace lumera::test
