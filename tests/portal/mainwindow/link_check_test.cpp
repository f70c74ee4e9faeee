#include "portal/directory/DirectoryTree.h"
#include "portal/directory/LinkCheck.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/PictureBox.h"
#include "portal/mainwindow/StatusBar.h"
#include "support/FakeLinkProber.h"
#include "support/FrmmainHarness.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(9, 0));

LinkAnswer answered(int status, const QString& final) {
    return {LinkAnswer::Answered, status, final, {}};
}

TEST(LinkMarks, AnswersJudgedAndKept) {
    const QString a = "http://127.0.0.1:81/a";
    const auto judge = [&](const LinkAnswer& answer) { return judgeLinkAnswer(a, answer, kNow); };
    EXPECT_EQ(judge(answered(200, a + "/next")).state, LinkMark::Reachable); // same host
    EXPECT_EQ(judge(answered(206, "HTTP://127.0.0.1:81/")).state, LinkMark::Reachable);
    EXPECT_EQ(judge(answered(200, "http://localhost:81/a")),
              (LinkMark{LinkMark::Moved, {}, "http://localhost:81/a", kNow}));
    // A redirect the prober would not follow: from https to plain http on the same host.
    EXPECT_EQ(judgeLinkAnswer("https://127.0.0.1/a", answered(301, "http://127.0.0.1/a"), kNow),
              (LinkMark{LinkMark::Moved, {}, "http://127.0.0.1/a", kNow}));
    EXPECT_EQ(judge(answered(304, a)).state, LinkMark::Reachable);
    EXPECT_EQ(judge(answered(404, a)).reason, "网站回答 HTTP 404");
    EXPECT_EQ(judge(answered(503, a)).state, LinkMark::Dead);
    for (auto outcome : {LinkAnswer::NameNotFound, LinkAnswer::Refused, LinkAnswer::TlsFailed,
                         LinkAnswer::TimedOut, LinkAnswer::TooManyRedirects}) {
        const LinkMark mark = judge({outcome, 0, {}, {}});
        EXPECT_EQ(mark.state, LinkMark::Dead);
        EXPECT_FALSE(mark.reason.isEmpty());
    }
    EXPECT_TRUE(linkMarkTip(judge(answered(404, a))).contains("2026-12-07"));

    LinkMarks marks{{a, judge(answered(404, a))},
                    {"http://b/", judge(answered(200, "http://c/\tx"))}};
    const QByteArray bytes = linkMarksBytes(marks);
    marks["http://b/"].movedTo = "http://c/ x";
    EXPECT_EQ(parseLinkMarks(bytes), marks);
    // Lines that do not read are passed over; a file of another kind gives nothing.
    EXPECT_EQ(parseLinkMarks(bytes + "x\tdead\tnot a time\t\t\nhalf\n").size(), 2);
    EXPECT_TRUE(parseLinkMarks("junk\n" + bytes).isEmpty());
}

TEST(LinkCheckRun, SixAtOnceAndStopsCleanly) {
    FakeLinkProber prober;
    QStringList addresses;
    for (int i = 0; i < 10; ++i)
        addresses.append(QStringLiteral("http://127.0.0.1/%1").arg(i));
    LinkCheck check(prober, addresses);
    QSignalSpy checked(&check, &LinkCheck::checked);
    QSignalSpy finished(&check, &LinkCheck::finished);
    check.start();
    EXPECT_EQ(prober.openAddresses(), addresses.mid(0, 6));
    prober.answer(addresses[2], answered(200, addresses[2]));
    EXPECT_EQ(prober.open.size(), 6);
    EXPECT_EQ(prober.asked.size(), 7);
    EXPECT_EQ(check.done(), 1);
    check.stop();
    EXPECT_TRUE(prober.open.isEmpty());
    EXPECT_EQ(prober.cancelled.size(), 6);
    EXPECT_EQ(prober.asked.size(), 7);
    EXPECT_EQ(checked.size(), 1);
    EXPECT_EQ(finished.size(), 0);
}

class FrmmainLinkCheckTest : public ::testing::Test {
protected:
    FrmmainHarness harness;
    Frmmain* window = harness.open();

    QString panel() const { return window->Stat->panelText(1); }
    // Answers every open request: the first station dead, the second moved, the rest fine.
    void answerAll() {
        while (!harness.links.open.isEmpty()) {
            const QString address = harness.links.openAddresses().first();
            const QString first = nodeKey(nodeAt(*window->tvw, 5));
            const QString second = nodeKey(nodeAt(*window->tvw, 6));
            harness.links.answer(address, address == first    ? answered(404, address)
                                          : address == second ? answered(200, "https://elsewhere/")
                                                              : answered(200, address));
        }
    }
};

} // namespace

TEST_F(FrmmainLinkCheckTest, MarksShowInTheTreeAndSurviveARestart) {
    EXPECT_TRUE(harness.links.asked.isEmpty()); // nothing runs unless chosen
    window->loadRadio();
    window->CheckLinks_Click();
    EXPECT_EQ(panel(), "正在检查链接 0/36");
    EXPECT_EQ(harness.links.open.size(), 6);
    harness.links.answer(harness.links.openAddresses().last(), answered(200, {}));
    EXPECT_EQ(panel(), "正在检查链接 1/36");
    EXPECT_GT(window->PicPro->width(), 0);
    answerAll();
    EXPECT_EQ(harness.links.asked.size(), 36);
    EXPECT_EQ(panel(), "链接检查完成：34 个可以打开，1 个已迁移，1 个失效");
    EXPECT_EQ(window->PicPro->width(), 0);

    const auto expectMarks = [](Frmmain* w) {
        QTreeWidgetItem* dead = nodeAt(*w->tvw, 5);
        EXPECT_EQ(dead->toolTip(0), "链接失效：网站回答 HTTP 404\n检查于 2026-12-07 09:00");
        EXPECT_EQ(dead->foreground(0).color(), QColor(150, 150, 150));
        EXPECT_TRUE(nodeAt(*w->tvw, 6)->toolTip(0).contains("https://elsewhere/"));
        EXPECT_FALSE(nodeAt(*w->tvw, 6)->data(0, Qt::ForegroundRole).isValid());
        w->HideDeadLinks->setChecked(true);
        w->applyLinkMarks();
        EXPECT_TRUE(dead->isHidden());
        EXPECT_FALSE(nodeAt(*w->tvw, 6)->isHidden());
    };
    expectMarks(window);
    // A window made later (as after a restart) reads the marks from the file.
    Frmmain* later = harness.open();
    later->loadRadio();
    expectMarks(later);
}

TEST_F(FrmmainLinkCheckTest, ChoosingAgainSwitchingOrClosingStops) {
    for (int way = 0; way < 3; ++way) {
        window->LoadChannels();
        harness.links.cancelled.clear();
        window->CheckLinks_Click();
        EXPECT_EQ(panel(), "正在检查链接 0/118");
        harness.links.answer(harness.links.openAddresses().first(), answered(404, {}));
        if (way == 0)
            window->CheckLinks_Click();
        else if (way == 1)
            window->loadRadio();
        else
            window->close();
        EXPECT_EQ(harness.links.cancelled.size(), 6) << way;
        EXPECT_TRUE(harness.links.open.isEmpty()) << way;
        EXPECT_EQ(panel(), "链接检查已停止 1/118") << way;
    }
    // What was found before the stop is kept.
    EXPECT_TRUE(QFile(linkMarksPath(harness.context.userDataFolder)).size() > 20);
}

TEST_F(FrmmainLinkCheckTest, WindowsKeepEachOthersMarks) {
    Frmmain* other = harness.open(); // built before any check
    window->loadRadio();
    other->loadRadio();
    const QString first = nodeKey(nodeAt(*window->tvw, 5));
    // The first window checks to the end.
    window->CheckLinks_Click();
    answerAll();
    // The other starts later, while the first checks again; the other's answer is newer.
    window->CheckLinks_Click();
    harness.links.answer(first, answered(503, first));
    harness.clock.time = harness.clock.time.addSecs(60);
    other->CheckLinks_Click();
    harness.links.answer(first, answered(200, first));
    other->CheckLinks_Click(); // stopped after one answer
    EXPECT_EQ(readLinkMarks(linkMarksPath(harness.context.userDataFolder)).size(), 36);
    window->CheckLinks_Click(); // the older finding is written last
    const LinkMarks stored = readLinkMarks(linkMarksPath(harness.context.userDataFolder));
    EXPECT_EQ(stored.size(), 36);
    EXPECT_EQ(stored.value(first).state, LinkMark::Reachable);
    EXPECT_EQ(stored.value(nodeKey(nodeAt(*window->tvw, 6))).state, LinkMark::Moved);
    // Both windows show what the file holds.
    for (Frmmain* w : {window, other})
        EXPECT_TRUE(nodeAt(*w->tvw, 5)->toolTip(0).startsWith("链接可以打开")) << w;
}
