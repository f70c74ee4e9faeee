#include "platform/web/WebBrowser.h"
#include "portal/UseCounter.h"
#include "portal/browser/BrowserRules.h"
#include "portal/browser/History.h"
#include "portal/browser/NewWindowRule.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/StatusBar.h"

#include <QAction>
#include <QComboBox>
#include <QTimer>
#include <QToolBar>

namespace lumera::portal {

namespace {

// Scrolling steps of the page commands and the arrow keys, in pixels.
constexpr int kPageScrollCalls = 101;
constexpr int kPageScrollStep = 150;
constexpr int kKeyScrollStep = 100;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

// A toolbar button by its key, as an action of the bar or a widget on it.
void enableToolbarButton(QToolBar* bar, const QString& key, bool enabled) {
    if (!bar)
        return;
    for (QAction* action : bar->actions()) {
        if (action->objectName() == key) {
            action->setEnabled(enabled);
            return;
        }
    }
    if (auto* widget = bar->findChild<QWidget*>(key))
        widget->setEnabled(enabled);
}

} // namespace

void Frmmain::Web_StatusTextChange(const QString& text) {
    Stat->setPanelText(kStatusTextPanel, statusPanelText(text, LastStatusText));
}

void Frmmain::Web_ProgressChange(int progress, int progressMax) {
    const ProgressTexts texts = progressTexts(progress, progressMax);
    Stat->setPanelText(kStatusProgressPanel, texts.percent);
    Stat->setPanelText(kStatusNoticePanel, texts.notice);
}

void Frmmain::Web_CommandStateChange(int command, bool enable) {
    if (command == CSC_NAVIGATEBACK)
        CanGoBack = enable;
    else if (command == CSC_NAVIGATEFORWARD)
        CanGoForward = enable;
    butenableable();
}

void Frmmain::butenableable() {
    enableToolbarButton(Toolbar, QStringLiteral("back"), CanGoBack);
    enableToolbarButton(Toolbar, QStringLiteral("forward"), CanGoForward);
}

void Frmmain::Web_TitleChange(const QString&) {
    // The event's own text is not used: the title is read from the document.
    const QString location = Web->locationUrl();
    const TitleOutcome outcome =
        titleOutcome({Web->documentTitle(), location, defaultRadioPage(ctx.sites)}, LastTitle);
    if (outcome.closeWindow) {
        // The same way out as when the user closes the window; the widgets themselves go
        // once this event has been handled.
        close();
        return;
    }
    if (outcome.record)
        AddHistoryRow(ctx.state, outcome.title, location, ctx.clock.now());
    setWindowTitle(outcome.caption);
    ProgressStep = 0;
}

void Frmmain::Web_BeforeNavigate2(const QString&) {
    Timer2->start();
}

void Frmmain::Web_NewWindow2(NewWindowRequest* request) {
    if (!request)
        return;
    const bool blocked = ctx.settings.read(kCinemaApp, "setup", "history") == QLatin1String("1");
    const NewWindowInput input{Web->activeElementHref(), LastStatusText, Web->locationUrl(),
                               request->userInitiated(), blocked};
    NewWindowAction action = newWindowAction(input);
    // However the switch is set, a page gets only a few windows it opens by itself, and none
    // while many main windows are open already.
    if (action == NewWindowAction::Open && !input.userInitiated &&
        (ctx.state.MainWindowCount >= kMaxMainWindowsForPageWindows ||
         !ctx.state.PageWindows.allow(ctx.clock.now())))
        action = NewWindowAction::Refuse;
    switch (action) {
    case NewWindowAction::LeaveAlone:
        return;
    case NewWindowAction::Refuse:
        request->setCancel(true);
        Stat->setPanelText(kStatusTextPanel, kRefusedWindowStatus);
        return;
    case NewWindowAction::Open:
        break;
    }
    auto* window = new Frmmain(ctx);
    ChildWindow = window;
    window->show();
    window->Web->setRegisterAsBrowser(true);
    request->openIn(window->Web);
}

void Frmmain::Web_DocumentComplete(const QString&) {
    // The page's own context menu never opens in this pane: the browser offers none, and the
    // pump shows MouseRight instead. Two seconds from now the keys come back to the window.
    TimerSetFocus->stop();
    TimerSetFocus->start();
}

void Frmmain::WebPop_DownloadComplete() {
    WebPop->setBodyMargins(0, 0, 0, 0);
}

Frmmain* Frmmain::OpenInNewWindow(const QString& address) {
    auto* window = new Frmmain(ctx);
    ChildWindow = window;
    window->show();
    window->Web->navigate(address);
    window->Web->setRegisterAsBrowser(true);
    return window;
}

void Frmmain::WebTop_Click() {
    for (int i = 0; i < kPageScrollCalls; ++i) {
        if (!Web->scrollBy(0, -kPageScrollStep))
            return;
    }
    Cmb->setFocus();
}

void Frmmain::WebButton_Click() {
    for (int i = 0; i < kPageScrollCalls; ++i) {
        if (!Web->scrollBy(0, kPageScrollStep))
            return;
    }
    Cmb->setFocus();
}

void Frmmain::Webcopy_Click() {
    Web->execWB(OLECMDID_COPY, OLECMDEXECOPT_DONTPROMPTUSER);
}

void Frmmain::WebCut_Click() {
    Web->execWB(OLECMDID_CUT, OLECMDEXECOPT_DONTPROMPTUSER);
}

void Frmmain::WebPaste_Click() {
    Web->execWB(OLECMDID_PASTE, OLECMDEXECOPT_DONTPROMPTUSER);
}

void Frmmain::Reshua_Click() {
    Web->refresh();
}

void Frmmain::WebAll_Click() {
    Web->execWB(OLECMDID_SELECTALL, OLECMDEXECOPT_DONTPROMPTUSER);
}

void Frmmain::Websearch_Click() {
    Web->execWB(OLECMDID_FIND, OLECMDEXECOPT_DODEFAULT);
}

void Frmmain::ReLoadWeb_Click() {
    WebPop->refresh();
}

void Frmmain::Cmb_KeyDown(int keyCode) {
    if (keyCode == kKeyUp)
        Web->scrollBy(0, -kKeyScrollStep);
    else if (keyCode == kKeyDown)
        Web->scrollBy(0, kKeyScrollStep);
}

} // namespace lumera::portal
