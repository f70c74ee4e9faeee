#include "platform/web/WebEngineLibrary.h"

#include "platform/web/WebEngineEnvironment.h"

#include <QLibrary>
#include <utility>

namespace lumera {

WebEngineLibrary::WebEngineLibrary(QString path, WebEngineOptions options)
    : path_(std::move(path)), options_(std::move(options)) {}

WebEngineLibrary::~WebEngineLibrary() = default;

WebBrowser* WebEngineLibrary::create(QWidget* parent) {
    if (!engine_) {
        // The engine's contexts share Qt's from its start on.
        shareOpenGLContexts();
        // Every symbol bound now: a library that does not fit the program fails here, with
        // the symbol named, rather than later in the middle of a page. It is never unloaded:
        // the profile it makes lives as long as the application object.
        QLibrary library(path_);
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        auto entry =
            reinterpret_cast<WebEngineFactoryEntry>(library.resolve(kWebEngineFactoryEntry));
        if (!entry)
            qFatal("The web engine's library cannot be used: %s",
                   qPrintable(library.errorString()));
        engine_.reset(entry(options_));
    }
    return engine_->create(parent);
}

} // namespace lumera
