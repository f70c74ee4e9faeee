#pragma once

#include <QString>
#include <QWebEnginePage>

namespace lumera {

// A page that can be told to show no dialog of its own, and that keeps the address of the
// link the user last focused or clicked, reported by a script of ours in its own world.
class SilentPage : public QWebEnginePage {
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile* profile, QObject* parent);

    void setSilent(bool silent) { silent_ = silent; }
    bool silent() const { return silent_; }
    QString activeHref() const { return activeHref_; }
    void clearActiveHref() { activeHref_.clear(); }

    // The marker the link-reporting script puts in front of its console messages.
    static QString hrefMarker();

protected:
    void javaScriptAlert(const QUrl& origin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& defaultValue,
                          QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    bool silent_ = false;
    QString activeHref_;
};

} // namespace lumera
