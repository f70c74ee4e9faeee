#include "portal/tray/RadioPage.h"

#include <QUrl>

namespace lumera::portal {

QString startupRadioPage(const QString& stored, const QString& defaultPage) {
    const QString text = stored.trimmed();
    if (text.isEmpty())
        return defaultPage;
    if (text.compare("about:blank", Qt::CaseInsensitive) == 0)
        return text;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web = (scheme == "http" || scheme == "https") && !url.host().isEmpty();
    const bool file = scheme == "file" && !url.path().isEmpty();
    return url.isValid() && (web || file) ? text : defaultPage;
}

} // namespace lumera::portal
