#include "platform/web/WebEngineProfile.h"

#include <QCoreApplication>
#include <QHash>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <unistd.h>

namespace lumera {

void prepareWebEngineEnvironment() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QWebEngineProfile* sharedWebProfile(const QString& name) {
    static QHash<QString, QWebEngineProfile*> profiles;
    if (QWebEngineProfile* existing = profiles.value(name))
        return existing;
    prepareWebEngineEnvironment();
    auto* profile = new QWebEngineProfile(name, QCoreApplication::instance());
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    QWebEngineSettings* settings = profile->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    profiles.insert(name, profile);
    QObject::connect(profile, &QObject::destroyed, [name] { profiles.remove(name); });
    return profile;
}

} // namespace lumera
