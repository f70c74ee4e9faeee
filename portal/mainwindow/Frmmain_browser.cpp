#include "platform/web/WebBrowser.h"
#include "portal/mainwindow/Frmmain.h"

#include <QTimer>

namespace lumera::portal {

void Frmmain::Web_StatusTextChange(const QString& text) {}

void Frmmain::Web_ProgressChange(int progress, int progressMax) {}

void Frmmain::Web_CommandStateChange(int command, bool enable) {}

void Frmmain::Web_TitleChange(const QString&) {
    QString title = Web->documentTitle().left(100);
    if (title.isEmpty())
        title = Web->locationUrl();
    setWindowTitle(title + QStringLiteral(" - Lumera桌面"));
    ProgressStep = 0;
}

void Frmmain::Web_BeforeNavigate2(const QString&) {
    Timer2->start();
}

void Frmmain::Web_NewWindow2(NewWindowRequest* request) {}

void Frmmain::Web_DocumentComplete(const QString&) {
    TimerSetFocus->stop();
    TimerSetFocus->start();
}

void Frmmain::WebPop_DownloadComplete() {}

Frmmain* Frmmain::OpenInNewWindow(const QString& address) {
    auto* window = new Frmmain(ctx);
    window->show();
    window->Web->navigate(address);
    window->Web->setRegisterAsBrowser(true);
    return window;
}

void Frmmain::WebTop_Click() {}

void Frmmain::WebButton_Click() {}

void Frmmain::Webcopy_Click() {}

void Frmmain::WebCut_Click() {}

void Frmmain::WebPaste_Click() {}

void Frmmain::Reshua_Click() {}

void Frmmain::WebAll_Click() {}

void Frmmain::Websearch_Click() {}

void Frmmain::ReLoadWeb_Click() {}

void Frmmain::Cmb_KeyDown(int keyCode) {}

} // namespace lumera::portal
