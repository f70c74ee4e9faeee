#include "platform/process/ConfigFolder.h"
#include "platform/process/SingleInstance.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace lumera;

namespace {

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

// Sets an environment variable for one test, or unsets it; the old value comes back after.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { old_ ? qputenv(name_, *old_) : qunsetenv(name_); }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

} // namespace

TEST(SingleInstance, OneCopyPerDisplayAndALaterStartAsksItToShow) {
    QCoreApplication app(argc, argv);
    lumera::test::TestFolder folder;
    SingleInstance first("Korvid", ":0", folder.path());
    ASSERT_TRUE(first.claim());
    int asked = 0;
    QObject::connect(&first, &SingleInstance::showRequested, [&] { ++asked; });

    EXPECT_FALSE(SingleInstance("Korvid", ":0", folder.path()).claim());
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked == 1; }, 5000));
    // The same user's second graphical session runs a copy of its own.
    SingleInstance otherSession("Korvid", ":1", folder.path());
    EXPECT_TRUE(otherSession.claim());

    // A copy that cannot listen (a socket path longer than a socket may have) keeps no lock
    // that would make later starts wait for it in vain.
    const QString deep = folder.file(QString(100, 'd'));
    QDir().mkpath(deep);
    SingleInstance deaf("Korvid", ":0", deep);
    EXPECT_TRUE(deaf.claim());
    EXPECT_TRUE(SingleInstance("Korvid", ":0", deep).claim());

    ScopedVariable wayland("WAYLAND_DISPLAY", "/run/user/1000/wayland-1");
    EXPECT_EQ(SingleInstance::displayName(), "_run_user_1000_wayland-1");
}

TEST(SingleInstance, TheRuntimeFolderIsNeverSharedWithOtherUsers) {
    lumera::test::TestFolder temp;
    ScopedVariable tmpdir("TMPDIR", QFile::encodeName(temp.path()));
    ScopedVariable runtime("XDG_RUNTIME_DIR", QByteArray());
    const QString own = runtimeFolder();
    EXPECT_TRUE(own.startsWith(temp.path() + "/")) << own.toStdString();
    EXPECT_EQ(QFileInfo(own).ownerId(), ::geteuid());
    // Another user made that folder first: not the temporary folder itself, but one in the
    // user's own home.
    QDir(own).removeRecursively();
    QDir().mkpath(own);
    if (::chown(QFile::encodeName(own).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot give a folder to another user here";
    const QString fallback = runtimeFolder();
    EXPECT_TRUE(fallback.startsWith(qEnvironmentVariable("XDG_CACHE_HOME") + "/"))
        << fallback.toStdString();
    EXPECT_FALSE(QFileInfo(fallback).permissions().testAnyFlags(
        QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
}
