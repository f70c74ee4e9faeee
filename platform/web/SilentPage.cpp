#include "platform/web/SilentPage.h"

#include "platform/web/PageScripts.h"

#include <QCoreApplication>
#include <QWebEngineCertificateError>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace lumera {

namespace {

// What the engine asks through javaScriptConfirm when a page's beforeunload handler wants the
// user to stay; the same translation call as the engine's, so it matches in every language.
const char* const kLeavePageQuestion =
    "Are you sure you want to leave this page? Changes that you made may not be saved.";

bool isLeavePageQuestion(const QString& text) {
    return text == QCoreApplication::translate("QWebEnginePage", kLeavePageQuestion) ||
           text == QLatin1String(kLeavePageQuestion);
}

} // namespace

QString SilentPage::hrefMarker() {
    return QStringLiteral("\u0001lumera-active-href:");
}

SilentPage::SilentPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    // The link under a press or a focus change, reported in a world of its own, so the page's
    // scripts can neither see nor silence it.
    QWebEngineScript script;
    script.setName("lumera-active-link");
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(pageScripts::activeLink(hrefMarker()));
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
    // A silent page cannot ask whether to leave it: every navigation of the program leaves,
    // also after the user typed into a form. The page's own confirm() is answered "no".
    if (silent_)
        return isLeavePageQuestion(text);
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
