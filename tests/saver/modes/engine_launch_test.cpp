#include "saver/engine/EngineLaunch.h"
#include "saver/engine/SharedActivation.h"
#include "support/TestFolders.h"
#include "tests/saver/SaverFormFixture.h"

#include <QTest>
#include <gtest/gtest.h>

using lumera::saver::readEngineLaunch;
using lumera::saver::SharedActivation;

TEST(EngineLaunchTest, TheEnginesFlagsAreTakenAndTheModeRuleSeesTheRest) {
    struct Case {
        QStringList arguments;
        QString variable;
        std::optional<quint64> window;
        std::optional<QString> unreadable;
        bool root;
        std::int32_t mode;
    };
    const Case cases[] = {
        // "-root" alone is a start by hand: no engine names a window.
        {{"2", "--root"}, "", std::nullopt, std::nullopt, true, 2},
        {{}, "0x1a00007", 0x1a00007, std::nullopt, false, 0},
        {{"-root"}, " 4194311 ", 4194311, std::nullopt, true, 0},
        {{"-window-id", "123", "7"}, "0x5", 123, std::nullopt, false, 7},
        // A visual's id is the flag's value, not a mode.
        {{"--window-id=0x10", "-visual", "33", "-fps"}, "", 16, std::nullopt, false, 0},
        // A window named that is none: the saver has nowhere to go.
        {{"/s"}, "junk", std::nullopt, "junk", false, 0},
        // "-root=1" is no flag: it stays with the mode text, which then reads as no number.
        {{"-3", "-root=1"}, "0", std::nullopt, "0", false, 0},
        {{"-window-id", "0x", "-3"}, "0x5", std::nullopt, "0x", false, -3},
        {{"-window-id"}, "", std::nullopt, "", false, 0},
        // xscreensaver's settings write the content as a switch of its own.
        {{"--root", "--mode", "7"}, "0x5", 5, std::nullopt, true, 7},
    };
    for (const Case& c : cases) {
        const auto launch = readEngineLaunch(c.arguments, c.variable);
        const std::string where =
            c.arguments.join(' ').toStdString() + " / " + c.variable.toStdString();
        EXPECT_EQ(launch.window, c.window) << where;
        EXPECT_EQ(launch.unreadableWindow, c.unreadable) << where;
        EXPECT_EQ(launch.root, c.root) << where;
        EXPECT_EQ(launch.fromEngine(), c.window.has_value()) << where;
        EXPECT_EQ(launch.mode, c.mode) << where;
    }
}

TEST(SharedActivationTest, CopiesRunningAtOneTimeShareTheFirstOnesMode) {
    lumera::test::TestFolder folder;
    const QString path = folder.file("activation");
    int chosen = 0;
    const auto choose = [&chosen] { return ++chosen + 3; };
    {
        SharedActivation first(path);
        SharedActivation second(path);
        EXPECT_EQ(first.join(choose), 4);
        EXPECT_EQ(second.join(choose), 4);
        EXPECT_EQ(chosen, 1);
    }
    SharedActivation later(path);
    EXPECT_EQ(later.join(choose), 5);
}

namespace lumera::test {

TEST_F(SaverFormTest, InAnEnginesWindowTheEngineOwnsScreenAndInput) {
    storePictureFolder(pictures());
    settings.write(saver::kSaverApp, "ScreenSave", "loadtime", "3");
    auto& f = makeForm("");
    context->launch.window = 0x1a00007;
    context->launch.preview = true;
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(f.mode(), 4);
    EXPECT_EQ(loadtime(), "3"); // a preview leaves the rotation where it is
    f.resize(400, 300);
    f.ShowSaver();
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isFullScreen());
    EXPECT_EQ(f.size(), QSize(400, 300));
    EXPECT_FALSE(f.mouseWatch());
    EXPECT_FALSE(pointer.hidden());
    QTest::keyClick(&f, Qt::Key_Space);
    f.Picture1_Click();
    pointer.at = {7, 9};
    f.Timer2_Timer();
    EXPECT_EQ(processEnds, 0);
}

} // namespace lumera::test
