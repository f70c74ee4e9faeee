#include "platform/desktop/ProgramFolder.h"
#include "platform/settings/ConfigFolder.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace lumera;

TEST(ProgramFolder, DataFilesStayBesideAWritableProgram) {
    lumera::test::TestFolder dir;
    EXPECT_EQ(writableDataFolder(dir.path(), [](const QString&) { return true; }), dir.path());
}

TEST(ProgramFolder, AReadOnlyInstalledFolderFallsBackToTheUsersDataFolder) {
    lumera::test::TestFolder dir;
    const QString chosen = writableDataFolder(dir.path(), [](const QString&) { return false; });
    EXPECT_EQ(chosen, dataFolder());
    EXPECT_TRUE(chosen.startsWith(qEnvironmentVariable("XDG_DATA_HOME")) ||
                qEnvironmentVariableIsEmpty("XDG_DATA_HOME"));
    EXPECT_TRUE(QFileInfo(chosen).isDir()); // made for the program
    // A program folder that is gone falls back as well.
    EXPECT_EQ(writableDataFolder(dir.file("missing"), [](const QString&) { return true; }),
              dataFolder());
}

TEST(ProgramFolder, WindowsNamesBecomePathsBelowTheFolder) {
    EXPECT_EQ(programFile("/opt/lumera", "\\sys\\dong.swf"), "/opt/lumera/sys/dong.swf");
    EXPECT_EQ(programFile("/opt/lumera", "\\his.dat"), "/opt/lumera/his.dat");
    EXPECT_EQ(programFile("/", "\\logoff.wav"), "/logoff.wav");
}
