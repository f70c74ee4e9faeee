#include "portal/mainwindow/Frmmain.h"

namespace lumera::portal {

void Frmmain::Help_Click() {}

void Frmmain::HomePage_Click() {}

void Frmmain::Download_Click() {}

void Frmmain::email_Click() {}

void Frmmain::TimeTurnOff_Click() {}

void Frmmain::Setup_Click() {}

void Frmmain::AboutMe_Click() {}

void Frmmain::Cmd_Click() {}

void Frmmain::CmbSearch_GotFocus() {
    ctx.state.MouseHookPaused = true;
}

void Frmmain::CmbSearch_LostFocus() {
    ctx.state.MouseHookPaused = false;
}

} // namespace lumera::portal
