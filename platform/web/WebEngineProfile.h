#pragma once

#include <QString>

class QWebEngineProfile;

namespace lumera {

// The language the engine speaks and asks sites for.
inline constexpr char kWebLanguage[] = "zh-CN";
inline const QString kAcceptLanguage = QStringLiteral("zh-CN,zh;q=0.9");

// Chromium's sandbox cannot run as root; only then is it turned off, before the first view
// exists. Call in main() before the application object is made (it also asks Qt to share
// OpenGL contexts, which the engine needs), or at least before any QtWebEngine object.
void prepareWebEngineEnvironment();

// The one persistent profile of a program ("Lumera" for the portal), so logins and cookies
// survive a restart. Made on first use, owned by the application object.
QWebEngineProfile* sharedWebProfile(const QString& name = QStringLiteral("Lumera"));

} // namespace lumera
