#include "platform/web/WebEngineBrowser.h"

#include "platform/web/FindBar.h"
#include "platform/web/PageScripts.h"
#include "platform/web/SilentPage.h"
#include "platform/web/WebEngineProfile.h"

#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineHistoryItem>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <utility>

namespace lumera {

namespace {

// How long a stopped load has to end before the address asked for meanwhile loads anyway.
constexpr std::chrono::milliseconds kStopGrace{3000};
// How long a loaded page off screen runs on before it is frozen (at most half the time to
// its discarding).
constexpr std::chrono::milliseconds kSettleBeforeFreezing{10000};

class EngineNewWindowRequest : public NewWindowRequest {
public:
    explicit EngineNewWindowRequest(QWebEngineNewWindowRequest& request) : request_(request) {}
    QString requestedUrl() const override { return request_.requestedUrl().toString(); }
    bool userInitiated() const override { return request_.isUserInitiated(); }
    void openIn(WebBrowser* target) override {
        if (auto* engine = qobject_cast<WebEngineBrowser*>(target)) {
            request_.openIn(reinterpret_cast<QWebEnginePage*>(engine->page()));
            opened_ = true;
        }
    }
    bool opened() const { return opened_; }

private:
    QWebEngineNewWindowRequest& request_;
    bool opened_ = false;
};

// Where the engine shows its error pages.
const char* const kEngineErrorDocument = "chrome-error:";

// The error page of an address the engine cannot take at all.
QString invalidAddressPage(const QString& address) {
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
                          "<body style=\"font-family:sans-serif;margin:40px\">"
                          "<h2>无法打开此网页</h2><p>这个地址无效：</p><p><code>%1</code></p>"
                          "</body></html>")
        .arg(address.toHtmlEscaped());
}

} // namespace

QUrl navigationUrl(const QString& address) {
    // The address goes to the engine as given: blanks at the end of a query are the user's.
    if (address.compare("about:blank", Qt::CaseInsensitive) == 0)
        return QUrl(QStringLiteral("about:blank"));
    if (address.startsWith('/') || (address.size() > 2 && address[1] == ':' && address[2] == '\\'))
        return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
    const QUrl url(address, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    if (!address.contains(QLatin1String("://")))
        return QUrl(QStringLiteral("http://") + address, QUrl::TolerantMode);
    return {};
}

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile* profile, QWidget* parent)
    : WebBrowser(parent), container_(new QWidget(parent)), view_(new QWebEngineView(container_)),
      page_(new SilentPage(profile, view_)), findBar_(nullptr), stopGrace_(new QTimer(this)),
      restTimer_(new QTimer(this)) {
    container_->setObjectName("WebBrowser");
    // Focus given to the pane goes to the page.
    container_->setFocusProxy(view_);
    view_->setPage(page_);
    // The page's own context menu never shows; the programs offer theirs.
    view_->setContextMenuPolicy(Qt::PreventContextMenu);
    findBar_ = new FindBar(page_, container_);
    auto* layout = new QVBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(findBar_);
    // The browser goes when its widget goes, as a control goes with its form.
    connect(container_, &QObject::destroyed, this, [this] { deleteLater(); });
    stopGrace_->setSingleShot(true);
    stopGrace_->setInterval(kStopGrace);
    connect(stopGrace_, &QTimer::timeout, this, &WebEngineBrowser::loadPending);
    restTimer_->setSingleShot(true);
    connect(restTimer_, &QTimer::timeout, this, &WebEngineBrowser::restTimer_Timer);
    wireEvents();
}

WebEngineBrowser::~WebEngineBrowser() = default;

QWidget* WebEngineBrowser::widget() {
    return container_;
}

void WebEngineBrowser::setSilent(bool silent) {
    page_->setSilent(silent);
}

bool WebEngineBrowser::silent() const {
    return page_->silent();
}

void WebEngineBrowser::wireEvents() {
    connect(page_, &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { emit StatusTextChange(url); });
    connect(page_, &QWebEnginePage::loadStarted, this, [this] {
        page_->clearActiveHref();
        // A read of the page being left may never be answered (another process may show the
        // next one): the next page's reads do not wait for it, and that page is not reported
        // complete any more.
        loading_ = true;
        reading_ = false;
        // A load after the one that brings a discarded page back is a visit again.
        if (restoring_ && std::exchange(restoreStarted_, true))
            restoring_ = false;
        afterReads_.clear();
        emit BeforeNavigate2(page_->requestedUrl().toString());
    });
    connect(page_, &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (progress < 100)
            emit ProgressChange(progress, 100);
    });
    connect(page_, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        if (url.scheme() != QLatin1String("data"))
            invalidAddress_.clear();
        reportCommandStates();
    });
    // The engine's title is the address while a page has none; TitleChange waits for the
    // document's own.
    connect(page_, &QWebEnginePage::titleChanged, this, [this](const QString&) {
        titleChanged_ = true;
        readDocument({});
    });
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool) {
        if (historyStepAllowed_) {
            historyStepAllowed_ = false;
            page_->settings()->resetAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls);
        }
        loading_ = false;
        if (!pendingAddress_.isEmpty()) {
            loadPending();
            return;
        }
        emit ProgressChange(-1, 100);
        emit StatusTextChange(QStringLiteral("完成"));
        reportCommandStates();
        // The document is readable when it is reported complete, its title included.
        readDocument([this] {
            restoring_ = false;
            emit DocumentComplete(locationUrl());
            emit DownloadComplete();
            // Only now: a frozen page answers no read.
            rest();
        });
    });
    // A page off screen that has stopped playing may rest now.
    connect(page_, &QWebEnginePage::recentlyAudibleChanged, this, [this](bool audible) {
        if (!audible)
            rest();
    });
    connect(page_, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                EngineNewWindowRequest wrapped(request);
                emit NewWindow2(&wrapped);
                // Not handed on: refused. The engine never opens a window of its own.
            });
}

void WebEngineBrowser::readDocument(std::function<void()> then) {
    // One read at a time: a page that changes its title without pause gets its title read
    // as fast as the page answers, not a queue of reads that grows with every change.
    if (then)
        afterReads_.push_back({readsIssued_ + 1, std::move(then)});
    if (reading_) {
        readAgain_ = true;
        return;
    }
    reading_ = true;
    const int read = ++readsIssued_;
    page_->runJavaScript(pageScripts::readDocument(), QWebEngineScript::ApplicationWorld,
                         [self = QPointer<WebEngineBrowser>(this), read](const QVariant& result) {
                             if (self)
                                 self->documentRead(read, result);
                         });
}

void WebEngineBrowser::documentRead(int read, const QVariant& result) {
    reading_ = false;
    // No answer: the page is going away with its window.
    if (!result.isValid())
        return;
    const QStringList document = result.toStringList();
    const QString title = document.value(1).startsWith(QLatin1String(kEngineErrorDocument))
                              ? QString()
                              : document.value(0);
    if (restoring_) {
        // The title it had before it was discarded was reported then, and the caption and
        // the history keep it: a page coming back is no new visit.
        titleChanged_ = false;
        title_ = title;
    } else if (titleChanged_ || title != title_) {
        titleChanged_ = false;
        title_ = title;
        emit TitleChange(title_);
    }
    if (readAgain_) {
        readAgain_ = false;
        readDocument({});
    }
    // What waited for a read that began after it was asked for.
    std::vector<AfterRead> due;
    for (auto it = afterReads_.begin(); it != afterReads_.end();) {
        if (it->read <= read) {
            due.push_back(std::move(*it));
            it = afterReads_.erase(it);
        } else {
            ++it;
        }
    }
    for (AfterRead& after : due)
        after.then();
}

void WebEngineBrowser::reportCommandStates() {
    QWebEngineHistory* history = page_->history();
    emit CommandStateChange(CSC_NAVIGATEBACK, history->canGoBack());
    emit CommandStateChange(CSC_NAVIGATEFORWARD, history->canGoForward());
}

void WebEngineBrowser::navigate(const QString& address) {
    // A resting page takes a new address at once.
    restTimer_->stop();
    restoring_ = false;
    if (page_->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        page_->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    const QUrl url = navigationUrl(address);
    if (url.isValid()) {
        // WORKAROUND: the engine drops a load asked for while the page before is between its
        // answer and its showing, and the query typed meanwhile never goes out. That page is
        // stopped, and this load goes once it has ended (or the stop has had its time).
        if (loading_) {
            if (pendingAddress_.isEmpty()) {
                page_->triggerAction(QWebEnginePage::Stop);
                stopGrace_->start();
            }
            pendingAddress_ = address;
            return;
        }
        page_->load(url);
        return;
    }
    // An error page of our own stands for the address, which stays what LocationURL reads.
    page_->setHtml(invalidAddressPage(address));
    invalidAddress_ = address;
}

void WebEngineBrowser::loadPending() {
    stopGrace_->stop();
    loading_ = false;
    if (!pendingAddress_.isEmpty())
        navigate(std::exchange(pendingAddress_, QString()));
}

void WebEngineBrowser::goBack() {
    if (page_->history()->canGoBack())
        stepThroughHistory(QWebEnginePage::Back, page_->history()->backItem().url());
}

void WebEngineBrowser::goForward() {
    if (page_->history()->canGoForward())
        stepThroughHistory(QWebEnginePage::Forward, page_->history()->forwardItem().url());
}

void WebEngineBrowser::refresh() {
    if (discardAfter_.count() > 0 && offScreen()) {
        reloadWhenShown_ = true;
        return;
    }
    stepThroughHistory(QWebEnginePage::Reload, page_->url());
}

void WebEngineBrowser::stepThroughHistory(QWebEnginePage::WebAction action, const QUrl& target) {
    // WORKAROUND: a page opened by a link on a local page (a row of the history page) keeps
    // that page as the initiator of its history entry, and the engine refuses local content
    // remote addresses: Back, Forward or Refresh to it would show ERR_NETWORK_ACCESS_DENIED.
    // The step is the program's own, as Navigate is, so for its load only this pane's local
    // content may reach remote addresses. Remote pages gain nothing.
    if (target.scheme().startsWith(QLatin1String("http"))) {
        page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        historyStepAllowed_ = true;
    }
    page_->triggerAction(action);
}

void WebEngineBrowser::execWB(int command, int) {
    // The engine applies edit commands to the focused frame.
    if (command != OLECMDID_FIND)
        view_->setFocus();
    switch (command) {
    case OLECMDID_COPY:
        page_->triggerAction(QWebEnginePage::Copy);
        break;
    case OLECMDID_CUT:
        page_->triggerAction(QWebEnginePage::Cut);
        break;
    case OLECMDID_PASTE:
        page_->triggerAction(QWebEnginePage::Paste);
        break;
    case OLECMDID_SELECTALL:
        page_->triggerAction(QWebEnginePage::SelectAll);
        break;
    case OLECMDID_FIND:
        findBar_->open();
        break;
    default:
        break;
    }
}

QString WebEngineBrowser::locationUrl() const {
    const QUrl url = page_->url();
    if (!invalidAddress_.isEmpty() && url.scheme() == QLatin1String("data"))
        return invalidAddress_;
    return url.isEmpty() ? QString() : url.toString();
}

bool WebEngineBrowser::hasDocument() const {
    return !page_->url().isEmpty();
}

QString WebEngineBrowser::documentTitle() const {
    return hasDocument() ? title_ : QString();
}

QString WebEngineBrowser::activeElementHref() const {
    return page_->activeHref();
}

bool WebEngineBrowser::scrollBy(int dx, int dy) {
    if (!hasDocument())
        return false;
    page_->runJavaScript(pageScripts::scrollBy(dx, dy));
    return true;
}

bool WebEngineBrowser::setBodyMargins(int top, int left, int right, int bottom) {
    if (!hasDocument())
        return false;
    page_->runJavaScript(pageScripts::setBodyMargins(top, left, right, bottom));
    return true;
}

void WebEngineBrowser::askTypingInPage(std::function<void(bool)> answer) {
    if (!hasDocument()) {
        answer(false);
        return;
    }
    QPointer<WebEngineBrowser> self(this);
    page_->runJavaScript(pageScripts::typingInPage(), QWebEngineScript::ApplicationWorld,
                         [self, answer = std::move(answer)](const QVariant& typing) {
                             if (self)
                                 answer(typing.toBool());
                         });
}

void WebEngineBrowser::setHiddenRest(std::chrono::milliseconds discardAfter) {
    if (discardAfter_.count() <= 0 && discardAfter.count() > 0)
        view_->installEventFilter(this);
    discardAfter_ = discardAfter;
}

bool WebEngineBrowser::eventFilter(QObject* watched, QEvent* event) {
    // Before the view's own handling: the engine makes a page it shows active.
    if (watched == view_ && event->type() == QEvent::Show)
        wake();
    else if (watched == view_ && event->type() == QEvent::Hide)
        QMetaObject::invokeMethod(this, &WebEngineBrowser::rest, Qt::QueuedConnection);
    return WebBrowser::eventFilter(watched, event);
}

bool WebEngineBrowser::offScreen() const {
    return !view_->isVisible();
}

bool WebEngineBrowser::mayRest() const {
    return discardAfter_.count() > 0 && !loading_ && offScreen() && !page_->recentlyAudible();
}

void WebEngineBrowser::rest() {
    if (!mayRest() || page_->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        return;
    // A page gets a while to settle first: a player starts its sound some time after the
    // page has loaded, and a frozen page would never start it.
    restTimer_->start(std::min(kSettleBeforeFreezing, discardAfter_ / 2));
}

void WebEngineBrowser::restTimer_Timer() {
    if (!mayRest())
        return;
    if (page_->lifecycleState() == QWebEnginePage::LifecycleState::Frozen) {
        if (!typing_)
            page_->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
        return;
    }
    if (page_->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        return;
    askTypingInPage([this](bool typing) {
        if (!mayRest() || page_->lifecycleState() != QWebEnginePage::LifecycleState::Active)
            return;
        // Frozen, a page keeps what was typed into it; discarded, it would lose it.
        typing_ = typing;
        page_->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
        if (!typing_)
            restTimer_->start(discardAfter_ - std::min(kSettleBeforeFreezing, discardAfter_ / 2));
    });
}

void WebEngineBrowser::wake() {
    restTimer_->stop();
    const QWebEnginePage::LifecycleState state = page_->lifecycleState();
    if (state != QWebEnginePage::LifecycleState::Active) {
        // A discarded page loads again by itself.
        restoring_ = state == QWebEnginePage::LifecycleState::Discarded;
        restoreStarted_ = false;
        page_->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    }
    if (std::exchange(reloadWhenShown_, false) && !restoring_)
        QMetaObject::invokeMethod(this, &WebEngineBrowser::refresh, Qt::QueuedConnection);
}

WebEngineBrowserFactory::WebEngineBrowserFactory(QString profileName)
    : profileName_(std::move(profileName)) {
    prepareWebEngineEnvironment();
}

WebBrowser* WebEngineBrowserFactory::create(QWidget* parent) {
    auto* browser = new WebEngineBrowser(sharedWebProfile(profileName_), parent);
    browser->setHiddenRest(discardAfter_);
    return browser;
}

} // namespace lumera
