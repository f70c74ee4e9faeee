#include "platform/settings/SettingsStore.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace lumera;
using lumera::test::TestFolder;

namespace {

QString writerProgram() {
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath() + "/settings_writer";
}

bool countOneMore(IniFile& values) {
    const int n = values.value("counter", "n").value_or("0").toInt();
    values.setValue("counter", "n", QString::number(n + 1));
    return true;
}

} // namespace

TEST(SettingsStore, MissingKeysReadAsEmptyAndWritesReadBack) {
    TestFolder dir;
    SettingsStore store(dir.path() + "/Lumera");
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "");
    ASSERT_TRUE(store.write("cinema", "Cinema", "usecount", "1"));
    ASSERT_TRUE(store.write("cinema", "unload", "PingDao", "http://127.0.0.1/电台/?a=1,b=2"));
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "1");
    EXPECT_EQ(store.read("cinema", "unload", "PingDao"), "http://127.0.0.1/电台/?a=1,b=2");
    // Application, section and key all address: the same key elsewhere is another value.
    EXPECT_EQ(store.read("cinema", "update", "usecount"), "");
    EXPECT_EQ(store.read("Korvidesk", "Cinema", "usecount"), "");
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Lumera/cinema.ini"));
}

TEST(SettingsStore, FileIsPlainIniInUtf8) {
    TestFolder dir;
    SettingsStore store(dir.path());
    store.write("cinema", "turnoff", "timeset", "23:05");
    store.write("cinema", "web", "webURL", QStringLiteral("http://127.0.0.1/电影"));
    store.write("cinema", "web", "note", " a\\b\n");
    EXPECT_EQ(
        dir.read("cinema.ini").toStdString(),
        "[turnoff]\ntimeset=23:05\n\n[web]\nwebURL=http://127.0.0.1/电影\nnote=\" a\\\\b\\n\"\n");
}

TEST(SettingsStore, HandEditedValuesReadAsTheirText) {
    TestFolder dir;
    dir.write("cinema.ini", "[Cinema]\nusecount= 12 \n[web]\nwebURL=http://a/?x=1,y=2\n"
                            "quoted=\"/home/u/My Photos, 2026\"\n");
    SettingsStore store(dir.path());
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "12");
    EXPECT_EQ(store.read("cinema", "web", "webURL"), "http://a/?x=1,y=2");
    EXPECT_EQ(store.read("cinema", "web", "quoted"), "/home/u/My Photos, 2026");
    store.write("cinema", "a", "quote", "\"started with a quote");
    EXPECT_EQ(store.read("cinema", "a", "quote"), "\"started with a quote");
    // What the program writes comes back exactly, blanks included.
    store.write("cinema", "a", "padded", "  two  ");
    EXPECT_EQ(store.read("cinema", "a", "padded"), "  two  ");
}

TEST(SettingsStore, JunkFileReadsEmptyAndTakesNewKeys) {
    TestFolder dir;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919) % 251));
    dir.write("cinema.ini", junk + "\n[setup]\nhistory=1\n=====\n[[[\n");
    SettingsStore store(dir.path());
    EXPECT_EQ(store.read("cinema", "setup", "history"), "1");
    EXPECT_EQ(store.read("cinema", "nothing", "here"), "");
    ASSERT_TRUE(store.write("cinema", "Cinema", "usecount", "3"));
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "3");
    EXPECT_EQ(store.read("cinema", "setup", "history"), "1");
}

TEST(SettingsStore, UnwritableFolderFailsQuietly) {
    TestFolder dir;
    // A file where the folder should be: even root cannot make the folder.
    dir.write("Lumera", "not a folder");
    SettingsStore store(dir.path() + "/Lumera");
    EXPECT_FALSE(store.write("cinema", "Cinema", "usecount", "1"));
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "");
}

TEST(SettingsStore, AnotherProcessSeesWritesAndConcurrentWritersLoseNoKey) {
    TestFolder dir;
    SettingsStore store(dir.path());
    store.write("cinema", "mine", "before", "yes");
    ASSERT_TRUE(QFileInfo::exists(writerProgram())) << writerProgram().toStdString();

    // Two writer processes, each writing 150 keys of its own, at the same time as this one.
    QProcess first, second;
    first.start(writerProgram(), {dir.path(), "first", "150"});
    second.start(writerProgram(), {dir.path(), "second", "150"});
    ASSERT_TRUE(first.waitForStarted() && second.waitForStarted());
    for (int i = 0; i < 50; ++i)
        store.write("cinema", "mine", QString("k%1").arg(i), QString::number(i));
    ASSERT_TRUE(first.waitForFinished(120000) && second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);

    SettingsStore fresh(dir.path());
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(fresh.read("cinema", "first", QString("k%1").arg(i)), QString::number(i)) << i;
        EXPECT_EQ(fresh.read("cinema", "second", QString("k%1").arg(i)), QString::number(i)) << i;
    }
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(fresh.read("cinema", "mine", QString("k%1").arg(i)), QString::number(i));
    EXPECT_EQ(fresh.read("cinema", "mine", "before"), "yes");
}

TEST(SettingsStore, AnUpdateChangesSeveralKeysAtOnceOrLeavesTheFileAlone) {
    TestFolder dir;
    SettingsStore store(dir.path());
    store.write("cinema", "Cinema", "usecount", "7");
    ASSERT_TRUE(store.update("cinema", [](IniFile& values) {
        const int count = values.value("Cinema", "usecount").value_or("").toInt();
        values.setValue("Cinema", "usecount", QString::number(count + 1));
        values.setValue("update", "usecount", QString::number(count + 1));
        return true;
    }));
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), "8");
    EXPECT_EQ(store.read("cinema", "update", "usecount"), "8");

    const QByteArray before = dir.read("cinema.ini");
    EXPECT_TRUE(store.update("cinema", [](IniFile& values) {
        values.setValue("Cinema", "usecount", "changed my mind");
        return false;
    }));
    EXPECT_EQ(dir.read("cinema.ini"), before);

    dir.write("blocked", "a file, not a folder");
    SettingsStore nowhere(dir.file("blocked"));
    bool ran = false;
    EXPECT_FALSE(nowhere.update("cinema", [&](IniFile&) {
        ran = true;
        return true;
    }));
    EXPECT_FALSE(ran);
}

TEST(SettingsStore, CountersUpdatedByTwoProcessesAtOnceLoseNoStep) {
    TestFolder dir;
    SettingsStore store(dir.path());
    QProcess first, second;
    first.start(writerProgram(), {dir.path(), "counter", "100", "--increment"});
    second.start(writerProgram(), {dir.path(), "counter", "100", "--increment"});
    ASSERT_TRUE(first.waitForStarted() && second.waitForStarted());
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.update("cinema", countOneMore));
    ASSERT_TRUE(first.waitForFinished(120000) && second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(store.read("cinema", "counter", "n"), "250");
}

TEST(SettingsStore, ValuesWithLineBreaksAndBackslashesStayOneValue) {
    TestFolder dir;
    SettingsStore store(dir.path());
    store.write("cinema", "a", "b", "line1\nline2\\n[x]\r\nk=v");
    store.write("cinema", "a", "c", "after");
    EXPECT_EQ(store.read("cinema", "a", "b"), "line1\nline2\\n[x]\r\nk=v");
    EXPECT_EQ(store.read("cinema", "a", "c"), "after");
    EXPECT_EQ(store.read("cinema", "x", "k"), "");
}
