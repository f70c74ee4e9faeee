#include "platform/web/SilentPage.h"

#include <QWebEngineCertificateError>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace lumera {

namespace {

// Reports the link under a press or a focus change. It runs in a world of its own, so the
// page's scripts can neither see nor silence it.
const char* const kActiveLinkScript = R"JS(
(function () {
  var marker = '%1';
  function report(target) {
    var el = target;
    while (el && !(el.href && typeof el.href === 'string')) el = el.parentElement;
    console.info(marker + (el ? el.href : ''));
  }
  document.addEventListener('mousedown', function (e) { report(e.target); }, true);
  document.addEventListener('focusin', function (e) { report(e.target); }, true);
})();
)JS";

} // namespace

QString SilentPage::hrefMarker() {
    return QStringLiteral("\u0001lumera-active-href:");
}

SilentPage::SilentPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    QWebEngineScript script;
    script.setName("lumera-active-link");
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(kActiveLinkScript).arg(hrefMarker()));
    scripts().insert(script);

    // A page with a bad certificate is not shown, and the user is never asked.
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.rejectCertificate(); });
}

void SilentPage::javaScriptAlert(const QUrl& origin, const QString& text) {
    if (!silent_)
        QWebEnginePage::javaScriptAlert(origin, text);
}

bool SilentPage::javaScriptConfirm(const QUrl& origin, const QString& text) {
    if (silent_)
        return false;
    return QWebEnginePage::javaScriptConfirm(origin, text);
}

bool SilentPage::javaScriptPrompt(const QUrl& origin, const QString& text,
                                  const QString& defaultValue, QString* result) {
    if (silent_)
        return false;
    return QWebEnginePage::javaScriptPrompt(origin, text, defaultValue, result);
}

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
    if (message.startsWith(hrefMarker()))
        activeHref_ = message.mid(hrefMarker().size());
}

bool SilentPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (isMainFrame)
        activeHref_.clear();
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

} // namespace lumera
