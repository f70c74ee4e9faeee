#include "platform/text/AnsiCodec.h"
#include "portal/browser/Favorites.h"
#include "portal/browser/FavoritesFile.h"
#include "portal/browser/FavoritesMenu.h"
#include "portal/browser/FormDfg.h"
#include "support/FrmmainHarness.h"
#include "support/TestDialogs.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using lumera::encodeAnsi;
using namespace lumera::portal;

namespace {

class FavoritesTest : public ::testing::Test {
protected:
    void SetUp() override { lumera::test::ensureTestApplication(); }
    void writeList(const QByteArray& bytes) { folder.write("Fav.rar", bytes); }
    QByteArray list() const { return folder.read("Fav.rar"); }
    QList<Favorite> read() const { return readFavorites(folder.path()).favorites; }

    lumera::test::TestFolder folder;
    lumera::test::TestDialogs dialogs;
};

TEST_F(FavoritesTest, LinesSplitAtTheirFirstComma) {
    writeList(
        encodeAnsi("A,B,C\r\n\r\n,http://127.0.0.1/x\r\n\r\n\r\n电影,http://127.0.0.1/电\r\n"));
    const FavoritesRead result = readFavorites(folder.path());
    EXPECT_TRUE(result.fileFound);
    EXPECT_TRUE(result.complete);
    const QList<Favorite> expected = {
        {"A", "B,C"}, {"", "http://127.0.0.1/x"}, {"电影", "http://127.0.0.1/电"}};
    EXPECT_EQ(result.favorites, expected);

    // A line without a comma ends the list there.
    writeList("one,1\r\nno comma here\r\ntwo,2\r\n");
    const FavoritesRead cut = readFavorites(folder.path());
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.favorites, (QList<Favorite>{{"one", "1"}}));

    QFile::remove(folder.file("Fav.rar"));
    EXPECT_FALSE(readFavorites(folder.path()).fileFound);
}

TEST_F(FavoritesTest, CommaInATitleReadsBackAsTyped) {
    ASSERT_TRUE(appendFavorite(folder.path(), {"Films, new", "http://127.0.0.1/a,b"}));
    ASSERT_TRUE(appendFavorite(folder.path(), {"第二", "http://127.0.0.1/2"}));
    EXPECT_EQ(list(),
              encodeAnsi("Films， new,http://127.0.0.1/a,b\r\n第二,http://127.0.0.1/2\r\n"));
    EXPECT_EQ(read(), (QList<Favorite>{{"Films， new", "http://127.0.0.1/a,b"},
                                       {"第二", "http://127.0.0.1/2"}}));

    // A list edited by hand without a last line ending still gets a line of its own.
    writeList("one,1");
    appendFavorite(folder.path(), {"two", "2"});
    EXPECT_EQ(list(), "one,1\r\ntwo,2\r\n");
}

TEST_F(FavoritesTest, ListsInUtf8LongLinesAndManyLinesAllRead) {
    writeList(QString("电影,http://127.0.0.1/a\r\n").toUtf8() +
              encodeAnsi("音乐,http://127.0.0.1/b\r\n"));
    EXPECT_EQ(read(),
              (QList<Favorite>{{"电影", "http://127.0.0.1/a"}, {"音乐", "http://127.0.0.1/b"}}));

    const QByteArray longTitle(1024 * 1024, 'T');
    QByteArray many = longTitle + ",http://127.0.0.1/long\r\n";
    for (int i = 0; i < 5000; ++i)
        many += encodeAnsi(QString("站%1,http://127.0.0.1/%1\r\n").arg(i));
    writeList(many);
    const QList<Favorite> all = read();
    ASSERT_EQ(all.size(), 5001);
    EXPECT_EQ(all[0].title.size(), longTitle.size());
    EXPECT_EQ(all[5000], (Favorite{"站4999", "http://127.0.0.1/4999"}));
}

TEST_F(FavoritesTest, MenuListsExactlyTheFileInOrder) {
    QMenu favMenu;
    favMenu.addAction("添加到收藏夹");
    favMenu.addAction("整理收藏夹");
    favMenu.addSeparator();
    QList<QAction*> entries;
    QList<int> clicked;
    const auto click = [&](int index) { clicked.append(index); };

    QByteArray five;
    for (int i = 1; i <= 5; ++i)
        five += "t" + QByteArray::number(i) + ",http://127.0.0.1/" + QByteArray::number(i) + "\r\n";
    writeList(five);
    LoadFavoritesMenu(favMenu, entries, folder.path(), click);
    EXPECT_EQ(favMenu.actions().size(), 8);

    writeList("A & B,http://127.0.0.1/a\r\n\r\nt2,http://127.0.0.1/2\r\nt3,http://127.0.0.1/3\r\n");
    LoadFavoritesMenu(favMenu, entries, folder.path(), click);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(favMenu.actions().size(), 6);
    EXPECT_EQ(favMenu.actions().mid(3), entries);
    EXPECT_EQ(entries[0]->text(), "A && B");
    EXPECT_EQ(favoriteAddress(*entries[2]), "http://127.0.0.1/3");
    entries[1]->trigger();
    EXPECT_EQ(clicked, QList<int>{1});

    QByteArray lots;
    for (int i = 0; i < 150; ++i)
        lots += "t,http://127.0.0.1/" + QByteArray::number(i) + "\r\n";
    writeList(lots);
    LoadFavoritesMenu(favMenu, entries, folder.path(), click);
    EXPECT_EQ(entries.size(), 150);
    EXPECT_EQ(favoriteAddress(*entries[149]), "http://127.0.0.1/149");

    // With no favourite only the three fixed items remain.
    QFile::remove(folder.file("Fav.rar"));
    LoadFavoritesMenu(favMenu, entries, folder.path(), click);
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_EQ(favMenu.actions().size(), 3);
}

TEST_F(FavoritesTest, AddDialogStoresTheFirstFortyCharactersOfTheTitle) {
    Favorites dialog(folder.path(), dialogs);
    dialog.txtUrl->setText("http://127.0.0.1/page?a=1");
    EXPECT_EQ(dialog.txtUrl->toolTip(), "http://127.0.0.1/page?a=1");

    // Either box empty: nothing happens and the dialog stays.
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(QFileInfo::exists(folder.file("Fav.rar")));

    const QString title = QString(40, QChar(u'影')) + "12345";
    dialog.txtTitle->setText(title);
    EXPECT_EQ(dialog.txtTitle->toolTip(), title);
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(list(), encodeAnsi(QString(40, QChar(u'影')) + ",http://127.0.0.1/page?a=1\r\n"));

    Favorites cancelled(folder.path(), dialogs);
    cancelled.txtTitle->setText("x");
    cancelled.txtUrl->setText("y");
    cancelled.cmdCancel->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(read().size(), 1);
}

TEST_F(FavoritesTest, NewCategoryAsksAndListsTheFolders) {
    QDir().mkpath(folder.file("Favorites/电影"));
    Favorites dialog(folder.path(), dialogs);
    ASSERT_EQ(dialog.tvw->topLevelItemCount(), 1);
    QTreeWidgetItem* root = dialog.tvw->topLevelItem(0);
    EXPECT_EQ(Favorites::nodeKey(*root), "group");
    EXPECT_EQ(root->text(0), "我的收藏");
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(Favorites::nodeKey(*root->child(0)), "电影\\");

    dialogs.answers = {""}; // cancelled
    dialog.Command1->click();
    EXPECT_EQ(dialogs.textsAsked,
              (QList<QStringList>{{"请输入新的分类目录", "新建目录", "网址之家"}}));
    EXPECT_EQ(QDir(folder.file("Favorites")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
              1);

    dialogs.answers = {"网址之家"};
    dialog.Command1->click();
    root = dialog.tvw->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_TRUE(QFileInfo(folder.file("Favorites/网址之家")).isDir());
    EXPECT_EQ(dialog.tvw->currentItem(), root->child(1));

    // Again: the folder exists, the tree is listed again unchanged.
    dialogs.answers = {"网址之家"};
    dialog.Command1->click();
    EXPECT_EQ(dialog.tvw->topLevelItem(0)->childCount(), 2);

    // A name is a folder name, never a way out of the favourites folder.
    dialogs.answers = {"../escape"};
    dialog.Command1->click();
    EXPECT_FALSE(QFileInfo::exists(folder.file("escape")));
}

TEST_F(FavoritesTest, OrganiseDialogDeletesAndSaves) {
    writeList("a,1\r\nb,2\r\n\r\nc,3\r\nd,4\r\n");
    {
        FormDfg dialog(folder.path(), dialogs);
        ASSERT_EQ(dialog.lvw->topLevelItemCount(), 4);
        EXPECT_EQ(dialog.lvw->topLevelItem(2)->text(0), "c");
        EXPECT_EQ(dialog.lvw->topLevelItem(2)->text(1), "3");
        dialog.Command1->click(); // no selection: nothing
        EXPECT_EQ(dialog.lvw->topLevelItemCount(), 4);
        dialog.lvw->topLevelItem(1)->setSelected(true);
        dialog.Command1->click();
        dialog.lvw->topLevelItem(2)->setSelected(true);
        dialog.Command1->click();
        // Closed without saving: the file is as it was.
    }
    EXPECT_EQ(list(), "a,1\r\nb,2\r\n\r\nc,3\r\nd,4\r\n");

    FormDfg dialog(folder.path(), dialogs);
    dialog.lvw->topLevelItem(1)->setSelected(true);
    dialog.Command1->click();
    dialog.lvw->topLevelItem(2)->setSelected(true);
    dialog.Command1->click();
    dialog.Command2->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(list(), "a,1\r\nc,3\r\n");

    FormDfg emptying(folder.path(), dialogs);
    while (emptying.lvw->topLevelItemCount() > 0) {
        emptying.lvw->topLevelItem(0)->setSelected(true);
        emptying.Command1->click();
    }
    emptying.Command2->click();
    EXPECT_TRUE(QFileInfo::exists(folder.file("Fav.rar")));
    EXPECT_EQ(list(), QByteArray());
}

} // namespace
