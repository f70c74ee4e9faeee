#include "portal/PageWindowLimiter.h"
#include "portal/browser/BrowserRules.h"
#include "portal/browser/NewWindowRule.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace lumera::portal;

namespace {

// Restores the default locale a test changed.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(saved_); }

private:
    QLocale saved_ = QLocale();
};

TitleOutcome title(const QString& text, QString& last, const QString& url = "https://a.example/") {
    return titleOutcome({text, url, "https://www.cri.cn/radio/"}, last);
}

} // namespace

TEST(StatusText, DoneAndEmptyAreShownButNotRemembered) {
    QString last = "earlier";
    EXPECT_EQ(statusPanelText("完成", last), "完成");
    EXPECT_EQ(statusPanelText("", last), "");
    EXPECT_EQ(last, "earlier");
    EXPECT_EQ(statusPanelText("正在打开网页", last), "正在打开网页");
    EXPECT_EQ(last, "正在打开网页");
}

TEST(StatusText, AddressesAreHiddenButRemembered) {
    QString last;
    EXPECT_EQ(statusPanelText("https://movie.example.com/a", last), kHiddenLinkStatus);
    EXPECT_EQ(last, "https://movie.example.com/a");
    EXPECT_EQ(statusPanelText("http", last), kHiddenLinkStatus);
    // Only the first four letters count, exactly: neither a capital nor a leading blank.
    EXPECT_EQ(statusPanelText("HTTP://x.cn", last), "HTTP://x.cn");
    EXPECT_EQ(statusPanelText(" http://x.cn", last), " http://x.cn");
    EXPECT_EQ(statusPanelText("htt", last), "htt");
}

TEST(Progress, FinishedEmptyAndOutOfRange) {
    EXPECT_EQ(progressTexts(-1, 100).percent, "100%");
    EXPECT_EQ(progressTexts(-1, 0).notice, "");
    for (auto [p, m] : {std::pair{0, 100}, {50, 0}, {-5, 100}, {50, -1}, {101, 100}, {-2, 100}}) {
        const ProgressTexts texts = progressTexts(p, m);
        EXPECT_EQ(texts.percent, "") << p << "/" << m;
        EXPECT_EQ(texts.notice, "") << p << "/" << m;
    }
    // A whole page: 100% and no notice.
    EXPECT_EQ(progressTexts(100, 100).percent, "100%");
    EXPECT_EQ(progressTexts(100, 100).notice, "");
}

TEST(Progress, ProductBeyondThirtyTwoBitsIsSkipped) {
    EXPECT_EQ(progressTexts(21474836, 2147483647).notice, kLoadingNotice);
    EXPECT_EQ(progressTexts(21474837, 2147483647).percent, "");
    EXPECT_EQ(progressTexts(2147483647, 2147483647).notice, "");
}

TEST(Progress, SingleRatioInTheLocaleForm) {
    {
        LocaleGuard c(QLocale::c());
        EXPECT_EQ(progressTexts(1, 3).percent, "33.33333%");
        EXPECT_EQ(progressTexts(1, 3).notice, kLoadingNotice);
        EXPECT_EQ(progressTexts(1, 2).percent, "50%");
        EXPECT_EQ(progressTexts(2, 3).percent, "66.66666%");
    }
    LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(progressTexts(1, 3).percent, "33,33333%");
}

TEST(Title, CutRecordAndCaption) {
    QString last;
    const QString longTitle = QString(150, QChar(u'影'));
    TitleOutcome outcome = title(longTitle, last);
    EXPECT_EQ(outcome.title, QString(100, QChar(u'影')));
    EXPECT_EQ(outcome.caption, QString(100, QChar(u'影')) + " - Lumera桌面");
    EXPECT_TRUE(outcome.record);
    EXPECT_EQ(last, outcome.title);

    // The same title again is not recorded twice; after another one it is.
    EXPECT_FALSE(title(longTitle, last).record);
    EXPECT_TRUE(title("别的", last).record);
    EXPECT_TRUE(title(longTitle, last).record);
}

TEST(Title, EmptyTitleShowsTheAddressAndRecordsNothing) {
    QString last = "x";
    const TitleOutcome outcome = title("", last, "https://tv.example.cn/live/");
    EXPECT_EQ(outcome.caption, "https://tv.example.cn/live/ - Lumera桌面");
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(last, "x");
}

TEST(Title, HistoryPageAndDefaultRadioPageAreKeptOut) {
    QString last = "before";
    TitleOutcome outcome = title("电影观看历史", last);
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(outcome.caption, "电影观看历史 - Lumera桌面");
    outcome = title("音乐电台", last, "https://www.cri.cn/radio/");
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(last, "before");
    // Only exactly that address: a page below it is recorded.
    EXPECT_TRUE(title("音乐电台", last, "https://www.cri.cn/radio/pop.htm").record);
}

TEST(Title, IdeographicSpaceClosesTheWindow) {
    QString last = "before";
    const TitleOutcome outcome = title(QStringLiteral("广告\u3000弹窗"), last);
    EXPECT_TRUE(outcome.closeWindow);
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(last, "before");
    // Past the hundredth character it is cut away first and does not count.
    EXPECT_FALSE(title(QString(100, 'a') + QChar(0x3000), last).closeWindow);
}

TEST(Title, HugeAndOddTitlesAreHandled) {
    QString last;
    EXPECT_EQ(title(QString(10000, 'x'), last).title.size(), 100);
    // Control characters stay as the page gave them.
    const QString control = QStringLiteral("a\tb\nc\u0001");
    EXPECT_EQ(title(control, last).caption, control + kCaptionSuffix);
    // A character outside the basic plane is not cut in half.
    const QString astral = QString(99, 'a') + QString::fromUcs4(U"\U0001F3AC");
    EXPECT_EQ(title(astral, last).title, QString(99, 'a'));
}

TEST(SiteKeyRule, HostTailAfterTheFirstDot) {
    EXPECT_EQ(SiteKey("http://www.iqiyi.com/dianying/"), "qiyi.com");
    EXPECT_EQ(SiteKey("http://www.1ting.com/rand.php?g=108"), "ting.com");
    EXPECT_EQ(SiteKey("http://www.verylongsite.com/"), "site.com");
    EXPECT_EQ(SiteKey("http://movie.douban.com"), "uban.com");
    // No slash after the dot: the last eight characters of everything after it.
    EXPECT_EQ(SiteKey("www.example.org"), "mple.org");
    // No dot at all: the address up to its first slash.
    EXPECT_EQ(SiteKey("localhost/page"), "ocalhost");
    EXPECT_EQ(SiteKey("abc"), "abc");
    EXPECT_EQ(SiteKey(""), "");
    EXPECT_EQ(SiteKey("http://a./x"), "");
    // Exact and case-sensitive.
    EXPECT_NE(SiteKey("http://www.siteA.cn/"), SiteKey("http://www.sitea.cn/"));
}

TEST(NewWindow, PartRuleWithTheSwitchCleared) {
    const QString at150(150, 'x');
    const QString at151(151, 'x');
    NewWindowInput input{"", "", "http://www.example.com/"};
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    input.lastStatusText = at150;
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    input.lastStatusText = at151;
    EXPECT_EQ(newWindowAction(input), NewWindowAction::LeaveAlone);
    // A clicked link opens whatever the status text.
    input.activeHref = "http://other.cn/";
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    // Same site keys let a long status text through.
    input.activeHref.clear();
    input.lastStatusText = "http://img.example.com/" + QString(140, 'y');
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    input.lastStatusText = "http://img.elsewhere.net/" + QString(140, 'y');
    EXPECT_EQ(newWindowAction(input), NewWindowAction::LeaveAlone);
}

TEST(NewWindow, TickedSwitchRefusesWhatThePageStartsItself) {
    NewWindowInput input{"", "", "http://www.example.com/", false, true};
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Refuse);
    input.userInitiated = true;
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    input.userInitiated = false;
    input.activeHref = "http://www.example.com/next";
    EXPECT_EQ(newWindowAction(input), NewWindowAction::Open);
    // A user's request still follows the status-text rule.
    input.activeHref.clear();
    input.userInitiated = true;
    input.lastStatusText = QString(151, 'x');
    EXPECT_EQ(newWindowAction(input), NewWindowAction::LeaveAlone);
}

TEST(NewWindow, PageWindowsAreRateLimited) {
    PageWindowLimiter limiter;
    const QDateTime start(QDate(2024, 5, 1), QTime(12, 0));
    int opened = 0;
    for (int i = 0; i < 100; ++i)
        opened += limiter.allow(start.addMSecs(i * 10));
    EXPECT_EQ(opened, PageWindowLimiter::kMaxWindows);
    // Once the span has passed since the first ones, more may open, but no flood.
    EXPECT_TRUE(limiter.allow(start.addSecs(PageWindowLimiter::kSpanSeconds + 1)));
    // A clock set back does not lock windows out for good.
    PageWindowLimiter back;
    for (int i = 0; i < PageWindowLimiter::kMaxWindows; ++i)
        back.allow(start);
    EXPECT_FALSE(back.allow(start));
    EXPECT_TRUE(back.allow(start.addSecs(-3600)));
}
