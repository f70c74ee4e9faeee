#include "platform/web/WebBrowser.h"
#include "portal/browser/Favorites.h"
#include "portal/browser/FavoritesFile.h"
#include "portal/browser/FavoritesMenu.h"
#include "portal/browser/FormDfg.h"
#include "portal/browser/History.h"
#include "portal/browser/HistoryPage.h"
#include "portal/mainwindow/Frmmain.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>

namespace lumera::portal {

void Frmmain::SaveHistoryFile() {
    // The buffer is emptied once saved: the tray host may load a main window again later,
    // whose merge must not store the same rows a second time.
    SaveHistoryAtLastClose(ctx.state, ctx.dataFolder);
}

void Frmmain::ShowHistoryPage() {
    TargetUrl = writeHistoryPage(ctx.state, ctx.dataFolder, historyPageHeader());
    Web->navigate(TargetUrl);
}

void Frmmain::LoadFavoritesMenu() {
    portal::LoadFavoritesMenu(*FavMenu, MyFavorites, ctx.dataFolder,
                              [this](int index) { MyFavorites_Click(index); });
}

void Frmmain::MyFavorites_Click(int index) {
    if (index < 0 || index >= MyFavorites.size())
        return;
    const QString address = favoriteAddress(*MyFavorites.at(index));
    if (!address.isEmpty())
        Web->navigate(address);
}

void Frmmain::addhome_Click() {
    QDir().mkpath(favoritesFolderPath(ctx.dataFolder));
    auto* dialog = new Favorites(ctx.dataFolder, ctx.dialogs, this);
    dialog->txtUrl->setText(Web->locationUrl());
    dialog->txtTitle->setText(Web->documentTitle());
    showModal(dialog);
}

void Frmmain::SearchDir_Click() {
    showModal(new FormDfg(ctx.dataFolder, ctx.dialogs, this));
}

} // namespace lumera::portal
