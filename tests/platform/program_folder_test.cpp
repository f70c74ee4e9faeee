#include "platform/process/ConfigFolder.h"
#include "platform/process/ProgramFolder.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

using namespace lumera;

TEST(ProgramFolder, DataFilesStayBesideAProgramThatIsTheUsersOwnAndWritable) {
    lumera::test::TestFolder dir;
    using Check = std::function<bool(const QString&)>;
    const Check yes = [](const QString&) { return true; };
    const Check no = [](const QString&) { return false; };
    EXPECT_EQ(writableDataFolder(dir.path(), yes, yes), dir.path());
    // Read-only (installed), another user's that this one may write into (shared), or gone:
    // the user's own data folder, made for the program.
    for (const auto& [owned, writable, folder] :
         {std::tuple{yes, no, dir.path()}, std::tuple{no, yes, dir.path()},
          std::tuple{yes, yes, dir.file("missing")}}) {
        const QString chosen = writableDataFolder(folder, owned, writable);
        EXPECT_EQ(chosen, dataFolder()) << folder.toStdString();
        EXPECT_TRUE(QFileInfo(chosen).isDir());
    }
    EXPECT_TRUE(dataFolder().startsWith(qEnvironmentVariable("XDG_DATA_HOME")) ||
                qEnvironmentVariableIsEmpty("XDG_DATA_HOME"));
}

TEST(ProgramFolder, OwnershipIsTheEffectiveUsers) {
    lumera::test::TestFolder dir;
    EXPECT_TRUE(ownedByUser(dir.path()));
    EXPECT_FALSE(ownedByUser(dir.file("missing")));
    // Only root can give a folder away; root may still write into it.
    const QString shared = dir.file("shared");
    QDir().mkpath(shared);
    if (::chown(QFile::encodeName(shared).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot give a folder to another user here";
    EXPECT_FALSE(ownedByUser(shared));
    EXPECT_NE(writableDataFolder(shared), shared);
}

TEST(ProgramFolder, WindowsNamesBecomePathsBelowTheFolder) {
    EXPECT_EQ(programFile("/opt/lumera", "\\sys\\dong.swf"), "/opt/lumera/sys/dong.swf");
    EXPECT_EQ(programFile("/opt/lumera", "\\his.dat"), "/opt/lumera/his.dat");
    EXPECT_EQ(programFile("/", "\\logoff.wav"), "/logoff.wav");
}
