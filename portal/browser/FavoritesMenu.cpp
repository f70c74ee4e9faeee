#include "portal/browser/FavoritesMenu.h"

#include "portal/browser/FavoritesFile.h"

#include <QAction>
#include <QMenu>

namespace lumera::portal {

namespace {

// A menu caption shows "&" only when doubled; single ones would become accelerators.
QString menuCaption(QString title) {
    return title.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

void LoadFavoritesMenu(QMenu& FavMenu, QList<QAction*>& MyFavorites, const QString& dataFolder,
                       const std::function<void(int index)>& click) {
    for (QAction* entry : std::as_const(MyFavorites)) {
        FavMenu.removeAction(entry);
        delete entry;
    }
    MyFavorites.clear();

    const FavoritesRead read = readFavorites(dataFolder);
    MyFavorites.reserve(read.favorites.size());
    for (const Favorite& favorite : read.favorites) {
        auto* entry = new QAction(menuCaption(favorite.title), &FavMenu);
        entry->setData(favorite.address);
        entry->setToolTip(favorite.address);
        const int index = int(MyFavorites.size());
        QObject::connect(entry, &QAction::triggered, &FavMenu, [click, index] { click(index); });
        FavMenu.addAction(entry);
        MyFavorites.append(entry);
    }
}

QString favoriteAddress(const QAction& entry) {
    return entry.data().toString();
}

} // namespace lumera::portal
