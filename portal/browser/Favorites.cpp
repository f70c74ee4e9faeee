#include "portal/browser/Favorites.h"

#include "portal/Dialogs.h"
#include "portal/FixedDialog.h"
#include "portal/browser/FavoritesFile.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// The dialogs' pictures are compiled into the portal library; a static library needs its
// resources registered by hand.
static void initFavoritesResources() {
    Q_INIT_RESOURCE(favorites);
}

namespace lumera::portal {

namespace {

constexpr int KeyRole = Qt::UserRole;

} // namespace

Favorites::Favorites(const QString& dataFolder, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dataFolder_(dataFolder), dialogs_(dialogs) {
    initFavoritesResources();
    setWindowTitle(QStringLiteral("添加到收藏夹"));
    setWindowIcon(QIcon(QStringLiteral(":/favorites/favorite.svg")));

    Label1 = new QLabel(QStringLiteral("《Lumera桌面》 将把该页添加到您的收藏夹列表中……"), this);
    Label1->setWordWrap(true);
    Image1 = new QLabel(this);
    Image1->setPixmap(QIcon(QStringLiteral(":/favorites/favorite.svg")).pixmap(48, 48));
    txtTitle = new QLineEdit(this);
    txtUrl = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("选择目录(&S)："), this);
    tvw = new QTreeWidget(this);
    tvw->setHeaderHidden(true);
    Label2->setBuddy(tvw);
    Command1 = new QPushButton(QStringLiteral("新建目录"), this);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(Label1, 1);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("名称："), this), 0, 0);
    fields->addWidget(txtTitle, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("网址："), this), 1, 0);
    fields->addWidget(txtUrl, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto* tree = new QHBoxLayout;
    tree->addWidget(tvw, 1);
    tree->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addWidget(Label2);
    layout->addLayout(tree, 1);
    fixDialogSize(this, QSize(440, 380));

    connect(txtTitle, &QLineEdit::textChanged, this, &Favorites::txtTitle_Change);
    connect(txtUrl, &QLineEdit::textChanged, this, &Favorites::txtUrl_Change);
    connect(Command1, &QPushButton::clicked, this, &Favorites::Command1_Click);
    connect(cmdOK, &QPushButton::clicked, this, &Favorites::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Favorites::cmdCancel_Click);

    Form_Load();
}

QString Favorites::nodeKey(const QTreeWidgetItem& node) {
    return node.data(0, KeyRole).toString();
}

void Favorites::Form_Load() {
    ImageList1 = QIcon(QStringLiteral(":/favorites/category.svg"));
    tvw->setIconSize(QSize(16, 16));
    LoadFolderTree();
}

QTreeWidgetItem* Favorites::addNode(QTreeWidgetItem* parent, const QString& key,
                                    const QString& text) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tvw);
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    node->setIcon(0, ImageList1);
    return node;
}

void Favorites::LoadFolderTree() {
    tvw->clear();
    QTreeWidgetItem* root = addNode(nullptr, QStringLiteral("group"), QStringLiteral("我的收藏"));
    QTreeWidgetItem* last = root;
    const QDir folder(favoritesFolderPath(dataFolder_));
    const QStringList names =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        last = addNode(root, name + QLatin1Char('\\'), name);
    tvw->expandItem(root);
    tvw->scrollToItem(last);
    tvw->setCurrentItem(last);
    tvw->setFocus();
}

void Favorites::txtTitle_Change() {
    txtTitle->setToolTip(txtTitle->text());
}

void Favorites::txtUrl_Change() {
    txtUrl->setToolTip(txtUrl->text());
}

void Favorites::Command1_Click() {
    const QString answer = dialogs_.askText(this, QStringLiteral("请输入新的分类目录"),
                                            QStringLiteral("新建目录"), QStringLiteral("网址之家"));
    if (answer.isEmpty())
        return;
    // An existing folder or a name the file system refuses is no error: the tree is listed
    // again either way. The answer is one folder name, never a path.
    if (!answer.contains(QLatin1Char('/')) && answer != QLatin1String(".") &&
        answer != QLatin1String(".."))
        QDir().mkpath(favoritesFolderPath(dataFolder_) + answer);
    LoadFolderTree();
}

void Favorites::cmdOK_Click() {
    if (txtUrl->text().isEmpty() || txtTitle->text().isEmpty())
        return;
    QString title = txtTitle->text().left(TitleLength);
    if (title.size() == TitleLength && title.back().isHighSurrogate())
        title.chop(1);
    txtTitle->setText(title);
    // A failed write is skipped like every step here; the dialog closes.
    appendFavorite(dataFolder_, Favorite{txtTitle->text(), txtUrl->text()});
    accept();
}

void Favorites::cmdCancel_Click() {
    reject();
}

} // namespace lumera::portal
