#include "platform/screen/Pointer.h"
#include "tests/saver/SaverFormFixture.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTest>

using lumera::test::SaverFormTest;

TEST_F(SaverFormTest, TenRotationRunsGoThroughTheNineModes) {
    storePictureFolder(pictures());
    std::vector<int> modes;
    for (int run = 0; run < 10; ++run) {
        auto& f = makeForm(run % 2 ? "/s" : "");
        ASSERT_TRUE(f.Form_Load());
        modes.push_back(f.mode());
        form.reset(); // the run ends and frees the single-copy lock
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 1}));
    EXPECT_EQ(loadtime(), "1");
}

TEST_F(SaverFormTest, ACommandLineModeLeavesTheRotationAlone) {
    storePictureFolder(pictures());
    settings.write(lumera::saver::kSaverApp, "ScreenSave", "loadtime", "4");
    const std::vector<std::pair<QString, int>> runs{
        {"7", 7}, {" 7 ", 7}, {"7.4", 7}, {"12", 12}, {"-3", -3}};
    for (const auto& [argument, mode] : runs) {
        auto& f = makeForm(argument);
        ASSERT_TRUE(f.Form_Load());
        EXPECT_EQ(f.mode(), mode) << argument.toStdString();
        form.reset();
    }
    EXPECT_EQ(loadtime(), "4");
    auto& rotation = makeForm("0");
    ASSERT_TRUE(rotation.Form_Load());
    EXPECT_EQ(rotation.mode(), 5);
    EXPECT_EQ(loadtime(), "5");
}

TEST_F(SaverFormTest, JunkInTheRotationCountsAsZero) {
    storePictureFolder(pictures());
    settings.write(lumera::saver::kSaverApp, "ScreenSave", "loadtime", "x7\x01");
    auto& f = makeForm("99999999999");
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(f.mode(), 1);
    EXPECT_EQ(loadtime(), "1");
}

TEST_F(SaverFormTest, WithoutAPictureFolderTheStartEndsAndTouchesNothing) {
    auto& f = makeForm("");
    EXPECT_FALSE(f.Form_Load());
    EXPECT_EQ(loadtime(), QString());
    EXPECT_FALSE(QDir(dataFile("sys")).exists());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(pointer.hides, 0);

    storePictureFolder("");
    settings.write(lumera::saver::kSaverApp, "ScreenSave", "loadtime", "3");
    EXPECT_FALSE(makeForm("").Form_Load());
    EXPECT_EQ(loadtime(), "3");
}

TEST_F(SaverFormTest, ASecondCopyEndsAtOnce) {
    storePictureFolder(pictures());
    QDir().mkpath(folder.file("runtime"));
    QLockFile running(folder.file("runtime/saver.lock"));
    ASSERT_TRUE(running.tryLock(0));
    EXPECT_FALSE(makeForm("").Form_Load());
    EXPECT_EQ(loadtime(), QString());
    running.unlock();
    EXPECT_TRUE(makeForm("").Form_Load());
}

TEST_F(SaverFormTest, StartUpMakesTheWorkingFoldersAndLoadsTheEmptyPage) {
    storePictureFolder(pictures());
    auto& f = makeForm("12");
    ASSERT_TRUE(f.Form_Load());
    EXPECT_TRUE(QDir(dataFile("sys")).exists());
    EXPECT_TRUE(QDir(dataFile("temp")).exists());
    EXPECT_EQ(web()->navigations, QStringList{"about:blank"});
    EXPECT_FALSE(f.mouseWatch());
    EXPECT_FALSE(f.fadeRunning());
}

TEST_F(SaverFormTest, AModeWithoutContentTakesOverAndAKeyPressGivesEverythingBack) {
    storePictureFolder(pictures());
    QDir().mkpath(dataFile("sys"));
    QFile movie(dataFile("sys/dong.swf"));
    ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
    movie.close();

    auto& f = makeForm("-3");
    ASSERT_TRUE(f.Form_Load());
    f.ShowSaver();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isFullScreen());
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.mouseWatch());
    EXPECT_TRUE(pointer.hidden());
    EXPECT_TRUE(web()->widget()->isVisibleTo(&f)); // the empty page stays in view
    EXPECT_EQ(processEnds, 0);

    QTest::keyClick(web()->widget(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_FALSE(pointer.hidden());
    EXPECT_FALSE(QFile::exists(dataFile("sys/dong.swf")));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(processEnds, 1);
    f.ExitSaver();
    f.Timer2_Timer();
    EXPECT_EQ(processEnds, 1);
}

TEST_F(SaverFormTest, TheMouseTestEndsAtTheFirstPixelButRecordsColumnZero) {
    storePictureFolder(pictures());
    auto& f = makeForm("12");
    ASSERT_TRUE(f.Form_Load());
    pointer.at = {0, 50};
    f.Timer2_Timer(); // no watch before the take-over
    EXPECT_EQ(f.pointerWatch().x0, 0);
    f.ShowSaver();
    f.Timer2_Timer();
    pointer.at = {40, 50};
    f.Timer2_Timer();
    EXPECT_EQ(processEnds, 0);
    EXPECT_EQ(f.pointerWatch().x0, 40);
    pointer.at = {40, 51};
    f.Timer2_Timer();
    EXPECT_EQ(processEnds, 1);
    EXPECT_FALSE(pointer.hidden());
}

TEST_F(SaverFormTest, HoweverOftenTheWindowIsActivatedTheContentStartsOnce) {
    storePictureFolder(pictures());
    folder.write("program/clock/a.jav", "FWS\x0a");
    folder.write("program/clock/b.jav", "FWS\x0a");
    auto& f = makeForm("6");
    ASSERT_TRUE(f.Form_Load());
    f.Form_Activate(); // the window manager at once, or main()'s fallback
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&f, &activate); // late, and twice
    QCoreApplication::sendEvent(&f, &activate);
    QCoreApplication::processEvents();
    f.Form_Activate();
    f.ShowSaver();
    EXPECT_EQ(settings.read(lumera::saver::kSaverApp, "ScreenSave", "loadswf_clock"), "1");
    EXPECT_EQ(pointer.hides, 1);
    f.Picture1_Click();
    EXPECT_FALSE(pointer.hidden());
    EXPECT_EQ(processEnds, 1);
}

TEST(QtPointerTest, HidesOnceHoweverOftenAskedAndLeavesOtherCursorsAlone) {
    lumera::test::saverFormTestApp();
    lumera::QtPointer pointer;
    pointer.hide();
    pointer.hide();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    pointer.show();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    pointer.show(); // not hidden: someone else's cursor stays
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    QGuiApplication::restoreOverrideCursor();
}
