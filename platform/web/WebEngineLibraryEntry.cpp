// The entry of the web engine's library (WebEngineLibrary opens it).
#include "platform/web/WebEngineBrowser.h"
#include "platform/web/WebEngineLibrary.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT lumera::WebBrowserFactory*
lumeraWebEngineFactory(const lumera::WebEngineOptions& options) {
    auto* factory = new lumera::WebEngineBrowserFactory(options.profileName);
    factory->setHiddenRest(options.hiddenRest);
    return factory;
}

// The program's type and the library's must agree.
static_assert(std::is_same_v<decltype(&lumeraWebEngineFactory), lumera::WebEngineFactoryEntry>);
