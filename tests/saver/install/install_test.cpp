#include "platform/desktop/FakeCommandRunner.h"
#include "saver/install/Installer.h"
#include "saver/install/XscreensaverPrefs.h"
#include "saver/install/XscreensaverRoute.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::saver;
using lumera::test::TestFolder;
using Outcome = XscreensaverChoice::Outcome;

namespace {

const QByteArray kName = "Lumera屏保";
const QByteArray kEntry = "\"Lumera屏保\" /usr/bin/Lumera屏保 --root";

XscreensaverChoice choose(const QByteArray& text) {
    return chooseXscreensaverProgram(text, kName, kEntry);
}

TEST(XscreensaverPrefs, NewFileHoldsJustTheChoiceAndStaysTheSameOnceMore) {
    const XscreensaverChoice first = choose({});
    EXPECT_EQ(first.outcome, Outcome::Added);
    EXPECT_EQ(first.index, 0);
    EXPECT_TRUE(first.text.endsWith("mode:\t\tone\nselected:\t\t0\nprograms:\t\\\n"
                                    "\t\t\t\t\"Lumera屏保\" /usr/bin/Lumera屏保 --root \\n\n"))
        << first.text.constData();
    const XscreensaverChoice again = choose(first.text);
    EXPECT_EQ(again.outcome, Outcome::AlreadyThere);
    EXPECT_EQ(again.text, first.text);
}

TEST(XscreensaverPrefs, HandWrittenFileGainsOneEntryAndKeepsEveryOtherLine) {
    const QByteArray text = "# my settings\n"
                            "timeout:\t0:05:00\n"
                            "mode:\t\trandom\n"
                            "selected:\t-1\n"
                            "programs:\t\t\t\t\t\t\t\t      \\\n"
                            "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                            "- GL: \t\t\t\tsuperquadrics --root\t\t    \\n\\\n"
                            "  \"Qix (solid)\" \tqix --root --solid\t\t    \\n\\\n"
                            "\n"
                            "! the end\n"
                            "pointerHysteresis:\t10\n";
    const XscreensaverChoice choice = choose(text);
    EXPECT_EQ(choice.outcome, Outcome::Added);
    EXPECT_EQ(choice.index, 3);
    QByteArray expected = text;
    expected.replace("mode:\t\trandom", "mode:\t\tone").replace("selected:\t-1", "selected:\t3");
    expected.replace("qix --root --solid\t\t    \\n\\\n",
                     "qix --root --solid\t\t    \\n\\\n\t\t\t\t" + kEntry + " \\n\\\n");
    EXPECT_EQ(choice.text, expected);
    EXPECT_EQ(choose(choice.text).text, choice.text);
}

TEST(XscreensaverPrefs, OneLineListGoesOnToTheNewEntry) {
    const XscreensaverChoice choice = choose("programs: maze --root\n");
    EXPECT_EQ(choice.text, "mode:\t\tone\nselected:\t\t1\nprograms: maze --root \\n\\\n\t\t\t\t" +
                               kEntry + " \\n\n");
}

TEST(XscreensaverPrefs, SwitchedOffEntryIsSwitchedOnWithItsOwnCommand) {
    const QByteArray text = "mode:\t\tblank\n"
                            "programs:\t\\\n"
                            "\t\t\t\tmaze --root\t\\n\\\n"
                            "-\t\t\t\t\"Lumera屏保\" /opt/bin/Lumera屏保 --root 7 \\n\\\n"
                            "\n";
    const XscreensaverChoice choice = choose(text);
    EXPECT_EQ(choice.outcome, Outcome::Enabled);
    EXPECT_EQ(choice.index, 1);
    EXPECT_TRUE(
        choice.text.contains("\n\t\t\t\t\"Lumera屏保\" /opt/bin/Lumera屏保 --root 7 \\n\\\n"));
    EXPECT_FALSE(choice.text.contains("/usr/bin"));
    EXPECT_TRUE(choice.text.contains("mode:\t\tone\n"));
}

TEST(XscreensaverPrefs, TextItCannotReadIsLeftAlone) {
    for (const QByteArray& text :
         {QByteArray("this is no setting\nmode: one\n"),
          QByteArray("programs: maze --root \\n\\\n"), QByteArray("mode: one\nmode: random\n")}) {
        const XscreensaverChoice choice = choose(text);
        EXPECT_EQ(choice.outcome, Outcome::Unparsable) << text.constData();
        EXPECT_EQ(choice.text, text);
    }
}

struct FakeProbe : SaverEngineProbe {
    bool xscreensaverRuns() override { return xscreensaver; }
    bool busNameOwned(const QString& name) override { return owned.contains(name); }
    bool xscreensaver = false;
    QStringList owned;
};

struct InstallRoutes : ::testing::Test {
    TestFolder home;
    FakeProbe probe;
    FakeCommandRunner commands;
    InstallReport install() {
        return installSaver({probe,
                             commands,
                             home.path(),
                             home.file("autostart"),
                             "/usr/bin/Lumera屏保",
                             {home.file("none"), home.file("engines")}});
    }
};

TEST_F(InstallRoutes, EachEngineIsToldInItsOwnWay) {
    probe.xscreensaver = true;
    probe.owned = {"org.mate.ScreenSaver"};
    // Not in the engine folder: the engine could never run the theme.
    EXPECT_FALSE(install().done);
    EXPECT_TRUE(commands.ran.isEmpty());
    QFile(home.write("engines/Lumera屏保", "#!/bin/sh\n")).setPermissions(QFile::ExeOwner);
    EXPECT_TRUE(install().done);
    ASSERT_EQ(commands.ran.size(), 2);
    // mate-screensaver reads what its installed schema allows: gsettings refuses a key it does
    // not have and a value the key cannot hold.
    for (const QString& command : commands.ran) {
        QProcess gsettings;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("GSETTINGS_BACKEND", "memory");
        gsettings.setProcessEnvironment(environment);
        gsettings.start("gsettings", command.split(' ').mid(1));
        ASSERT_TRUE(gsettings.waitForFinished()) << command.toStdString();
        EXPECT_EQ(gsettings.exitCode(), 0)
            << command.toStdString() << ": " << gsettings.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(commands.ran.join('\n').contains("org.mate.screensaver mode single"));
    EXPECT_TRUE(commands.ran.join('\n').contains("themes ['screensavers-lumera-saver']"));
    commands.ran.clear();
    probe.owned = {"org.xfce.ScreenSaver"};
    commands.runSucceeds = false;
    EXPECT_FALSE(install().done);
    EXPECT_EQ(commands.ran, QStringList({"xfconf-query --channel xfce4-screensaver --create "
                                         "--property /saver/mode --type int --set 2"}));
    probe.owned.clear();
    EXPECT_TRUE(install().done);
    EXPECT_TRUE(home.read(".xscreensaver").contains("\"Lumera屏保\" /usr/bin/Lumera屏保 --root"));
    EXPECT_TRUE(commands.started.isEmpty());
}

TEST_F(InstallRoutes, UnreadableXscreensaverFileIsNotTouched) {
    probe.xscreensaver = true;
    home.write(".xscreensaver", "garbage\n");
    const InstallReport report = install();
    EXPECT_FALSE(report.done);
    EXPECT_TRUE(report.message.contains(".xscreensaver"));
    EXPECT_EQ(home.read(".xscreensaver"), "garbage\n");
}

TEST(XscreensaverRoute, ProgramInAFolderThatNeedsQuotingIsKnownAgain) {
    TestFolder home;
    const QString prefs = home.file(".xscreensaver");
    for (const QString folder : {"/opt/my saver", "/opt/it's", "/opt/$HOME \"x\""}) {
        QFile::remove(prefs);
        const QString program = folder + "/Lumera屏保";
        EXPECT_TRUE(chooseInXscreensaver(prefs, program).done) << folder.toStdString();
        const QByteArray first = home.read(".xscreensaver");
        EXPECT_TRUE(first.contains("selected:\t\t0\n")) << first.constData();
        EXPECT_TRUE(chooseInXscreensaver(prefs, program).done);
        EXPECT_EQ(home.read(".xscreensaver"), first);
    }
    // A path that would split the list where it stands is never written, and the user is told.
    home.write(".xscreensaver", "mode: random\n");
    const InstallReport report = chooseInXscreensaver(prefs, "/opt/a\\nb/Lumera屏保");
    EXPECT_FALSE(report.done);
    EXPECT_EQ(home.read(".xscreensaver"), "mode: random\n");
}

TEST_F(InstallRoutes, WithoutEngineTheIdleStarterStartsNowAndAtLogOn) {
    EXPECT_TRUE(install().done);
    EXPECT_EQ(commands.started, QStringList({"/usr/bin/Lumera屏保 --idle"}));
    EXPECT_TRUE(home.read("autostart/lumera-saver-idle.desktop")
                    .contains("Exec=\"/usr/bin/Lumera屏保\" \"--idle\"\n"));
}

} // namespace
