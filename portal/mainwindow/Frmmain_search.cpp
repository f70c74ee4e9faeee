#include "portal/mainwindow/Frmmain.h"

#include "platform/web/WebBrowser.h"
#include "portal/browser/VideoSearch.h"

#include <QComboBox>

namespace lumera::portal {

void Frmmain::Cmd_Click() {
    const QString query = CmbSearch->currentText();
    if (query.isEmpty())
        return;
    rememberQuery(CmbSearch, query);
    TargetUrl = searchAddress(ctx.sites, selectedEngineIndex(CmbType), query);
    Web->navigate(TargetUrl);
    // The arrow keys scroll the result page from here.
    Cmb->setFocus();
}

void Frmmain::CmbSearch_KeyDown(int keyCode) {
    if (keyCode == 13)
        Cmd_Click();
}

void Frmmain::CmbType_Click() {
    Cmd_Click();
}

void Frmmain::CmbSearch_GotFocus() {
    ctx.state.MouseHookPaused = true;
}

void Frmmain::CmbSearch_LostFocus() {
    ctx.state.MouseHookPaused = false;
}

} // namespace lumera::portal
