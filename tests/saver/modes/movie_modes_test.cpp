#include "MovieTestSupport.h"
#include "saver/modes/MovieFile.h"
#include "tests/saver/SaverFormFixture.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumera::saver {
namespace {

// A movie's bytes that say which movie it is.
QByteArray movieBytes(const QString& name) {
    return "FWS\x0a" + name.toUtf8();
}

class MovieModesTest : public ::lumera::test::SaverFormTest {
protected:
    void SetUp() override {
        QDir().mkpath(pictures());
        storePictureFolder(pictures());
    }

    QString program() const { return folder.file("program"); }
    QString workingCopy() const { return dataFile("sys/dong.swf"); }
    QString index(const QString& contentFolder) const {
        return settings.read(kSaverApp, "ScreenSave", "loadswf_" + contentFolder);
    }

    void addMovies(const QString& contentFolder, const QStringList& names) {
        for (const QString& name : names)
            folder.write("program/" + contentFolder + '/' + name, movieBytes(name));
    }

    // One run of the saver, as far as its window goes: made and loaded. It is not shown, so
    // no activation starts a mode by itself: the test drives the modes.
    frmmain& startRun(const QString& mode) {
        frmmain& f = makeForm(mode);
        EXPECT_TRUE(f.Form_Load());
        return f;
    }

    // The movie the player was last given, by the bytes it had then.
    QString moviePlayed() const { return QString::fromUtf8(flash()->movieBytes.mid(4)); }
};

TEST_F(MovieModesTest, ThreeMoviesPlayInTurnOverFourRunsAndStartAgain) {
    addMovies("clock", {"c.jav", "A.jav", "b.JAV", "notes.txt", "._A.jav", ".hidden.jav"});
    QStringList played, stored;
    for (int run = 0; run < 4; ++run) {
        startRun("6").PlayMovieFolder("clock");
        played << moviePlayed();
        stored << index("clock");
    }
    EXPECT_EQ(played.join(','), "A.jav,b.JAV,c.jav,A.jav");
    EXPECT_EQ(stored.join(','), "1,2,3,1");
    // The player is given the working copy, never the folder's own file, on black.
    EXPECT_EQ(flash()->movie, workingCopy());
    EXPECT_EQ(flash()->calls.join(",").toStdString(),
              "Visible=false,BackgroundColor=0,Movie,Play,Visible=true");
    EXPECT_FALSE(web()->widget()->isVisible());
    EXPECT_GE(web()->widget()->x(), form->width());
}

TEST_F(MovieModesTest, EachModeShowsItsOwnFolderOrPage) {
    const std::vector<std::pair<int, QString>> movieModes{
        {1, "earth"}, {3, "beautful"}, {4, "pusa"},     {5, "flower"},
        {6, "clock"}, {8, "lianhua"},  {9, "chuangyi"},
    };
    for (const auto& [mode, contentFolder] : movieModes) {
        addMovies(contentFolder, {contentFolder + ".jav"});
        // The program ships that folder, with movies in it.
        EXPECT_FALSE(QDir(test::builtProgramFolder() + '/' + contentFolder)
                         .entryList({"*.jav"}, QDir::Files)
                         .isEmpty())
            << contentFolder.toStdString();
    }
    for (const auto& [mode, contentFolder] : movieModes) {
        startRun(QString::number(mode)).ShowSaver();
        EXPECT_EQ(moviePlayed(), contentFolder + ".jav") << mode;
        EXPECT_TRUE(flash()->visible) << mode;
        EXPECT_FALSE(form->fadeRunning()) << mode;
    }

    startRun("2").ShowSaver();
    EXPECT_EQ(web()->navigations.last(), program() + "/java/xiyang.htm");
    EXPECT_TRUE(QFile::exists(test::builtProgramFolder() + "/java/xiyang.htm"));
    EXPECT_FALSE(flash()->visible);
    EXPECT_TRUE(flash()->movie.isEmpty());

    startRun("7").ShowSaver();
    EXPECT_TRUE(form->fadeRunning());
    EXPECT_EQ(form->File1.Path(), pictures());
    EXPECT_TRUE(flash()->movie.isEmpty());
    EXPECT_EQ(web()->navigations, QStringList{"about:blank"});
}

TEST_F(MovieModesTest, AnIndexPastTheEndOrBelowZeroStartsAgainAtTheFirstMovie) {
    addMovies("earth", {"one.jav", "two.jav"});
    for (const QString stored : {"7", "2", "-3"}) {
        settings.write(kSaverApp, "ScreenSave", "loadswf_earth", stored);
        startRun("1").PlayMovieFolder("earth");
        EXPECT_EQ(moviePlayed(), "one.jav") << stored.toStdString();
        EXPECT_EQ(index("earth"), "1");
    }
    // Each folder keeps its own place; an unreadable index counts as 0.
    addMovies("flower", {"f1.jav", "f2.jav"});
    settings.write(kSaverApp, "ScreenSave", "loadswf_flower", "0.6");
    startRun("5").PlayMovieFolder("flower");
    EXPECT_EQ(moviePlayed(), "f2.jav");
    settings.write(kSaverApp, "ScreenSave", "loadswf_flower", "abc");
    startRun("5").PlayMovieFolder("flower");
    EXPECT_EQ(moviePlayed(), "f1.jav");
    EXPECT_EQ(index("earth"), "1");
}

TEST_F(MovieModesTest, AMissingFolderPlaysFromTheFolderListedBefore) {
    folder.write("pictures/left.jav", movieBytes("left.jav"));
    folder.write("pictures/photo.jpg", "jpeg");
    frmmain& form = startRun("8");
    form.PlayMovieFolder("lianhua");
    EXPECT_EQ(form.File1.Path(), pictures());
    EXPECT_EQ(form.File1.Pattern(), "*.jav");
    EXPECT_EQ(moviePlayed(), "left.jav");
    EXPECT_EQ(index("lianhua"), "1");
}

TEST_F(MovieModesTest, AFolderWithoutMoviesLeavesNoWorkingCopyAndStillCounts) {
    QDir().mkpath(program() + "/pusa");
    folder.write("program/pusa/readme.txt", "no movies here");
    folder.write("data/sys/dong.swf", movieBytes("previous")); // the last run's copy
    startRun("4").PlayMovieFolder("pusa");
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_EQ(flash()->movie, workingCopy());
    EXPECT_TRUE(flash()->movieBytes.isEmpty());
    EXPECT_TRUE(flash()->visible);
    EXPECT_EQ(index("pusa"), "1");
}

TEST_F(MovieModesTest, AFolderOfTenThousandNamesPlaysItsFirstByName) {
    QDir().mkpath(program() + "/chuangyi");
    for (int i = 0; i < 10000; ++i) {
        QFile file(program() + QStringLiteral("/chuangyi/m%1.jav").arg(i, 5, 10, QChar('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    startRun("9").PlayMovieFolder("chuangyi");
    EXPECT_EQ(form->File1.ListCount(), 10000);
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
    EXPECT_EQ(processEnds, 1);
}

TEST_F(MovieModesTest, AKeyPressedWhileTheMovieIsCopiedEndsTheSaverThere) {
    addMovies("clock", {"a.jav", "b.jav"});
    frmmain& form = startRun("6");
    // The key press waits in the queue until the mode lets pending events run.
    QTimer::singleShot(0, &form, [&form] { form.Form_KeyDown(Qt::Key_A, 0); });
    form.PlayMovieFolder("clock");
    EXPECT_TRUE(form.exiting());
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_TRUE(flash()->movie.isEmpty());
    EXPECT_FALSE(flash()->visible);
    // The run did not end normally, so it does not count.
    EXPECT_EQ(index("clock"), "");
}

TEST_F(MovieModesTest, ThePageModeShowsTheLocalPageAndCopiesNoMovie) {
    frmmain& form = startRun("2");
    form.ShowWebPage();
    EXPECT_EQ(web()->navigations.last(), program() + "/java/xiyang.htm");
    EXPECT_FALSE(flash()->visible);
    EXPECT_TRUE(flash()->movie.isEmpty());
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
