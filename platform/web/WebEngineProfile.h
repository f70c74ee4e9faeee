#pragma once

#include "platform/web/WebEngineEnvironment.h"

#include <QString>

class QWebEngineProfile;

namespace lumera {

// The languages the engine asks sites for.
inline const QString kAcceptLanguage = QStringLiteral("zh-CN,zh;q=0.9");

// The one persistent profile of a program ("Lumera" for the portal), so logins and cookies
// survive a restart. Made on first use, owned by the application object.
QWebEngineProfile* sharedWebProfile(const QString& name = QStringLiteral("Lumera"));

} // namespace lumera
