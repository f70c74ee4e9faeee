#include "platform/text/AnsiCodec.h"
#include "portal/browser/BookmarkFile.h"
#include "portal/browser/FavoritesFile.h"
#include "portal/browser/FormDfg.h"
#include "support/FrmmainHarness.h"
#include "support/TestDialogs.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using lumera::encodeAnsi;
using namespace lumera::portal;

namespace {

// As a browser of the Firefox family saves its bookmarks: a menu folder, a toolbar folder
// nested in it, separators, descriptions, icons and query bookmarks that are no pages.
const QByteArray kFirefoxFile = R"bm(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<meta http-equiv="Content-Security-Policy"
      content="default-src 'self'; script-src 'none'; img-src data: *; object-src 'none'"></meta>
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>

<DL><p>
    <DT><A HREF="place:parent=menu________&queryType=1&sort=12&maxResults=10" ADD_DATE="1700000000">Recent Tags</A>
    <HR>    <DT><A HREF="https://127.0.0.1/films?a=1&amp;b=2" ADD_DATE="1700000001" LAST_MODIFIED="1700000002" ICON_URI="https://127.0.0.1/favicon.ico" ICON="data:image/png;base64,iVBORw0KGgo=">电影 &amp; 电视</A>
    <DD>看电影的好地方
    <DT><H3 ADD_DATE="1700000003" LAST_MODIFIED="1700000004" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks Toolbar</H3>
    <DL><p>
        <DT><H3 ADD_DATE="1700000005">音乐</H3>
        <DL><p>
            <DT><A HREF="http://127.0.0.1/radio/" ADD_DATE="1700000006">电台, 怀旧金曲</A>
        </DL><p>
        <DT><A HREF="javascript:alert(1)">小工具</A>
    </DL><p>
    <DT><A HREF="file:///home/me/page.html" ADD_DATE="1700000007"></A>
</DL>
)bm";

// As a browser of the Chromium family saves them: one toolbar folder with a nested folder.
const QByteArray kChromiumFile = R"bm(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks</H1>
<DL><p>
    <DT><H3 ADD_DATE="1700000000" LAST_MODIFIED="1700000001" PERSONAL_TOOLBAR_FOLDER="true">书签栏</H3>
    <DL><p>
        <DT><A HREF="http://127.0.0.1/tv/" ADD_DATE="1700000002" ICON="data:image/png;base64,AAAA">电视直播</A>
        <DT><H3 ADD_DATE="1700000003" LAST_MODIFIED="0">其他</H3>
        <DL><p>
            <DT><A HREF="https://127.0.0.1/a" ADD_DATE="1700000004">A &lt;b&gt; &#20013;&#x6587;</A>
        </DL><p>
    </DL><p>
</DL><p>
)bm";

class BookmarkTest : public ::testing::Test {
protected:
    void SetUp() override { lumera::test::ensureTestApplication(); }

    // An organise dialog whose file questions and messages go to `dialogs`.
    std::unique_ptr<FormDfg> dialog() { return std::make_unique<FormDfg>(folder.path(), dialogs); }
    QStringList listed(const FormDfg& form) const {
        QStringList rows;
        for (int i = 0; i < form.lvw->topLevelItemCount(); ++i)
            rows.append(form.lvw->topLevelItem(i)->text(0) + "|" +
                        form.lvw->topLevelItem(i)->text(1));
        return rows;
    }

    lumera::test::TestFolder folder;
    lumera::test::TestDialogs dialogs;
    QStringList& told = dialogs.informed;
};

} // namespace

TEST_F(BookmarkTest, BrowserFilesReadFlatInFileOrder) {
    const BookmarkRead firefox = parseBookmarkHtml(kFirefoxFile);
    ASSERT_TRUE(firefox.error.isEmpty()) << firefox.error.toStdString();
    EXPECT_EQ(firefox.bookmarks,
              (QList<Favorite>{{"电影 & 电视", "https://127.0.0.1/films?a=1&b=2"},
                               {"电台, 怀旧金曲", "http://127.0.0.1/radio/"},
                               {"file:///home/me/page.html", "file:///home/me/page.html"}}));
    const BookmarkRead chromium = parseBookmarkHtml(kChromiumFile);
    ASSERT_TRUE(chromium.error.isEmpty()) << chromium.error.toStdString();
    EXPECT_EQ(chromium.bookmarks, (QList<Favorite>{{"电视直播", "http://127.0.0.1/tv/"},
                                                   {"A <b> 中文", "https://127.0.0.1/a"}}));

    // A title of millions of '&' (no entity among them) reads in one pass.
    QElapsedTimer clock;
    clock.start();
    const QByteArray ampersands(3'000'000, '&');
    const BookmarkRead crafted =
        parseBookmarkHtml("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><DT><A HREF=\"http://x/\">" +
                          ampersands + "&amp;</A></DL>");
    ASSERT_EQ(crafted.bookmarks.size(), 1);
    EXPECT_EQ(crafted.bookmarks[0].title, QString::fromLatin1(ampersands + '&'));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(BookmarkTest, MalformedFilesAreRefused) {
    const QByteArray cutInAList = kChromiumFile.left(kChromiumFile.indexOf("其他"));
    const QByteArray cutInABookmark = kChromiumFile.left(kChromiumFile.indexOf("电视直播"));
    QByteArray noAddress = kChromiumFile;
    noAddress.replace("HREF=\"http://127.0.0.1/tv/\"", "");
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("<html><body><a href=\"http://x/\">x</a></body></html>"),
          encodeAnsi("标题,http://127.0.0.1/\r\n"), cutInAList, cutInABookmark, noAddress,
          QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n"),
          QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL></DL></DL>"),
          QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><DT><A HREF=\"http://x/\"")})
        EXPECT_FALSE(parseBookmarkHtml(bytes).error.isEmpty()) << bytes.toStdString();
}

TEST_F(BookmarkTest, ImportAddsOnlyNewEntriesAndExportRoundTrips) {
    folder.write("Fav.rar", encodeAnsi("电视直播,http://127.0.0.1/tv/\r\n旧的,http://old/\r\n"));
    dialogs.answers = {folder.write("chromium.html", kChromiumFile)};
    auto form = dialog();
    form->cmdImport->click();
    EXPECT_EQ(folder.read("Fav.rar"), encodeAnsi("电视直播,http://127.0.0.1/tv/\r\n旧的,http://"
                                                 "old/\r\nA <b> 中文,https://127.0.0.1/a\r\n"));
    EXPECT_EQ(listed(*form).last(), "A <b> 中文|https://127.0.0.1/a");
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains("1")) << told[0].toStdString();

    // Firefox's file, whose title holds a comma: stored comma-safe, read back as typed.
    dialogs.answers = {folder.write("firefox.html", kFirefoxFile)};
    form->cmdImport->click();
    const QList<Favorite> stored = readFavorites(folder.path()).favorites;
    ASSERT_EQ(stored.size(), 6);
    EXPECT_EQ(stored[4], (Favorite{"电台， 怀旧金曲", "http://127.0.0.1/radio/"}));

    // Our own export reads back as the list it was made from, also where the title or the
    // address holds what would end a tag, an attribute or a bookmark, or looks like an entity.
    const Favorite awkward{"&amp; </A> \"引号\"", "http://127.0.0.1/q?a=\"1\"&b=<2>&amp;"};
    form->lvw->addTopLevelItem(new QTreeWidgetItem(QStringList{awkward.title, awkward.address}));
    dialogs.answers = {folder.file("out.html")};
    form->cmdExport->click();
    EXPECT_TRUE(dialogs.filesAsked.last().save && !dialogs.filesAsked.first().save);
    const BookmarkRead back = parseBookmarkHtml(folder.read("out.html"));
    EXPECT_TRUE(back.error.isEmpty());
    EXPECT_EQ(back.bookmarks, stored + QList<Favorite>{awkward});
    delete form->lvw->topLevelItem(form->lvw->topLevelItemCount() - 1);

    // A second import of the same file adds nothing.
    dialogs.answers = {folder.file("firefox.html")};
    form->cmdImport->click();
    EXPECT_EQ(readFavorites(folder.path()).favorites, stored);
}

TEST_F(BookmarkTest, ExportAsksAboutTheFileItWouldReplace) {
    folder.write("书签.html", "mine");
    // The real dialogs: "书签" typed into the export's file dialog, and the question that
    // follows answered No.
    QtDialogs real;
    FormDfg form(folder.path(), real);
    QStringList questions;
    bool typed = false;
    QTimer files, question;
    QObject::connect(&files, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (typed) {
            dialog->reject();
            return;
        }
        typed = true;
        dialog->setDirectory(folder.path());
        // Typed into the name box: selectFile leaves the box alone once it has the focus.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("书签");
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which asks
    });
    QObject::connect(&question, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            questions.append(box->text());
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->accept();
        }
    });
    files.start(20);
    question.start(20);
    form.cmdExport->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("书签.html")) << questions[0].toStdString();
    EXPECT_EQ(folder.read("书签.html"), "mine");
}

TEST_F(BookmarkTest, AFailedImportChangesNothing) {
    const QByteArray before = encodeAnsi("a,http://a/\r\n");
    folder.write("Fav.rar", before);
    auto form = dialog();
    // Too large to import, said without reading it (sparse, so it costs no disk).
    const QString huge = folder.write("huge.html", kFirefoxFile);
    ASSERT_TRUE(QFile(huge).resize(qint64(3) << 30));
    for (const QString& file :
         {folder.write("junk.html", "<html>no</html>"),
          folder.write("cut.html", kFirefoxFile.left(900)), folder.file("missing.html"), huge}) {
        dialogs.answers = {file};
        told.clear();
        form->cmdImport->click();
        EXPECT_EQ(told.size(), 1) << file.toStdString();
        EXPECT_EQ(folder.read("Fav.rar"), before);
        EXPECT_EQ(listed(*form), QStringList{"a|http://a/"});
    }
    EXPECT_TRUE(told[0].contains("太大")) << told[0].toStdString();
    dialogs.answers = {"", ""}; // cancelled: not even a message
    told.clear();
    form->cmdImport->click();
    form->cmdExport->click();
    EXPECT_TRUE(told.isEmpty());
}
