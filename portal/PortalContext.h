#pragma once

#include "platform/desktop/Clock.h"
#include "platform/desktop/Desktop.h"
#include "platform/net/LinkProber.h"
#include "platform/process/ConfigFolder.h"
#include "platform/registry/Registry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/sites/SiteTable.h"
#include "platform/web/WebBrowser.h"
#include "portal/Dialogs.h"
#include "portal/PortalState.h"

#include <QString>

namespace lumera::portal {

// Everything a form of the portal may reach outside its own widgets. main() fills it with
// the real platform; tests fill it with fakes and temporary folders.
struct PortalContext {
    SettingsStore& settings;
    Registry& registry;
    Desktop& desktop;
    WebBrowserFactory& browsers;
    SiteTable& sites;
    Clock& clock;
    PortalState& state;
    // The dialogs the forms wait on: message boxes, questions, file and input boxes.
    Dialogs& dialogs;
    // The folder of the program file (content lives here).
    QString programFolder;
    // Where his.dat, history.html, Fav.rar and Favorites/ are kept (the program folder
    // while it is writable).
    QString dataFolder;
    // Where the user's own files of the directory are kept ($XDG_DATA_HOME/Lumera).
    QString userDataFolder = lumera::dataFolder();
    // Checks the directory's links; none, no check.
    LinkProber* links = nullptr;
};

} // namespace lumera::portal
