#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace lumera::portal {

// The organise dialog "整理收藏夹": every favourite of Fav.rar in a two-column list; delete
// removes the selected one from the list, save rewrites Fav.rar from the list.
class FormDfg : public QDialog {
    Q_OBJECT
public:
    explicit FormDfg(const QString& dataFolder, QWidget* parent = nullptr);

    // Report-style list: "网站名称" and "网站地址".
    QTreeWidget* lvw;
    QPushButton* Command1;
    QPushButton* Command2;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    QString dataFolder_;
};

} // namespace lumera::portal
