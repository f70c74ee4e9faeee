#pragma once

#include "platform/web/WebBrowser.h"

#include <QString>
#include <QWebEnginePage>
#include <chrono>
#include <functional>
#include <vector>

class QTimer;
class QUrl;
class QVariant;
class QWebEngineProfile;
class QWebEngineView;

namespace lumera {

class FindBar;
class SilentPage;

// The browser control over QtWebEngine: a view with a find bar below it in one widget.
class WebEngineBrowser : public WebBrowser {
    Q_OBJECT
public:
    WebEngineBrowser(QWebEngineProfile* profile, QWidget* parent);
    ~WebEngineBrowser() override;

    QWidget* widget() override;
    void setSilent(bool silent) override;
    bool silent() const override;
    void setRegisterAsBrowser(bool registered) override { registered_ = registered; }
    void navigate(const QString& address) override;
    void goBack() override;
    void goForward() override;
    void refresh() override;
    void execWB(int command, int option) override;
    QString locationUrl() const override;
    bool hasDocument() const override;
    QString documentTitle() const override;
    QString activeElementHref() const override;
    bool scrollBy(int dx, int dy) override;
    bool setBodyMargins(int top, int left, int right, int bottom) override;
    void askTypingInPage(std::function<void(bool)> answer) override;

    QWebEngineView* view() const { return view_; }
    SilentPage* page() const { return page_; }

    // A pane off screen rests: its page is frozen once it has loaded and settled, and
    // discarded (its renderer let go) `discardAfter` after it has loaded off screen, unless it
    // plays sound or the focus is in a field of it (then it is only frozen). Shown again, the page
    // comes back at its address, which is no new visit. A reload asked for meanwhile waits until
    // then. Zero: never.
    void setHiddenRest(std::chrono::milliseconds discardAfter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireEvents();
    void reportCommandStates();
    // Reads the document's own title, reports it when it changed, then runs `then`.
    void readDocument(std::function<void()> then);
    void documentRead(int read, const QVariant& result);
    void stepThroughHistory(QWebEnginePage::WebAction action, const QUrl& target);
    void loadPending();
    void rest();
    void restTimer_Timer();
    void wake();
    bool offScreen() const;
    bool mayRest() const;

    QWidget* container_;
    QWebEngineView* view_;
    SilentPage* page_;
    FindBar* findBar_;
    bool registered_ = false;
    // The document's own title: empty while it has none and on the engine's error pages.
    QString title_;
    bool titleChanged_ = false;
    // From the start of a load to its end; an address asked for meanwhile waits here.
    bool loading_ = false;
    QString pendingAddress_;
    QTimer* stopGrace_;
    bool reading_ = false;
    bool readAgain_ = false;
    int readsIssued_ = 0;
    struct AfterRead {
        int read; // runs once this read is answered
        std::function<void()> then;
    };
    std::vector<AfterRead> afterReads_;
    // The local content of this pane may reach remote addresses until the step's load ends.
    bool historyStepAllowed_ = false;
    // The address the error page of an unusable address stands for.
    QString invalidAddress_;
    std::chrono::milliseconds discardAfter_{0};
    // Freezes a page off screen once it has settled, then discards it.
    QTimer* restTimer_;
    // The focus was in a field of the page when it went off screen: it is only frozen.
    bool typing_ = false;
    bool reloadWhenShown_ = false;
    // A discarded page loading again: its title was reported when it was first shown.
    bool restoring_ = false;
    bool restoreStarted_ = false;
};

class WebEngineBrowserFactory : public WebBrowserFactory {
public:
    // Uses the program's shared persistent profile of that name.
    explicit WebEngineBrowserFactory(QString profileName = QStringLiteral("Lumera"));
    WebBrowser* create(QWidget* parent) override;
    // Browsers made from now on rest while off screen (WebEngineBrowser::setHiddenRest).
    void setHiddenRest(std::chrono::milliseconds discardAfter) { discardAfter_ = discardAfter; }

private:
    QString profileName_;
    std::chrono::milliseconds discardAfter_{0};
};

// What the address text becomes for the engine, blanks and all: a local path a file:
// address, "about:blank" as it is, a web address without scheme an http one; an invalid
// QUrl for an address that is none.
QUrl navigationUrl(const QString& address);

} // namespace lumera
