#pragma once

#include "portal/browser/FavoritesFile.h"

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace lumera::portal {

class Dialogs;

// The organise dialog "整理收藏夹": every favourite of Fav.rar in a two-column list; delete
// removes the selected one from the list, save rewrites Fav.rar from the list. Import adds the
// bookmarks of a browser's bookmark file to Fav.rar at once; export writes the list as one.
class FormDfg : public QDialog {
    Q_OBJECT
public:
    FormDfg(const QString& dataFolder, Dialogs& dialogs, QWidget* parent = nullptr);

    // Report-style list: "网站名称" and "网站地址".
    QTreeWidget* lvw;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* cmdImport;
    QPushButton* cmdExport;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void cmdImport_Click();
    void cmdExport_Click();

private:
    QList<Favorite> listedFavorites() const;
    // The file to import from (save false) or export to (save true), empty when the user
    // cancels. The export's dialog gives a name typed without a suffix ".html", before it
    // asks whether to replace an existing file.
    QString askFile(bool save);
    // Tells the user how an import or export went.
    void tell(const QString& text);

    QString dataFolder_;
    Dialogs& dialogs_;
};

} // namespace lumera::portal
