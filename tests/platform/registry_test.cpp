#include "platform/process/AutostartEntry.h"
#include "platform/registry/HiveFile.h"
#include "platform/registry/HiveRegistry.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace lumera;
using lumera::test::TestFolder;

namespace {

const QString kRun = "software\\microsoft\\windows\\currentversion\\run";

struct HiveFixture : ::testing::Test {
    TestFolder dir;
    HiveRegistry registry{dir.file("Lumera/registry.hive"),
                          AutostartEntry(dir.file("autostart"), "Radio")};
};

// The Exec value as a desktop launcher reads it: unescape the string, then split into
// arguments the way the Desktop Entry rules say.
QStringList execArguments(QString value) {
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const QChar n = value[++i];
            unescaped += n == 's' ? QChar(' ') : n == 'n' ? QChar('\n') : n;
        } else {
            unescaped += value[i];
        }
    }
    QStringList args;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (quoted && c == '\\' && i + 1 < unescaped.size()) {
            current += unescaped[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!current.isEmpty())
                args.append(current);
            current.clear();
        } else if (c == '%' && i + 1 < unescaped.size() && unescaped[i + 1] == '%') {
            current += '%';
            ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        args.append(current);
    return args;
}

QString execLine(const QByteArray& desktopFile) {
    for (const QByteArray& line : desktopFile.split('\n'))
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    return {};
}

} // namespace

TEST_F(HiveFixture, ValuesPersistAndKeyPathsIgnoreCase) {
    registry.SetRegistryString(HKEY_CURRENT_USER, "Software\\Lumera", "Name", "值 \"quoted\" \\");
    EXPECT_EQ(registry.value(HKEY_CURRENT_USER, "software\\LUMERA", "name"), "值 \"quoted\" \\");
    HiveRegistry again(dir.file("Lumera/registry.hive"), std::nullopt);
    EXPECT_EQ(again.value(HKEY_CURRENT_USER, "Software\\Lumera", "Name"), "值 \"quoted\" \\");
    registry.SetRegistryString(HKEY_CURRENT_USER, "SOFTWARE\\lumera", "NAME", "second");
    EXPECT_EQ(again.value(HKEY_CURRENT_USER, "Software\\Lumera", "Name"), "second");
    // Another root is another place.
    EXPECT_EQ(again.value(0x80000002u, "Software\\Lumera", "Name"), "");
}

TEST_F(HiveFixture, RunValueWritesAndDeletesTheAutostartEntry) {
    const QString program = dir.path() + "/我的 程序/$HOME`x`/50%/Korvid";
    registry.SetRegistryString(HKEY_CURRENT_USER, kRun, "Radio", program);
    const QString entry = dir.file("autostart/Radio.desktop");
    ASSERT_TRUE(QFileInfo::exists(entry));
    const QByteArray text = dir.read(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_EQ(execArguments(execLine(text)), QStringList{program});
    EXPECT_TRUE(text.contains("\nTryExec=" + program.toUtf8() + "\n"));

    // An installed program starts through its launcher, which goes with the package.
    const QString installed = dir.path() + "/usr/lib/lumera/Korvid";
    QFile launcher(dir.write("usr/bin/Korvid", "#!/bin/sh\n"));
    launcher.setPermissions(launcher.permissions() | QFile::ExeOwner);
    registry.SetRegistryString(HKEY_CURRENT_USER, kRun, "Radio", installed);
    EXPECT_EQ(execArguments(execLine(dir.read(entry))),
              QStringList{dir.path() + "/usr/bin/Korvid"});
    EXPECT_TRUE(dir.read(entry).contains("\nTryExec=" + dir.path().toUtf8() + "/usr/bin/Korvid\n"));

    registry.DeleteRegistryValue(HKEY_CURRENT_USER, kRun, "Radio");
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_EQ(registry.value(HKEY_CURRENT_USER, kRun, "Radio"), "");
    // Deleting what is not there: no error, no change.
    registry.DeleteRegistryValue(HKEY_CURRENT_USER, kRun, "Radio");
    registry.DeleteRegistryValue(HKEY_CURRENT_USER, "No\\Such\\Key", "Radio");
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST_F(HiveFixture, UnwritableAutostartFolderIsSkippedSilently) {
    dir.write("autostart", "a file, not a folder");
    registry.SetRegistryString(HKEY_CURRENT_USER, kRun, "Radio", "/opt/Korvid");
    // The hive keeps it, but with no log-on entry the program does not start at log-on.
    const HiveRegistry hiveOnly(dir.file("Lumera/registry.hive"), std::nullopt);
    EXPECT_EQ(hiveOnly.value(HKEY_CURRENT_USER, kRun, "Radio"), "/opt/Korvid");
    EXPECT_EQ(registry.value(HKEY_CURRENT_USER, kRun, "Radio"), "");
}

TEST(HiveFile, GarbageLinesAreDroppedAndGoodOnesKept) {
    const HiveFile hive = HiveFile::parse("\"orphan\"=\"before any key\"\n"
                                          "[HKEY_CURRENT_USER\\A]\n"
                                          "\"x\"=\"1\"\n"
                                          "garbage \x01\x02\n"
                                          "\"unterminated=\"2\n"
                                          "\"y\"=\"2\" trailing\n"
                                          "[]\n"
                                          "\"z\"=\"3\"\n"
                                          "[hkey_current_user\\a]\n"
                                          "\"X\"=\"again\"\n");
    ASSERT_EQ(hive.keys().size(), 1u);
    EXPECT_EQ(hive.value("HKEY_CURRENT_USER\\A", "x"), "again");
    EXPECT_EQ(hive.value("HKEY_CURRENT_USER\\A", "z"), "3");
    EXPECT_FALSE(hive.value("HKEY_CURRENT_USER\\A", "y").has_value());
    // It is written as hives on disk are, and that reads back as itself.
    const std::string written = "[HKEY_CURRENT_USER\\A]\n\"x\"=\"again\"\n\"z\"=\"3\"\n\n";
    EXPECT_EQ(hive.serialise().toStdString(), written);
    EXPECT_EQ(HiveFile::parse(QString::fromStdString(written)).serialise().toStdString(), written);
}

TEST(AutostartEntry, ExecArgumentIsQuotedForLaunchers) {
    EXPECT_EQ(desktopExecArgument("/opt/a b/Korvid"), "\"/opt/a b/Korvid\"");
    EXPECT_EQ(desktopExecArgument("/x/\"q\"/$v/`c`/\\/100%"),
              "\"/x/\\\\\"q\\\\\"/\\\\$v/\\\\`c\\\\`/\\\\\\\\/100%%\"");
}
