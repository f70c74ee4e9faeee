#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace lumera::portal {

// Rebuilds the favourite entries (MyFavorites) at the end of the favourites pop-up menu from
// Fav.rar: the entries of the last refresh are removed, then one entry per favourite is
// added in file order, its caption the title and its data the address. A line without a comma
// ends the list there. Choosing entry i calls `click(i)`.
void LoadFavoritesMenu(QMenu& FavMenu, QList<QAction*>& MyFavorites, const QString& dataFolder,
                       const std::function<void(int index)>& click);

// The address an entry of MyFavorites carries.
QString favoriteAddress(const QAction& entry);

} // namespace lumera::portal
