#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumera::portal {

class Dialogs;

// The add-favourite dialog "添加到收藏夹": the current page's title and address, the category
// tree of the favourites folder, and OK, which appends the favourite to Fav.rar.
class Favorites : public QDialog {
    Q_OBJECT
public:
    Favorites(const QString& dataFolder, Dialogs& dialogs, QWidget* parent = nullptr);

    // Tree-node keys: "group" for the root, folder name + "\" for a category.
    static QString nodeKey(const QTreeWidgetItem& node);
    static constexpr int TitleLength = 40;

    QLabel* Label1;
    QLabel* Image1;
    QLineEdit* txtTitle;
    QLineEdit* txtUrl;
    QLabel* Label2;
    QTreeWidget* tvw;
    QPushButton* Command1;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    // The tree's image 1.
    QIcon ImageList1;

    void Form_Load();
    void LoadFolderTree();
    void txtTitle_Change();
    void txtUrl_Change();
    void Command1_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text);

    QString dataFolder_;
    Dialogs& dialogs_;
};

} // namespace lumera::portal
