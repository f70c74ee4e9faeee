#include "portal/directory/CommandSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "support/ActiveWindow.h"
#include "support/FrmmainHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;

namespace {

const QString kHint = QStringLiteral("电影名称 / 演员姓名");

class SearchBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.sites.setOrigin(kFilmSearchService, "http://127.0.0.1:8123");
        t.sites.setOrigin(kBaiduVideoService, "http://127.0.0.1:8124");
        w.reset(new Frmmain(t.context));
    }

    FakeWebBrowser* web() const { return test::FrmmainHarness::fakeWeb(w.get()); }
    void type(const QString& query) { w->CmbSearch->setEditText(query); }
    void choose(int engine) {
        w->CmbType->setCurrentIndex(engine);
        w->CmbType_Click();
    }
    static QStringList entries(const QComboBox* box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list.append(box->itemText(i));
        return list;
    }
    QString baidu(const QString& q) const {
        return "http://127.0.0.1:8124/v?ct=301989888&rn=20&pn=0&db=0&word=" + q +
               "&ty=21&old=&nf=1";
    }

    test::FrmmainHarness t;
    std::unique_ptr<Frmmain> w;
};

} // namespace

TEST_F(SearchBarTest, FilmSiteSearchGoesToItsResultPage) {
    type("Doskar");
    choose(7);
    const QString expected = "http://127.0.0.1:8123/search/index-p-type-all-q-Doskar.html";
    EXPECT_EQ(web()->navigations, QStringList{expected});
    EXPECT_EQ(w->TargetUrl, expected);
    // The sample entry is not repeated.
    EXPECT_EQ(w->CmbSearch->count(), 4);
}

TEST_F(SearchBarTest, ButtonAndEnterSearchTheFirstEngineWhileNothingIsChosen) {
    type("Abc");
    w->Cmd->click();
    type("abc");
    QTest::keyClick(w->CmbSearch, Qt::Key_Return);
    EXPECT_EQ(web()->navigations, QStringList({baidu("Abc"), baidu("abc")}))
        << web()->navigations.join('\n').toStdString();
    ASSERT_EQ(w->CmbSearch->count(), 6);
    EXPECT_EQ(w->CmbSearch->itemText(4), "Abc");
    EXPECT_EQ(w->CmbSearch->itemText(5), "abc");
    EXPECT_EQ(w->CmbSearch->currentText(), "abc");
    QTest::keyClick(w->CmbSearch->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(web()->navigations.size(), 3);
    web()->navigations.removeLast();
    // Other keys do nothing.
    w->CmbSearch_KeyDown(40);
    EXPECT_EQ(web()->navigations.size(), 2);
}

TEST_F(SearchBarTest, HintIsSearchedAsItStandsButAnEmptyQueryDoesNothing) {
    w->Cmd_Click();
    EXPECT_EQ(web()->navigations, QStringList{baidu(kHint)});
    EXPECT_EQ(w->CmbSearch->itemText(4), kHint);
    web()->navigations.clear();
    w->TargetUrl.clear();
    type("");
    w->Cmd_Click();
    w->CmbSearch_KeyDown(13);
    choose(7);
    EXPECT_TRUE(web()->navigations.isEmpty());
    EXPECT_TRUE(w->TargetUrl.isEmpty());
}

TEST_F(SearchBarTest, SearchMovesTheFocusToTheScrollBox) {
    w->show();
    test::makeActive(w.get());
    w->CmbSearch->setFocus();
    type("Doskar");
    w->Cmd_Click();
    EXPECT_TRUE(w->Cmb->hasFocus());
}

TEST_F(SearchBarTest, LeavingTheBoxesNeitherSearchesNorChangesTheText) {
    type("Abc");
    w->Cmd_Click();
    web()->navigations.clear();
    type("abc");
    for (QComboBox* box : {w->CmbType, w->CmbSearch}) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box->lineEdit(), &out);
    }
    EXPECT_TRUE(web()->navigations.isEmpty());
    EXPECT_EQ(w->CmbSearch->currentText(), "abc");
    EXPECT_EQ(w->CmbType->currentText(), "百度电影");
}

TEST_F(SearchBarTest, FocusOnTheQueryBoxPausesTheMousePump) {
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(w->CmbSearch, &in);
    EXPECT_TRUE(t.state.MouseHookPaused);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(w->CmbSearch, &out);
    EXPECT_FALSE(t.state.MouseHookPaused);
}

TEST_F(SearchBarTest, QueriesAreInsertedAsTyped) {
    for (const QString& q :
         QStringList{"a b&c=d/e", "无间道 2", "tab\there", QString(100000, QChar(0x5F71))}) {
        type(q);
        w->Cmd_Click();
        // The box holds what it can of a huge query; that much reaches the pane.
        EXPECT_EQ(web()->navigations.last(), baidu(w->CmbSearch->currentText()));
        EXPECT_TRUE(q.startsWith(w->CmbSearch->currentText()));
    }
}

TEST_F(SearchBarTest, EachWindowStartsWithItsOwnList) {
    type("Vorlan");
    w->Cmd_Click();
    EXPECT_EQ(entries(w->CmbSearch),
              (QStringList{"Zorveth", "Kellamar", "Vintrel", "Doskar", "Vorlan"}));
    Frmmain second(t.context);
    EXPECT_EQ(entries(second.CmbSearch), (QStringList{"Zorveth", "Kellamar", "Vintrel", "Doskar"}));
    EXPECT_EQ(second.CmbSearch->currentText(), kHint);
    EXPECT_EQ(second.CmbType->currentText(), "百度电影");
    EXPECT_EQ(entries(second.CmbType),
              (QStringList{"百度电影", "综合电影", "迅雷看看", "爱奇艺", "乐视网", "PPTV",
                           "搜狐视频", "电影网", "优酷视频", "土豆网"}));
}
