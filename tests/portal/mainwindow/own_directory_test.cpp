#include "platform/text/LockedFileUpdate.h"
#include "portal/directory/DirectoryOverlay.h"
#include "portal/directory/DirectoryTree.h"
#include "portal/directory/LeafDialog.h"
#include "portal/mainwindow/Frmmain.h"
#include "support/FrmmainHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;

namespace {

const QString kIqiyi = QStringLiteral("https://www.iqiyi.com/dianying/"); // node 15

TEST(DirectoryOverlayFile, WholeFilesRoundTripAndAnythingElseIsIgnored) {
    DirectoryOverlay overlay;
    addOwnLeaf(overlay, "channel", "film", "我的\t电影", "http://127.0.0.1/电影");
    overlay.changed.append({"radio", "cri", "/radio/", "file:///home/me/radio.html"});
    overlay.changed.append({"channel", "iqiyi", "/dianying/", ""});
    const QByteArray bytes = directoryOverlayBytes(overlay);
    DirectoryOverlay expected = overlay;
    expected.added[0].caption = "我的 电影";
    EXPECT_EQ(parseDirectoryOverlay(bytes), expected);
    // As an editor may save it: a byte-order mark, a lone CR, CR LF, blanks at the ends.
    QByteArray edited = "\xEF\xBB\xBF" + bytes;
    edited[edited.indexOf('\n')] = '\r';
    edited.replace("\n", " \r\n").replace("\tfilm\t", "\t film \t");
    EXPECT_EQ(parseDirectoryOverlay(edited), expected) << edited.toStdString();

    const QByteArray line = "add\tchannel\tfilm\tx\t";
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("junk\n"), bytes.left(bytes.size() - 4),
          QByteArray(bytes).replace("http://127.0.0.1/", "ftp://127.0.0.1/"),
          QByteArray(bytes).replace("channel", "tv"), QByteArray(bytes).replace("\tfilm", ""),
          "Lumera directory 1\n" + line + "http://\nend\n",
          "Lumera directory 1\n" + line + "http://a/\xff\nend\n"})
        EXPECT_FALSE(parseDirectoryOverlay(bad)) << bad.toStdString();
}

TEST(DirectoryOverlayFile, ChangesLayOverTheTablesWithKeysKeptUnique) {
    SiteTable sites;
    const Directory& channels = channelDirectory();
    const QList<ShownLeaf> plain = shownLeaves(channels, sites, {});
    DirectoryOverlay overlay;
    addOwnLeaf(overlay, "channel", "film", "自己的", "http://127.0.0.1/own");
    addOwnLeaf(overlay, "channel", "film", "重复", plain[4].address);        // already shown
    addOwnLeaf(overlay, "channel", "nogroup", "无组", "http://127.0.0.1/x"); // no such group
    addOwnLeaf(overlay, "radio", "film", "别的目录", "http://127.0.0.1/r");
    ShownLeaf first = plain[0], iqiyi = plain[1], third = plain[2];
    removeShownLeaf(overlay, "channel", first);
    changeShownLeaf(overlay, "channel", iqiyi, "http://127.0.0.1/moved");
    changeShownLeaf(overlay, "channel", third, plain[3].address); // would be a twin: ignored

    const QList<ShownLeaf> shown = shownLeaves(channels, sites, overlay);
    ASSERT_EQ(shown.size(), 118);
    EXPECT_EQ(shown[0].address, "http://127.0.0.1/moved");
    EXPECT_EQ(shown[1].address, third.address);
    EXPECT_EQ(shown[25].caption, "自己的"); // after the last built-in film leaf
    EXPECT_TRUE(shown[25].own);
    EXPECT_EQ(shown[25].image, 3);
    EXPECT_EQ(shown[26].group, "bang");

    // A change follows the site when sites.ini moves its host.
    SiteTable moved;
    moved.setOrigin(iqiyi.service, "http://127.0.0.1:8080");
    EXPECT_EQ(shownLeaves(channels, moved, overlay)[0].address, "http://127.0.0.1/moved");
    // The user's own leaf is edited in place and removed for good, twins (as an older file
    // may hold them) with it.
    EXPECT_TRUE(showsAddress(channels, sites, overlay, "http://127.0.0.1/own"));
    overlay.added.append(overlay.added[0]);
    EXPECT_TRUE(changeShownLeaf(overlay, "channel", shown[25], "http://127.0.0.1/own2"));
    EXPECT_EQ(overlay.added[0].address, "http://127.0.0.1/own2");
    EXPECT_EQ(overlay.added.size(), 4);
    overlay.added.append(overlay.added[0]);
    EXPECT_TRUE(removeShownLeaf(overlay, "channel", shownLeaves(channels, sites, overlay)[25]));
    EXPECT_FALSE(removeShownLeaf(overlay, "channel", shown[25]));
    EXPECT_EQ(overlay.added.size(), 3);
    EXPECT_EQ(shownLeaves(channels, sites, overlay).size(), 117);
}

class OwnDirectoryTest : public ::testing::Test {
protected:
    FrmmainHarness harness;
    Frmmain* window = harness.open();
    // The answers to the dialogs to come, in turn: "caption|address" or "cancel" for the
    // leaf dialog, "yes" or "no" for a question.
    QStringList& answers = harness.dialogs.answers;
    // The texts of the messages shown.
    QStringList& told = harness.dialogs.informed;

    void SetUp() override {
        harness.dialogs.answerDialog = [](QDialog& dialog, const QString& answer) {
            auto* leaf = qobject_cast<LeafDialog*>(&dialog);
            ASSERT_NE(leaf, nullptr);
            if (answer == "cancel")
                return leaf->reject();
            if (!answer.startsWith('|'))
                leaf->txtCaption->setText(answer.section('|', 0, 0));
            leaf->txtAddress->setText(answer.section('|', 1));
            leaf->cmdOK->click();
        };
    }
    void select(int index) {
        window->tvw->clearSelection();
        nodeAt(*window->tvw, index)->setSelected(true);
    }
    QTreeWidgetItem* selected() const { return window->tvw->selectedItems().value(0); }
    int nodes() const { return nodesInOrder(*window->tvw).size(); }
    QString overlayFile() const { return directoryOverlayPath(harness.context.userDataFolder); }
};

} // namespace

TEST_F(OwnDirectoryTest, AddRemoveChangeAndRestore) {
    select(1); // the root has no group
    window->enableTvwListCommands();
    EXPECT_FALSE(window->AddTvwList->isEnabled());
    EXPECT_FALSE(window->DelTvwList->isEnabled());
    select(15);
    window->enableTvwListCommands();
    EXPECT_TRUE(window->AddTvwList->isEnabled() && window->DelTvwList->isEnabled() &&
                window->ChangeTvwLink->isEnabled());

    // Refused addresses and a cancel add nothing.
    answers = {"坏的|ftp://127.0.0.1/", "|http://127.0.0.1/", "cancel"};
    for (int i = 0; i < 3; ++i)
        window->AddTvwList_Click();
    EXPECT_FALSE(QFile::exists(overlayFile()));

    answers = {"我的电影|http://127.0.0.1/mine"};
    window->AddTvwList_Click();
    EXPECT_EQ(nodes(), 132);
    ASSERT_NE(selected(), nullptr);
    EXPECT_EQ(nodeIndex(selected()), 40); // after the 26 film leaves
    EXPECT_EQ(nodeKey(selected()), "http://127.0.0.1/mine");
    EXPECT_EQ(nodeKey(selected()->parent()), "film");
    // The groups keep their places, so the collapse and expand commands still work.
    window->ShortTvw_Click();
    EXPECT_FALSE(nodeAt(*window->tvw, 2)->isExpanded());
    window->TvwAppend_Click();
    EXPECT_TRUE(nodeAt(*window->tvw, 13)->isExpanded());

    // An address the tree holds selects its leaf.
    select(20);
    answers = {"又一个|" + kIqiyi};
    window->AddTvwList_Click();
    EXPECT_EQ(nodes(), 132);
    EXPECT_EQ(nodeIndex(selected()), 15);

    // A changed address; a removal asked first; a second window builds the same.
    answers = {"|http://127.0.0.1/iqiyi"};
    window->ChangeTvwLink_Click();
    EXPECT_EQ(nodeKey(selected()), "http://127.0.0.1/iqiyi");
    EXPECT_EQ(nodeIndex(selected()), 15);
    select(14);
    answers = {"no"};
    window->DelTvwList_Click();
    EXPECT_EQ(nodes(), 132);
    answers = {"yes"};
    window->DelTvwList_Click();
    EXPECT_EQ(nodes(), 131);
    EXPECT_EQ(nodeAt(*window->tvw, 14)->text(0), "爱奇艺电影");
    Frmmain* second = harness.open();
    EXPECT_EQ(nodeKey(nodeAt(*second->tvw, 14)), "http://127.0.0.1/iqiyi");
    EXPECT_EQ(nodeAt(*second->tvw, 39)->text(0), "我的电影");

    answers = {"no", "yes"};
    window->ResetTvwList_Click();
    EXPECT_TRUE(QFile::exists(overlayFile()));
    window->ResetTvwList_Click();
    EXPECT_FALSE(QFile::exists(overlayFile()));
    EXPECT_EQ(nodes(), 131);
    EXPECT_EQ(nodeKey(nodeAt(*window->tvw, 15)), kIqiyi);
    EXPECT_TRUE(answers.isEmpty());
}

TEST_F(OwnDirectoryTest, RadioLeavesAndBrokenFiles) {
    window->loadRadio();
    select(3); // group "china"
    answers = {"我的电台|http://127.0.0.1/fm"};
    window->AddTvwList_Click();
    EXPECT_EQ(nodes(), 41);
    EXPECT_EQ(nodeKey(selected()->parent()), "china");
    window->LoadChannels(); // the channel directory is untouched
    EXPECT_EQ(nodes(), 131);

    // A damaged file shows the built-in directory, and is never written over: the next edit
    // keeps it aside, whole, and says so.
    const QStringList asides{"directory.txt.bad", "directory.txt.bad-2"};
    const QList<QByteArray> junks{QByteArray("\x00\xff junk", 7),
                                  "Lumera directory 1\nadd\tradio\tchina\t我的\t"};
    for (int i = 0; i < 2; ++i) {
        QFile file(overlayFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(junks[i]);
        file.close();
        window->loadRadio();
        EXPECT_EQ(nodes(), 40);
        select(4);
        answers = {"又一个|http://127.0.0.1/fm2"};
        window->AddTvwList_Click();
        EXPECT_EQ(nodes(), 41);
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told.takeFirst().contains(asides[i]));
        const QDir folder(harness.context.userDataFolder);
        ASSERT_EQ(folder.entryList({"directory.txt.bad*"}), asides.mid(0, i + 1));
        QFile kept(folder.filePath(asides[i]));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), junks[i]);
    }
    // A file that cannot be read (a folder in its place) is left alone, the edit refused with
    // a message and the tree left as it was.
    ASSERT_TRUE(QFile::remove(overlayFile()) && QDir().mkpath(overlayFile()));
    select(3);
    answers = {"又一个|http://127.0.0.1/fm3"};
    window->AddTvwList_Click();
    EXPECT_TRUE(answers.isEmpty());
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(nodes(), 40);
    EXPECT_TRUE(QFileInfo(overlayFile()).isDir());
}

TEST_F(OwnDirectoryTest, EditsBuildOnWhatOtherWindowsSaved) {
    Frmmain* second = harness.open(); // its tree is built before the first window's edits
    const auto useSecond = [&] { std::swap(window, second); };
    select(14);
    answers = {"我的电影|http://127.0.0.1/mine"};
    window->AddTvwList_Click();
    useSecond();
    select(14);
    answers = {"又是我的|http://127.0.0.1/mine"};
    window->AddTvwList_Click();
    EXPECT_EQ(nodeKey(selected()), "http://127.0.0.1/mine");
    EXPECT_EQ(nodes(), 132);
    EXPECT_EQ(readSmallTextFile(overlayFile(), 1 << 20).count("http://127.0.0.1/mine"), 1);
    // The first window, still showing the leaf, removes it: it stays removed everywhere.
    useSecond();
    select(40);
    answers = {"yes"};
    window->DelTvwList_Click();
    EXPECT_EQ(nodes(), 131);
    EXPECT_EQ(nodeWithKey(*harness.open()->tvw, "http://127.0.0.1/mine"), nullptr);
}
