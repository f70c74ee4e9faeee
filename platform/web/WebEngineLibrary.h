#pragma once

#include "platform/web/WebBrowser.h"

#include <QString>
#include <chrono>
#include <memory>

namespace lumera {

// What the browsers of the engine's library are made with.
struct WebEngineOptions {
    // The program's shared persistent profile.
    QString profileName = QStringLiteral("Lumera");
    // Browsers rest while off screen (WebEngineBrowser::setHiddenRest); zero: never.
    std::chrono::milliseconds hiddenRest{0};
};

// The browsers of a program whose web engine is a library of its own beside the program file
// (kWebEngineLibraryFile), opened when the first browser is made: until then the engine's
// libraries are neither loaded nor set up, and no OpenGL context is shared with them
// (shareOpenGLContexts). The library exports kWebEngineFactoryEntry, a WebEngineFactoryEntry.
// A library that cannot be opened ends the program with the reason.
class WebEngineLibrary : public WebBrowserFactory {
public:
    WebEngineLibrary(QString path, WebEngineOptions options);
    ~WebEngineLibrary() override;

    WebBrowser* create(QWidget* parent) override;

private:
    QString path_;
    WebEngineOptions options_;
    std::unique_ptr<WebBrowserFactory> engine_;
};

// In the program folder. A folder of its own keeps the package's shared libraries out of the
// folders that ldconfig looks at, and so the package from calling it.
inline constexpr char kWebEngineLibraryFile[] = "lib/liblumera_web_engine.so";
inline constexpr char kWebEngineFactoryEntry[] = "lumeraWebEngineFactory";
// The library's factory over the engine; the caller owns it.
using WebEngineFactoryEntry = WebBrowserFactory* (*)(const WebEngineOptions& options);

} // namespace lumera
