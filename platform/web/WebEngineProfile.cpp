#include "platform/web/WebEngineProfile.h"

#include <QCoreApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlScheme>
#include <unistd.h>

namespace lumera {

namespace {

// Adds a flag for the engine, which reads them once, when it starts; one the user set stays.
void addEngineFlag(const QByteArray& name, const QByteArray& value = {}) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(name))
        return;
    flags += flags.isEmpty() ? "" : " ";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + name + value);
}

bool isNetworkScheme(const QString& scheme) {
    static const QStringList network{"http", "https", "ws", "wss", "ftp"};
    return network.contains(scheme);
}

// Pages of our own: files, resources, and the schemes a program registers for its content.
bool isLocalPage(const QUrl& url) {
    return url.isLocalFile() || url.scheme() == QLatin1String("qrc") ||
           !QWebEngineUrlScheme::schemeByName(url.scheme().toUtf8()).name().isEmpty();
}

// Our own pages need nothing from the network: whatever they embed or fetch from a web
// address is refused. Following a link away from them (a whole-page navigation) stays open.
class LocalPagesStayLocal : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame &&
            isNetworkScheme(info.requestUrl().scheme()) && isLocalPage(info.firstPartyUrl()))
            info.block(true);
    }
};

// What a browser facing any site of the web should have, set explicitly rather than left to
// the defaults of whichever engine version is installed.
void harden(QWebEngineProfile* profile) {
    QWebEngineSettings* settings = profile->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    profile->setUrlRequestInterceptor(new LocalPagesStayLocal(profile));
}

} // namespace

void prepareWebEngineEnvironment() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The engine's own texts (error pages, form controls, date pickers) in Chinese, whatever
    // the system's locale.
    addEngineFlag("--lang=", kWebLanguage);
    // The engine reports how it set itself up (GL type, its start-up parameters) at every
    // start: no problem of the user's. QT_LOGGING_RULES still shows it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void shareRenderersBySite() {
    // Without strict site isolation the engine counts every site that does not ask for a
    // process of its own as one: all pages would share one renderer.
    addEngineFlag("--site-per-process");
    addEngineFlag("--process-per-site");
}

QWebEngineProfile* sharedWebProfile(const QString& name) {
    static QHash<QString, QWebEngineProfile*> profiles;
    if (QWebEngineProfile* existing = profiles.value(name))
        return existing;
    prepareWebEngineEnvironment();
    auto* profile = new QWebEngineProfile(name, QCoreApplication::instance());
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    harden(profile);
    // Sites that choose their language from the request answer in Chinese.
    profile->setHttpAcceptLanguage(kAcceptLanguage);
    QWebEngineSettings* settings = profile->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    profiles.insert(name, profile);
    QObject::connect(profile, &QObject::destroyed, [name] { profiles.remove(name); });
    return profile;
}

} // namespace lumera
