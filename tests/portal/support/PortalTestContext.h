#pragma once

#include "platform/desktop/FakeDesktop.h"
#include "platform/registry/AutostartEntry.h"
#include "platform/registry/HiveRegistry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/sites/SiteTable.h"
#include "platform/web/FakeWebBrowser.h"
#include "portal/PortalContext.h"
#include "portal/PortalSites.h"
#include "portal/PortalState.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QDir>

namespace lumera::test {

// The one application object of a test program, made by the first test that needs widgets.
inline void ensureTestApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "portal-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct TestApplication {
    TestApplication() { ensureTestApplication(); }
};

// A portal with fakes all round: settings, the registry hive and the autostart folder in a
// temporary folder, browsers that load nothing, a desktop that records, a clock that stands
// still, every site on the loopback address.
struct PortalTestContext {
    TestApplication application;
    TestFolder folder;
    SettingsStore settings{folder.file("config")};
    FakeInhibitor inhibitor;
    HiveRegistry registry{folder.file("config/registry.hive"), &inhibitor,
                          AutostartEntry(folder.file("autostart"), "Radio")};
    FakeDesktop desktop;
    FakeWebBrowserFactory browsers;
    SiteTable sites{{{portal::kVendorService, "http://127.0.0.1:9"},
                     {portal::kRadioService, "http://127.0.0.1:9"}}};
    FakeClock clock;
    portal::PortalState state;
    portal::PortalContext ctx{
        settings, registry, desktop,         browsers,        sites,
        clock,    state,    programFolder(), programFolder(), folder.file("data")};

    QString programFolder() const { return folder.path() + "/bin"; }
    QString autostartFile() const { return folder.file("autostart/Radio.desktop"); }
    QString cinema(const QString& section, const QString& key) const {
        return settings.read("cinema", section, key);
    }
    QString defaultRadioPage() const { return portal::defaultRadioPage(sites); }
    static FakeWebBrowser* fake(WebBrowser* browser) {
        return qobject_cast<FakeWebBrowser*>(browser);
    }
};

} // namespace lumera::test
