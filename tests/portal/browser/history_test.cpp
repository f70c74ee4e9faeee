#include "platform/text/AnsiCodec.h"
#include "portal/PortalState.h"
#include "portal/browser/History.h"
#include "portal/browser/HistoryPage.h"
#include "support/TestFolders.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using lumera::decodeAnsi;
using lumera::encodeAnsi;
using namespace lumera::portal;

namespace {

const QDateTime kVisit(QDate(2026, 5, 17), QTime(20, 15, 42));

QByteArray rowBytes(const QString& title, const QString& address = "http://127.0.0.1/a") {
    return encodeAnsi(historyRow(kVisit, address, title));
}

class HistoryTest : public ::testing::Test {
protected:
    lumera::test::TestFolder folder;
    PortalState state;

    QByteArray hisDat() const { return folder.read("his.dat"); }
    QByteArray page() const { return folder.read("history.html"); }
    void visit(const QString& title) { AddHistoryRow(state, title, "http://127.0.0.1/a", kVisit); }
    QString showPage() { return writeHistoryPage(state, folder.path(), historyPageHeader()); }
};

TEST_F(HistoryTest, MergesNewestFirstAndSkipsEmptyLinesWhenReadBack) {
    visit("A");
    visit("B");
    const QString pagePath = showPage();
    EXPECT_EQ(pagePath, folder.file("history.html"));
    EXPECT_EQ(hisDat(), rowBytes("B") + "\r\n" + rowBytes("A") + "\r\n\r\n");
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
    EXPECT_LT(page().indexOf(rowBytes("B")), page().indexOf(rowBytes("A")));

    // The empty line written last time is skipped when the file is read again.
    visit("C");
    showPage();
    EXPECT_EQ(hisDat(),
              rowBytes("C") + "\r\n\r\n" + rowBytes("B") + "\r\n" + rowBytes("A") + "\r\n");
    const QByteArray rows = rowBytes("C") + "\r\n\r\n" + rowBytes("B") + "\r\n" + rowBytes("A");
    EXPECT_TRUE(page().contains(rows));

    // No visit in between: no new row, the same rows shown.
    showPage();
    EXPECT_EQ(hisDat(),
              "\r\n" + rowBytes("C") + "\r\n" + rowBytes("B") + "\r\n" + rowBytes("A") + "\r\n");
    EXPECT_EQ(page().count("<tr>  <td>"), 3);
}

TEST_F(HistoryTest, KeepsTheNonEmptyLinesAmongTheFirstThousand) {
    QByteArray stored;
    for (int i = 1; i <= 1500; ++i)
        stored += (i % 100 == 0 ? QByteArray() : "old" + QByteArray::number(i)) + "\r\n";
    folder.write("his.dat", stored);
    visit("new");
    ASSERT_TRUE(SaveHistoryFile(state, folder.path()));

    QByteArray expected = rowBytes("new") + "\r\n";
    for (int i = 1; i <= 1000; ++i) {
        if (i % 100 != 0)
            expected += "\r\nold" + QByteArray::number(i);
    }
    expected += "\r\n";
    EXPECT_EQ(hisDat(), expected);
    // The buffer holds the merge; emptying it is the caller's business.
    EXPECT_EQ(encodeAnsi(state.HistoryBuffer) + "\r\n", expected);
}

TEST_F(HistoryTest, ABufferOfManyVisitsKeepsItsNewestThousandRows) {
    for (int i = 1; i <= HistoryFileLineLimit + 500; ++i)
        visit("title " + QString::number(i));
    EXPECT_EQ(state.HistoryBuffer.count(QStringLiteral("\r\n")), HistoryFileLineLimit);
    EXPECT_TRUE(
        state.HistoryBuffer.startsWith(historyRow(kVisit, "http://127.0.0.1/a", "title 1500")));
    EXPECT_TRUE(state.HistoryBuffer.endsWith(historyRow(kVisit, "http://127.0.0.1/a", "title 501") +
                                             "\r\n"));

    // Merged with a full file: the session's rows, then the first thousand stored lines.
    QByteArray stored;
    for (int i = 1; i <= HistoryFileLineLimit; ++i)
        stored += "old" + QByteArray::number(i) + "\r\n";
    folder.write("his.dat", stored);
    ASSERT_TRUE(SaveHistoryFile(state, folder.path()));
    const QList<QByteArray> lines = hisDat().split('\n');
    EXPECT_EQ(lines.size(), 2 * HistoryFileLineLimit + 2);
    EXPECT_EQ(lines.at(HistoryFileLineLimit - 1), rowBytes("title 501") + "\r");
    EXPECT_EQ(lines.at(HistoryFileLineLimit), "\r");
    EXPECT_EQ(lines.at(2 * HistoryFileLineLimit), "old1000\r");
}

TEST_F(HistoryTest, PageHeaderIsByteExactAndFollowedByAnEmptyLine) {
    const QByteArray header = encodeAnsi(historyPageHeader());
    EXPECT_EQ(header.size(), 647);
    EXPECT_EQ(header.count("\r\n"), 18);
    EXPECT_EQ(header.count('\n'), 18);
    EXPECT_TRUE(
        header.startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\""));
    EXPECT_TRUE(header.endsWith("</td>   \r\n  </tr>\r\n"));

    visit("A");
    showPage();
    EXPECT_EQ(page(), header + "\r\n" + rowBytes("A") + "\r\n\r\n</table></body></html>\r\n");
}

TEST_F(HistoryTest, RowEscapesTitleAndQuotesTheAddress) {
    const QString row = historyRow(kVisit, "http://127.0.0.1/a b?x=1&y=\"2\"",
                                   "<script>alert(1)</script> & \"more\"");
    EXPECT_TRUE(row.startsWith("<tr>  <td>2026/5/17 20:15:42</td>"));
    EXPECT_TRUE(
        row.contains("</td>  <td>  <a href=\"http://127.0.0.1/a b?x=1&amp;y=&quot;2&quot;\">"
                     "&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;more&quot;</a>"));
    EXPECT_TRUE(row.endsWith("</a>  </td>  <td>  Lumera桌面</td> </tr>"));
    EXPECT_FALSE(row.contains("<script>"));

    // The title is cut to 38 characters before escaping; a row is always one line.
    const QString longTitle = QString(37, QChar(u'电')) + "<>xyz";
    EXPECT_TRUE(
        historyRow(kVisit, "u", longTitle).contains(QString(37, QChar(u'电')) + "&lt;</a>"));
    EXPECT_FALSE(historyRow(kVisit, "u\r\nv", "a\nb").contains('\n'));
}

TEST_F(HistoryTest, UnreadableFileIsLeftAloneAndTheBufferKeepsItsRows) {
    folder.write("his.dat", "stored row\r\n");
    visit("A");
    const QString before = state.HistoryBuffer;
    const auto unreadable = [](const QString&) {
        return HistoryFileBytes{HistoryFileBytes::Status::Unreadable, {}};
    };
    EXPECT_FALSE(SaveHistoryFile(state, folder.path(), unreadable));
    EXPECT_EQ(hisDat(), "stored row\r\n");
    EXPECT_EQ(state.HistoryBuffer, before);

    // his.dat as a folder cannot be read either: the page still shows the new rows and the
    // buffer keeps them for the next merge.
    QFile::remove(folder.file("his.dat"));
    QDir(folder.path()).mkdir("his.dat");
    showPage();
    EXPECT_TRUE(QFileInfo(folder.file("his.dat")).isDir());
    EXPECT_EQ(state.HistoryBuffer, before);
    EXPECT_TRUE(page().contains(rowBytes("A")));
    SaveHistoryAtLastClose(state, folder.path());
    EXPECT_EQ(state.HistoryBuffer, before);
}

TEST_F(HistoryTest, LastCloseEmptiesTheBufferOnlyAfterASave) {
    visit("A");
    SaveHistoryAtLastClose(state, folder.path());
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
    // A main window opened later merges its rows once, without repeating the stored ones.
    visit("B");
    SaveHistoryAtLastClose(state, folder.path());
    EXPECT_EQ(hisDat(), rowBytes("B") + "\r\n\r\n" + rowBytes("A") + "\r\n");
}

// A write that cannot finish (full disk, crash) must leave the old his.dat whole. The file
// size limit makes the write of the temporary file fail part-way.
TEST_F(HistoryTest, FullDiskMidWriteLeavesTheOldFileWhole) {
    const QByteArray old = "old row\r\n";
    folder.write("his.dat", old);
    visit(QString(38, QChar('x')));
    const QString before = state.HistoryBuffer;

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool savedFile = SaveHistoryFile(state, folder.path());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedFile);
    EXPECT_EQ(hisDat(), old);
    EXPECT_EQ(state.HistoryBuffer, before);
}

TEST_F(HistoryTest, CrashMidWriteLeavesTheOldFileWhole) {
    QByteArray old;
    for (int i = 0; i < 50; ++i)
        old += "stored row " + QByteArray::number(i) + "\r\n";
    folder.write("his.dat", old);
    visit("A");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Killed by SIGXFSZ as soon as the write passes 256 bytes.
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit tiny{256, 256};
        setrlimit(RLIMIT_FSIZE, &tiny);
        SaveHistoryFile(state, folder.path());
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(hisDat(), old);
}

TEST_F(HistoryTest, BadFilesAreMergedWithoutLosingWhatIsKept) {
    // Random bytes are kept byte for byte.
    QByteArray noise(64 * 1024, 'x');
    for (char& c : noise)
        c = char(QRandomGenerator::global()->bounded(14, 256));
    folder.write("his.dat", noise);
    ASSERT_TRUE(SaveHistoryFile(state, folder.path()));
    EXPECT_EQ(hisDat(), "\r\n" + noise + "\r\n");

    // A line of 10 MB among 100,000 lines: the first thousand lines stay, the long one whole.
    PortalState fresh;
    QByteArray many = "first\r\n" + QByteArray(10 * 1024 * 1024, 'y') + "\r\n";
    for (int i = 0; i < 100000; ++i)
        many += "r" + QByteArray::number(i) + "\n";
    folder.write("his.dat", many);
    ASSERT_TRUE(SaveHistoryFile(fresh, folder.path()));
    const QByteArray merged = hisDat();
    EXPECT_EQ(merged.count("\r\n"), 1001);
    EXPECT_TRUE(merged.contains("\r\n" + QByteArray(10 * 1024 * 1024, 'y') + "\r\nr0\r\n"));
    EXPECT_TRUE(merged.endsWith("\r\nr997\r\n"));
}

} // namespace
