#include "portal/browser/FormDfg.h"

#include "platform/text/TextFile.h"
#include "portal/Dialogs.h"
#include "portal/ProgramTexts.h"
#include "portal/browser/BookmarkFile.h"
#include "portal/browser/FavoritesFile.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumera::portal {

FormDfg::FormDfg(const QString& dataFolder, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dataFolder_(dataFolder), dialogs_(dialogs) {
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
    cmdImport = new QPushButton(QStringLiteral("导入…"), this);
    cmdExport = new QPushButton(QStringLiteral("导出…"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdExport);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvw, 1);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(Command1, &QPushButton::clicked, this, &FormDfg::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormDfg::Command2_Click);
    connect(cmdImport, &QPushButton::clicked, this, &FormDfg::cmdImport_Click);
    connect(cmdExport, &QPushButton::clicked, this, &FormDfg::cmdExport_Click);
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

QList<Favorite> FormDfg::listedFavorites() const {
    QList<Favorite> favorites;
    favorites.reserve(lvw->topLevelItemCount());
    for (int i = 0; i < lvw->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvw->topLevelItem(i);
        favorites.append(Favorite{item->text(0), item->text(1)});
    }
    return favorites;
}

QString FormDfg::askFile(bool save) {
    FileQuestion question;
    question.caption = save ? QStringLiteral("导出书签") : QStringLiteral("导入书签");
    question.folder = QDir::homePath();
    question.filter = QStringLiteral("书签文件 (*.html *.htm);;所有文件 (*)");
    question.save = save;
    if (save) {
        question.proposedName = QStringLiteral("bookmarks.html");
        question.defaultSuffix = QStringLiteral("html");
    }
    return dialogs_.askFile(this, question);
}

void FormDfg::tell(const QString& text) {
    dialogs_.information(this, text);
}

void FormDfg::Command1_Click() {
    const QList<QTreeWidgetItem*> selected = lvw->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    delete item;
}

void FormDfg::Command2_Click() {
    const QList<Favorite> favorites = listedFavorites();
    // A save that fails keeps the dialog and its list open.
    if (writeFavorites(dataFolder_, favorites))
        accept();
}

void FormDfg::cmdImport_Click() {
    const QString path = askFile(false);
    if (path.isEmpty())
        return;
    const BookmarkRead read = readBookmarkFile(path);
    if (!read.error.isEmpty()) {
        tell(read.error + QStringLiteral("\n收藏夹没有改变。"));
        return;
    }
    QSet<QString> known;
    for (const Favorite& favorite : readFavorites(dataFolder_).favorites)
        known.insert(favorite.address);
    QList<Favorite> added;
    for (const Favorite& bookmark : read.bookmarks) {
        if (!known.contains(bookmark.address)) {
            known.insert(bookmark.address);
            added.append(bookmark);
        }
    }
    if (!added.isEmpty() && !appendFavorites(dataFolder_, added)) {
        tell(QStringLiteral("无法写入收藏夹，收藏夹没有改变。"));
        return;
    }
    // The list shows what the file now holds, as it would read back.
    for (const Favorite& favorite : added) {
        const Favorite stored = parseFavoriteLine(favoriteLine(favorite)).value_or(favorite);
        lvw->addTopLevelItem(new QTreeWidgetItem(QStringList{stored.title, stored.address}));
    }
    tell(QStringLiteral("导入了 %1 个书签，%2 个已在收藏夹中。")
             .arg(added.size())
             .arg(read.bookmarks.size() - added.size()));
}

void FormDfg::cmdExport_Click() {
    const QString path = askFile(true);
    if (path.isEmpty())
        return;
    const QList<Favorite> favorites = listedFavorites();
    if (writeFileAtomically(path, bookmarkHtml(favorites)))
        tell(QStringLiteral("已把 %1 个收藏导出到 %2。")
                 .arg(favorites.size())
                 .arg(QDir::toNativeSeparators(path)));
    else
        tell(QStringLiteral("无法写入文件 %1。").arg(QDir::toNativeSeparators(path)));
}

} // namespace lumera::portal
