#include "portal/mainwindow/Frmmain.h"

namespace lumera::portal {

void Frmmain::SaveHistoryFile() {}

void Frmmain::addhome_Click() {}

void Frmmain::SearchDir_Click() {}

void Frmmain::MyFavorites_Click(int index) {}

} // namespace lumera::portal
