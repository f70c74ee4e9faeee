#include "MovieTestSupport.h"
#include "platform/desktop/FakePointer.h"
#include "platform/settings/SettingsStore.h"
#include "platform/web/FakeWebBrowser.h"
#include "saver/SaverPaths.h"
#include "saver/modes/FakeMoviePlayer.h"
#include "saver/modes/MovieFile.h"
#include "saver/modes/MovieFolder.h"
#include "saver/modes/SaverContext.h"
#include "saver/modes/frmmain.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace lumera::saver {
namespace {

// A movie's bytes that say which movie it is.
QByteArray movieBytes(const QString& name) {
    return "FWS\x0a" + name.toUtf8();
}

class MovieModesTest : public ::testing::Test {
protected:
    MovieModesTest() : settings_(root_.file("config")) { test::saverTestApp(); }

    void SetUp() override {
        QDir().mkpath(pictures());
        settings_.write(kSaverApp, "MyDeskTop", "DownloadPath", pictures());
    }

    QString program() const { return root_.file("program"); }
    QString pictures() const { return root_.file("pictures"); }
    QString workingCopy() const { return program() + "/sys/dong.swf"; }
    QString index(const QString& folder) const {
        return settings_.read(kSaverApp, "ScreenSave", "loadswf_" + folder);
    }

    void addMovies(const QString& folder, const QStringList& names) {
        for (const QString& name : names)
            root_.write("program/" + folder + '/' + name, movieBytes(name));
    }

    // One run of the saver, as far as its window goes: made and loaded. It is not shown, so
    // no activation starts a mode by itself: the test drives the modes.
    frmmain& startRun(const QString& mode) {
        form_.reset();
        players_ = std::make_unique<FakeMoviePlayerFactory>();
        context_ = std::make_unique<SaverContext>(
            SaverContext{settings_, browsers_, pointer_, program(), program(), mode,
                         root_.file("saver.lock"), [this] { ++processEnds_; }, players_.get()});
        form_ = std::make_unique<frmmain>(*context_);
        EXPECT_TRUE(form_->Form_Load());
        return *form_;
    }
    FakeMoviePlayer& flash() const { return *players_->last(); }
    FakeWebBrowser& web() const { return *browsers_.made.back(); }

    // The movie the player was last given, by the bytes it had then.
    QString moviePlayed() const { return QString::fromUtf8(flash().movieBytes.mid(4)); }

    test::TestFolder root_;
    SettingsStore settings_;
    FakeWebBrowserFactory browsers_;
    FakePointer pointer_;
    std::unique_ptr<FakeMoviePlayerFactory> players_;
    std::unique_ptr<SaverContext> context_;
    std::unique_ptr<frmmain> form_;
    int processEnds_ = 0;
};

TEST_F(MovieModesTest, ThreeMoviesPlayInTurnOverFourRunsAndStartAgain) {
    addMovies("clock", {"c.jav", "A.jav", "b.JAV", "notes.txt"});
    QStringList played, stored;
    for (int run = 0; run < 4; ++run) {
        startRun("6").PlayMovieFolder("clock");
        played << moviePlayed();
        stored << index("clock");
    }
    EXPECT_EQ(played.join(','), "A.jav,b.JAV,c.jav,A.jav");
    EXPECT_EQ(stored.join(','), "1,2,3,1");
    // The player is given the working copy, never the folder's own file, on black.
    EXPECT_EQ(flash().movie, workingCopy());
    EXPECT_EQ(flash().calls.join(",").toStdString(),
              "Visible=false,BackgroundColor=0,Movie,Play,Visible=true");
    EXPECT_FALSE(web().widget()->isVisible());
    EXPECT_GE(web().widget()->x(), form_->width());
}

TEST_F(MovieModesTest, AnIndexPastTheEndOrBelowZeroStartsAgainAtTheFirstMovie) {
    addMovies("earth", {"one.jav", "two.jav"});
    for (const QString stored : {"7", "2", "-3"}) {
        settings_.write(kSaverApp, "ScreenSave", "loadswf_earth", stored);
        startRun("1").PlayMovieFolder("earth");
        EXPECT_EQ(moviePlayed(), "one.jav") << stored.toStdString();
        EXPECT_EQ(index("earth"), "1");
    }
    // Each folder keeps its own place; an unreadable index counts as 0.
    addMovies("flower", {"f1.jav", "f2.jav"});
    settings_.write(kSaverApp, "ScreenSave", "loadswf_flower", "0.6");
    startRun("5").PlayMovieFolder("flower");
    EXPECT_EQ(moviePlayed(), "f2.jav");
    settings_.write(kSaverApp, "ScreenSave", "loadswf_flower", "abc");
    startRun("5").PlayMovieFolder("flower");
    EXPECT_EQ(moviePlayed(), "f1.jav");
    EXPECT_EQ(index("earth"), "1");
}

TEST_F(MovieModesTest, AMissingFolderPlaysFromTheFolderListedBefore) {
    root_.write("pictures/left.jav", movieBytes("left.jav"));
    root_.write("pictures/photo.jpg", "jpeg");
    frmmain& form = startRun("8");
    form.PlayMovieFolder("lianhua");
    EXPECT_EQ(form.File1.Path(), pictures());
    EXPECT_EQ(form.File1.Pattern(), "*.jav");
    EXPECT_EQ(moviePlayed(), "left.jav");
    EXPECT_EQ(index("lianhua"), "1");
}

TEST_F(MovieModesTest, AFolderWithoutMoviesLeavesNoWorkingCopyAndStillCounts) {
    QDir().mkpath(program() + "/pusa");
    root_.write("program/pusa/readme.txt", "no movies here");
    root_.write("program/sys/dong.swf", movieBytes("previous"));
    startRun("4").PlayMovieFolder("pusa");
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_EQ(flash().movie, workingCopy());
    EXPECT_TRUE(flash().movieBytes.isEmpty());
    EXPECT_TRUE(flash().visible);
    EXPECT_EQ(index("pusa"), "1");
}

TEST_F(MovieModesTest, AFolderOfTenThousandNamesPlaysItsFirstByName) {
    QDir().mkpath(program() + "/chuangyi");
    for (int i = 0; i < 10000; ++i) {
        QFile file(program() + QStringLiteral("/chuangyi/m%1.jav").arg(i, 5, 10, QChar('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    startRun("9").PlayMovieFolder("chuangyi");
    EXPECT_EQ(form_->File1.ListCount(), 10000);
    EXPECT_TRUE(QFile::exists(workingCopy()));
    EXPECT_EQ(index("chuangyi"), "1");
}

TEST_F(MovieModesTest, TheWorkingCopyIsGoneAfterEveryExit) {
    addMovies("clock", {"a.jav"});
    frmmain& form = startRun("6");
    form.PlayMovieFolder("clock");
    ASSERT_TRUE(QFile::exists(workingCopy()));
    form.ExitSaver();
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_EQ(processEnds_, 1);
}

TEST_F(MovieModesTest, AKeyPressedWhileTheMovieIsCopiedEndsTheSaverThere) {
    addMovies("clock", {"a.jav", "b.jav"});
    frmmain& form = startRun("6");
    // The key press waits in the queue until the mode lets pending events run.
    QTimer::singleShot(0, &form, [&form] { form.Form_KeyDown(Qt::Key_A, 0); });
    form.PlayMovieFolder("clock");
    EXPECT_TRUE(form.exiting());
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_TRUE(flash().movie.isEmpty());
    EXPECT_FALSE(flash().visible);
    // The run did not end normally, so it does not count.
    EXPECT_EQ(index("clock"), "");
}

TEST_F(MovieModesTest, ThePageModeShowsTheLocalPageAndCopiesNoMovie) {
    frmmain& form = startRun("2");
    form.ShowWebPage();
    EXPECT_EQ(web().navigations.last(), program() + "/java/xiyang.htm");
    EXPECT_FALSE(flash().visible);
    EXPECT_TRUE(flash().movie.isEmpty());
    EXPECT_FALSE(QFile::exists(workingCopy()));
}

TEST(MovieFileTest, OnlyFilesThatStartLikeAMovieAreMovies) {
    test::TestFolder folder;
    QFile shipped(test::builtProgramFolder() + "/clock/clock1.jav");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray movie = shipped.readAll();
    EXPECT_TRUE(looksLikeMovieFile(folder.write("good.jav", movie)));
    EXPECT_FALSE(looksLikeMovieFile(folder.write("cut.jav", movie.left(movie.size() / 2))));
    EXPECT_FALSE(looksLikeMovieFile(folder.write("empty.jav", {})));
    EXPECT_FALSE(looksLikeMovieFile(folder.write("text.jav", "<html>not a movie</html>")));
    EXPECT_FALSE(looksLikeMovieFile(folder.write("short.jav", "FWS")));
    EXPECT_FALSE(looksLikeMovieFile(folder.file("missing.jav")));
    QFile big(folder.file("big.jav"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(100ll * 1024 * 1024));
    EXPECT_FALSE(looksLikeMovieFile(big.fileName()));
}

} // namespace
} // namespace lumera::saver
