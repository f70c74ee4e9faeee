#include "platform/text/AnsiCodec.h"
#include "platform/text/TextFile.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumera;
using lumera::test::TestFolder;

TEST(AnsiCodec, Gb2312TextHasItsKnownBytes) {
    // "电影" in GB2312 is B5 E7 D3 B0.
    EXPECT_EQ(encodeAnsi(QStringLiteral("电影")), QByteArray("\xB5\xE7\xD3\xB0"));
    EXPECT_EQ(decodeAnsi(QByteArray("\xB5\xE7\xD3\xB0")), QStringLiteral("电影"));
    EXPECT_EQ(encodeAnsi("abc"), QByteArray("abc"));
}

TEST(AnsiCodec, CharactersOutsideGb2312SurviveTheRoundTrip) {
    const QString text = QStringLiteral("€ 😀 ㈠ é 喆 «»");
    EXPECT_EQ(decodeAnsi(encodeAnsi(text)), text);
}

TEST(AnsiCodec, BadBytesBecomeReplacementCharacters) {
    // 0xFF is never valid; 0xB5 at the end is a cut-off sequence.
    const QString decoded = decodeAnsi(QByteArray("a\xFF"
                                                  "b\xB5"));
    EXPECT_EQ(decoded, QStringLiteral("a\uFFFDb\uFFFD"));
}

TEST(TextFile, ReadsAllLineEndsAndSkipsEmptyLines) {
    TestFolder dir;
    const QString path = dir.write("mixed.txt", "one\r\ntwo\rthree\n\r\n\n\rfour\r\n\r\nfive");
    const TextLines read = readTextLines(path);
    ASSERT_EQ(read.status, TextFileStatus::Ok);
    EXPECT_EQ(read.lines, QStringList({"one", "two", "three", "four", "five"}));
}

TEST(TextFile, LineLimitCountsOnlyNonEmptyLines) {
    TestFolder dir;
    const QString path = dir.write("limit.txt", "a\r\n\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(readTextLines(path, 2).lines, QStringList({"a", "b"}));
}

TEST(TextFile, WritesCrLfInGb18030AndReadsItBack) {
    TestFolder dir;
    const QString path = dir.file("out.txt");
    ASSERT_TRUE(writeTextLines(path, {QStringLiteral("电影,http://a/"), "b"}));
    EXPECT_EQ(dir.read(path), QByteArray("\xB5\xE7\xD3\xB0,http://a/\r\nb\r\n"));
    EXPECT_EQ(readTextLines(path).lines, QStringList({QStringLiteral("电影,http://a/"), "b"}));
}

TEST(TextFile, MissingAndUnreadableAreTold) {
    TestFolder dir;
    EXPECT_EQ(readTextLines(dir.file("none.txt")).status, TextFileStatus::Missing);
    EXPECT_EQ(readTextLines(dir.path()).status, TextFileStatus::Unreadable); // a folder
    if (::geteuid() != 0) { // root reads whatever the permissions say
        const QString path = dir.write("locked.txt", "x\r\n");
        ::chmod(QFile::encodeName(path).constData(), 0);
        EXPECT_EQ(readTextLines(path).status, TextFileStatus::Unreadable);
    }
}

TEST(TextFile, RandomBytesReadWithoutStopping) {
    TestFolder dir;
    QByteArray junk(256 * 1024, 0);
    QRandomGenerator rng(42);
    for (char& c : junk)
        c = char(rng.bounded(256));
    const QString path = dir.write("junk.bin", junk);
    const TextLines read = readTextLines(path);
    EXPECT_EQ(read.status, TextFileStatus::Ok);
    EXPECT_GT(read.lines.size(), 100);
    for (const QString& line : read.lines)
        EXPECT_FALSE(line.contains('\n') || line.contains('\r'));
}

TEST(TextFile, AFailedWriteLeavesTheOldFileWhole) {
    TestFolder dir;
    const QString path = dir.write("keep.txt", "old\r\n");
    // A target whose folder is gone cannot be written: nothing is replaced.
    EXPECT_FALSE(writeTextLines(dir.file("missing/folder/x.txt"), {"new"}));
    EXPECT_EQ(dir.read(path), QByteArray("old\r\n"));
    // The rename happens only after the whole text is out: no temporary file is left.
    ASSERT_TRUE(writeTextLines(path, {"new"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.txt"}));
}
