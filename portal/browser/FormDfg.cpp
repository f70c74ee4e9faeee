#include "portal/browser/FormDfg.h"

#include "portal/browser/FavoritesFile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumera::portal {

FormDfg::FormDfg(const QString& dataFolder, QWidget* parent)
    : QDialog(parent), dataFolder_(dataFolder) {
    setWindowTitle(QStringLiteral("整理收藏夹"));

    lvw = new QTreeWidget(this);
    lvw->setRootIsDecorated(false);
    lvw->setUniformRowHeights(true);
    lvw->setAllColumnsShowFocus(true);
    lvw->setSelectionMode(QAbstractItemView::SingleSelection);
    lvw->setHeaderLabels({QStringLiteral("网站名称"), QStringLiteral("网站地址")});
    lvw->header()->resizeSection(0, 200);
    Command1 = new QPushButton(QStringLiteral("删除(&D)"), this);
    Command2 = new QPushButton(QStringLiteral("保存(&S)"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvw, 1);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(Command1, &QPushButton::clicked, this, &FormDfg::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormDfg::Command2_Click);

    Form_Load();
}

void FormDfg::Form_Load() {
    const FavoritesRead read = readFavorites(dataFolder_);
    QList<QTreeWidgetItem*> items;
    items.reserve(read.favorites.size());
    for (const Favorite& favorite : read.favorites)
        items.append(new QTreeWidgetItem(QStringList{favorite.title, favorite.address}));
    lvw->addTopLevelItems(items);
}

void FormDfg::Command1_Click() {
    const QList<QTreeWidgetItem*> selected = lvw->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    delete item;
}

void FormDfg::Command2_Click() {
    QList<Favorite> favorites;
    favorites.reserve(lvw->topLevelItemCount());
    for (int i = 0; i < lvw->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvw->topLevelItem(i);
        favorites.append(Favorite{item->text(0), item->text(1)});
    }
    // A save that fails keeps the dialog and its list open.
    if (writeFavorites(dataFolder_, favorites))
        accept();
}

} // namespace lumera::portal
