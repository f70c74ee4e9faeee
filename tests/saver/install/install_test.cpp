#include "platform/desktop/UserFolders.h"
#include "platform/settings/SettingsStore.h"
#include "saver/install/Installer.h"
#include "saver/install/PictureFolderSetup.h"
#include "saver/install/XscreensaverPrefs.h"
#include "saver/install/XscreensaverRoute.h"
#include "support/FakeCommandRunner.h"
#include "support/TestFolders.h"

#include <QDir>
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
                             {home.file("none"), home.file("engines")},
                             home.file("installed")});
    }
    InstallReport uninstall() {
        return uninstallSaver({probe,
                               commands,
                               home.path(),
                               home.file("autostart"),
                               "/usr/bin/Lumera屏保",
                               {},
                               home.file("installed")});
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
    // What it had before is read first, for the uninstall. mate-screensaver reads what its
    // installed schema allows: gsettings refuses a key it does not have and a value the key
    // cannot hold.
    ASSERT_EQ(commands.ran.size(), 4);
    EXPECT_TRUE(commands.ran[0].startsWith("gsettings get ") &&
                commands.ran[1].startsWith("gsettings get "));
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
    EXPECT_EQ(commands.ran.mid(2), QStringList({"xfconf-query --channel xfce4-screensaver "
                                                "--create --property /saver/mode --type int "
                                                "--set 2"}));
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
    const QString records = home.file("records");
    for (const QString folder : {"/opt/my saver", "/opt/it's", "/opt/$HOME \"x\""}) {
        QFile::remove(prefs);
        const QString program = folder + "/Lumera屏保";
        EXPECT_TRUE(chooseInXscreensaver(prefs, program, records).done) << folder.toStdString();
        const QByteArray first = home.read(".xscreensaver");
        EXPECT_TRUE(first.contains("selected:\t\t0\n")) << first.constData();
        EXPECT_TRUE(chooseInXscreensaver(prefs, program, records).done);
        EXPECT_EQ(home.read(".xscreensaver"), first);
    }
    // A path that would split the list where it stands is never written, and the user is told.
    home.write(".xscreensaver", "mode: random\n");
    const InstallReport report = chooseInXscreensaver(prefs, "/opt/a\\nb/Lumera屏保", records);
    EXPECT_FALSE(report.done);
    EXPECT_EQ(home.read(".xscreensaver"), "mode: random\n");
}

TEST_F(InstallRoutes, WithoutEngineTheIdleStarterStartsNowAndAtLogOnUntilUninstalled) {
    EXPECT_TRUE(install().done);
    EXPECT_EQ(commands.started, QStringList({"/usr/bin/Lumera屏保 --idle"}));
    EXPECT_TRUE(
        home.read("autostart/lumera-saver-idle.desktop")
            .contains("TryExec=/usr/bin/Lumera屏保\nExec=\"/usr/bin/Lumera屏保\" \"--idle\"\n"));
    EXPECT_TRUE(uninstall().done);
    EXPECT_FALSE(QFile::exists(home.file("autostart/lumera-saver-idle.desktop")));
}

TEST_F(InstallRoutes, UninstallPutsBackWhatEachEngineHadBefore) {
    probe.xscreensaver = true;
    const QByteArray hand = "timeout:\t0:05:00\nmode:\t\trandom\nprograms:\t\\\n"
                            "\t\t\t\tmaze --root \\n\\\n\t\t\t\tqix --root \\n\n";
    home.write(".xscreensaver", hand);
    ASSERT_TRUE(install().done);
    ASSERT_TRUE(install().done);
    // As it was, byte for byte, also after a second install.
    EXPECT_TRUE(uninstall().done);
    EXPECT_EQ(home.read(".xscreensaver"), hand);

    // Changed since: the user's own change stays, the choice and the entry go.
    ASSERT_TRUE(install().done);
    QByteArray changed = home.read(".xscreensaver");
    changed.replace("0:05:00", "0:20:00");
    home.write(".xscreensaver", changed);
    EXPECT_TRUE(uninstall().done);
    QByteArray expected = hand;
    EXPECT_EQ(home.read(".xscreensaver"), expected.replace("0:05:00", "0:20:00"));

    // A file the install made goes again; the engines it told get their earlier choice back,
    // kept at the first install, and a value they did not have is reset.
    QFile::remove(home.file(".xscreensaver"));
    ASSERT_TRUE(install().done);
    probe.xscreensaver = false;
    probe.owned = {"org.mate.ScreenSaver"};
    QFile(home.write("engines/Lumera屏保", "#!/bin/sh\n")).setPermissions(QFile::ExeOwner);
    commands.printed["gsettings get org.mate.screensaver mode"] = "'random'\n";
    ASSERT_TRUE(install().done);
    commands.printed["gsettings get org.mate.screensaver mode"] = "'single'\n";
    ASSERT_TRUE(install().done);
    probe.owned = {"org.xfce.ScreenSaver"};
    commands.printed["xfconf-query --channel xfce4-screensaver --property /saver/themes/list"] =
        "Value is an array with 2 items:\n\nscreensavers-a\nscreensavers-b\n";
    ASSERT_TRUE(install().done);
    commands.ran.clear();
    EXPECT_TRUE(uninstall().done);
    EXPECT_FALSE(QFile::exists(home.file(".xscreensaver")));
    EXPECT_EQ(
        commands.ran,
        QStringList({"gsettings set org.mate.screensaver mode 'random'",
                     "gsettings reset org.mate.screensaver themes",
                     "xfconf-query --channel xfce4-screensaver --property /saver/mode --reset",
                     "xfconf-query --channel xfce4-screensaver --property /saver/themes/list "
                     "--create --force-array --type string --set screensavers-a --type "
                     "string --set screensavers-b"}));
    // Nothing left to undo.
    commands.ran.clear();
    EXPECT_TRUE(uninstall().done);
    EXPECT_TRUE(commands.ran.isEmpty());
}

TEST(PictureFolderSetup, StoredOnceNeverOverAValueAndAnEmptyOneStays) {
    TestFolder config;
    SettingsStore settings(config.path());
    settings.write("Korvidesk", "ScreenSave", "loadtime", "3");
    EXPECT_TRUE(storeDefaultPictureFolder(settings, "/home/用户/图片"));
    EXPECT_FALSE(storeDefaultPictureFolder(settings, "/elsewhere"));
    EXPECT_EQ(settings.read("Korvidesk", "MyDeskTop", "DownloadPath"), "/home/用户/图片");
    EXPECT_EQ(settings.read("Korvidesk", "ScreenSave", "loadtime"), "3");

    settings.write("Korvidesk", "MyDeskTop", "DownloadPath", "");
    EXPECT_FALSE(storeDefaultPictureFolder(settings, "/home/用户/图片"));
    EXPECT_EQ(settings.read("Korvidesk", "MyDeskTop", "DownloadPath"), "");
}

TEST(PictureFolderSetup, PicturesFolderIsTheDesktopsElsePictures) {
    // The test runner's XDG_CONFIG_HOME is private to this test program.
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
    const auto named = [&](const QByteArray& value) {
        QFile file(dirs);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("XDG_PICTURES_DIR=\"" + value + "\"\n");
    };
    named("$HOME/图片");
    EXPECT_EQ(picturesFolder(), QDir::homePath() + "/图片");
    named("$HOME/");
    EXPECT_EQ(picturesFolder(), QDir::homePath() + "/Pictures");
    QFile::remove(dirs);
    EXPECT_EQ(picturesFolder(), QDir::homePath() + "/Pictures");
}

} // namespace
