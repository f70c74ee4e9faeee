#include "platform/web/WebEngineProfile.h"

#include <QCoreApplication>
#include <QHash>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlScheme>

namespace lumera {

namespace {

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
