#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace lumera {

class WebBrowser;

// ExecWB command numbers and their two options.
enum ExecWBCommand : int {
    OLECMDID_CUT = 11,
    OLECMDID_COPY = 12,
    OLECMDID_PASTE = 13,
    OLECMDID_SELECTALL = 17,
    OLECMDID_FIND = 32,
};
enum ExecWBOption : int {
    OLECMDEXECOPT_DODEFAULT = 0,
    OLECMDEXECOPT_DONTPROMPTUSER = 2,
};
// CommandStateChange command numbers.
enum BrowserStateCommand : int {
    CSC_NAVIGATEFORWARD = 1,
    CSC_NAVIGATEBACK = 2,
};

// A page's request for a window of its own (NewWindow2). The handler either hands the page
// to another browser (openIn, the ppDisp of the original), cancels it, or leaves it alone,
// in which case the request is refused: the programs never open a browser of the engine's.
class NewWindowRequest {
public:
    virtual ~NewWindowRequest() = default;
    // The address the page asked for; may be empty (window.open() without an address).
    virtual QString requestedUrl() const = 0;
    // True when the user started it (a click on a link, a key press).
    virtual bool userInitiated() const = 0;
    // The page opens in `target` instead of a window of the engine's own.
    virtual void openIn(WebBrowser* target) = 0;

    void setCancel(bool cancel) { cancel_ = cancel; }
    bool cancel() const { return cancel_; }

private:
    bool cancel_ = false;
};

// The embedded web-browser control: the operations the programs use and the events they
// listen to, with the meanings the programs rely on.
class WebBrowser : public QObject {
    Q_OBJECT
public:
    explicit WebBrowser(QObject* parent = nullptr) : QObject(parent) {}
    ~WebBrowser() override = default;

    // The widget to place in a form. It belongs to the browser's parent widget.
    virtual QWidget* widget() = 0;

    // No page dialog of any kind (alert, confirm, prompt, certificate question) appears.
    virtual void setSilent(bool silent) = 0;
    virtual bool silent() const = 0;
    // Kept for the programs' sake; pages opened from another browser stay linked anyway.
    virtual void setRegisterAsBrowser(bool registered) = 0;

    // A web address, a local path (made a file: address) or "about:blank".
    virtual void navigate(const QString& address) = 0;
    // One step in the pane's history; harmless at either end.
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void refresh() = 0;
    // Copy, cut, paste, select all on the page's selection; find opens a find bar over it.
    virtual void execWB(int command, int option) = 0;

    // LocationURL: the address of the current document, empty before the first.
    virtual QString locationUrl() const = 0;
    // Whether a document is there for the document operations below.
    virtual bool hasDocument() const = 0;
    // Document.title; empty without a document.
    virtual QString documentTitle() const = 0;
    // Document.activeElement.href: the link the user last focused or clicked on this page.
    virtual QString activeElementHref() const = 0;
    // Document.parentWindow.scrollBy; false (and nothing done) without a document.
    virtual bool scrollBy(int dx, int dy) = 0;
    // Document.body margins in pixels; false without a document.
    virtual bool setBodyMargins(int top, int left, int right, int bottom) = 0;
    // Asks the page whether its focused element takes typed text (a text field, a text area,
    // an editable element, or a frame the program cannot look into). The answer comes later,
    // on this thread, and not at all once the browser is gone; false without a document.
    virtual void askTypingInPage(std::function<void(bool typing)> answer) = 0;

signals:
    void StatusTextChange(const QString& text);
    void ProgressChange(int progress, int progressMax);
    void CommandStateChange(int command, bool enable);
    void TitleChange(const QString& title);
    void BeforeNavigate2(const QString& url);
    void NewWindow2(lumera::NewWindowRequest* request);
    void DocumentComplete(const QString& url);
    void DownloadComplete();
};

// Makes the browsers of a program; all of them share one profile.
class WebBrowserFactory {
public:
    virtual ~WebBrowserFactory() = default;
    virtual WebBrowser* create(QWidget* parent) = 0;
};

} // namespace lumera
