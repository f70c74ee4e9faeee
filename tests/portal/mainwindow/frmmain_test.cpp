#include "platform/registry/Registry.h"
#include "portal/browser/History.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/PictureBox.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/mainwindow/Twips.h"
#include "support/ActiveWindow.h"
#include "support/FrmmainHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");

class FrmmainTest : public ::testing::Test {
protected:
    test::FrmmainHarness t;

    Frmmain* load() { return new Frmmain(t.context); }
    QString cinema(const QString& section, const QString& key) const {
        return t.settings.read("cinema", section, key);
    }
    QString screenSaveActive() const {
        return t.registry.value(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive");
    }
    static FakeWebBrowser* web(Frmmain* w) { return test::FrmmainHarness::fakeWeb(w); }
};

TEST_F(FrmmainTest, LoadCountsAUseAndTurnsTheScreenSaverOff) {
    Frmmain* w = load();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->Web->silent());
    EXPECT_TRUE(w->WebPop->silent());
    EXPECT_EQ(qobject_cast<FakeWebBrowser*>(w->WebPop)->navigations,
              QStringList{t.sites.url(kVendorService, "/pop/right.html")});
    // Loading leaves the main pane to whoever made the window.
    EXPECT_TRUE(web(w)->navigations.isEmpty());
    EXPECT_EQ(screenSaveActive(), "0");
    EXPECT_EQ(t.state.MainWindowCount, 1);
    EXPECT_EQ(w->UseCount, 1);
    EXPECT_FALSE(w->FocusReady);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_FALSE(w->Timer2->isActive());
    EXPECT_FALSE(w->TimerSetFocus->isActive());
    EXPECT_EQ(w->Timer1->interval(), 60000);
    EXPECT_EQ(w->Timer2->interval(), 40);
    EXPECT_EQ(w->TimerSetFocus->interval(), 2000);

    // The first use sets up the defaults and the log-on entry.
    EXPECT_EQ(cinema("Cinema", "usecount"), "1");
    EXPECT_EQ(cinema("update", "usecount"), "1");
    EXPECT_EQ(cinema("setup", "history"), "1");
    EXPECT_EQ(cinema("unload", "PingDao"), defaultRadioPage(t.sites));
    QFile autostart(t.folder.file("autostart/Radio.desktop"));
    ASSERT_TRUE(autostart.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        autostart.readAll().contains(QString(t.context.programFolder + "/Korvid").toUtf8()));

    // Every main window that loads is one more use.
    Frmmain* second = load();
    EXPECT_EQ(second->UseCount, 2);
    EXPECT_EQ(t.state.MainWindowCount, 2);
    delete second;
    delete w;
}

TEST_F(FrmmainTest, ControlsCarryTheirDesignTexts) {
    std::unique_ptr<Frmmain> w(load());
    EXPECT_EQ(w->windowTitle(), "Lumera桌面");
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(w->windowIcon().isNull());
    EXPECT_EQ(w->CmbType->currentText(), "百度电影");
    EXPECT_EQ(w->Cmd->text(), "搜索(&S)");
    EXPECT_EQ(w->Cmb->currentText(), "Combo1");
    EXPECT_EQ(w->tvw->toolTip(), "右击展开全部列表");
    EXPECT_EQ(w->PicPro->backColor(), QColor(0, 0, 255));
    EXPECT_EQ(w->lab->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(w->Toolbar->iconSize(), QSize(32, 32));
    EXPECT_EQ(w->ImageList1.count(), 18);
    EXPECT_EQ(w->ImageList2.count(), 15);
    EXPECT_EQ(w->ImageList2.imageSize(), QSize(16, 16));
    for (int i = 1; i <= 18; ++i)
        EXPECT_FALSE(w->ImageList1.image(i).pixmap(32, 32).isNull()) << i;
    // The focus sink lies outside the window.
    EXPECT_LT(w->Cmb->geometry().right(), 0);

    const int panelWidths[] = {7000, 200, 700,  200, 3000, 200, 1500, 200,
                               1440, 200, 2000, 200, 2000, 200, 2000};
    ASSERT_EQ(w->Stat->panelCount(), 15);
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(w->Stat->panel(i)->width(), twipsToPixels(panelWidths[i - 1])) << i;
    EXPECT_TRUE(w->Stat->panelText(13).startsWith("《"));
    EXPECT_TRUE(w->Stat->panelText(13).endsWith("》"));
    EXPECT_EQ(w->Stat->panel(13)->toolTip(), w->Stat->panelText(13));
    // Written the Chinese way whatever the locale.
    EXPECT_EQ(w->Stat->panelText(9), "2026/12/7");
    EXPECT_EQ(w->Stat->panelText(15), "9:00");
    t.clock.time = t.clock.time.addSecs(3600);
    w->Stat->showDateAndTime();
    EXPECT_EQ(w->Stat->panelText(15), "10:00");
}

TEST_F(FrmmainTest, ProgressStripGrowsInSixStepsAndVanishes) {
    std::unique_ptr<Frmmain> w(load());
    for (int round = 0; round < 2; ++round) {
        w->Timer2->start();
        for (int step = 1; step <= 6; ++step) {
            w->Timer2_Timer();
            EXPECT_EQ(w->layout.PicPro.Width, step * 500);
            EXPECT_EQ(w->PicPro->width(), twipsToPixels(step * 500));
            EXPECT_TRUE(w->Timer2->isActive());
        }
        w->Timer2_Timer();
        EXPECT_FALSE(w->Timer2->isActive());
        EXPECT_EQ(w->ProgressStep, 0);
        EXPECT_EQ(w->PicPro->width(), 0);
    }
}

TEST_F(FrmmainTest, SidePageRefreshesOnlyInTheActiveWindowAfterThirtyMinutes) {
    std::unique_ptr<Frmmain> a(load());
    std::unique_ptr<Frmmain> b(load());
    auto* popA = qobject_cast<FakeWebBrowser*>(a->WebPop);
    auto* popB = qobject_cast<FakeWebBrowser*>(b->WebPop);
    a->Form_Activate();
    for (int minute = 0; minute < 30; ++minute) {
        a->Timer1_Timer();
        b->Timer1_Timer();
    }
    EXPECT_TRUE(popA->commands.isEmpty());
    a->Timer1_Timer();
    b->Timer1_Timer();
    EXPECT_EQ(popA->commands, QStringList{"refresh"});
    EXPECT_EQ(a->MinuteCount, 0);
    // The inactive one keeps counting and refreshes at its first tick once it is active.
    EXPECT_TRUE(popB->commands.isEmpty());
    EXPECT_EQ(b->MinuteCount, 31);
    t.state.ActiveMainWindow = b.get();
    b->Timer1_Timer();
    EXPECT_EQ(popB->commands, QStringList{"refresh"});
    // Activation starts the count again.
    a->Timer1_Timer();
    a->Form_Activate();
    EXPECT_EQ(a->MinuteCount, 0);
    EXPECT_EQ(t.state.ActiveMainWindow, a.get());
}

TEST_F(FrmmainTest, FocusRulesDriveTheMouseHookPause) {
    std::unique_ptr<Frmmain> w(load());
    w->tvw_GotFocus();
    EXPECT_TRUE(t.state.MouseHookPaused);
    w->tvw_LostFocus();
    EXPECT_FALSE(t.state.MouseHookPaused);

    t.state.MouseHookPaused = true;
    w->Form_Activate();
    EXPECT_TRUE(t.state.MouseHookPaused); // not before the first page has completed
    w->TimerSetFocus->start();
    w->TimerSetFocus_Timer();
    EXPECT_FALSE(w->TimerSetFocus->isActive());
    EXPECT_TRUE(w->FocusReady);
    EXPECT_FALSE(t.state.MouseHookPaused);
    t.state.MouseHookPaused = true;
    w->Form_Activate();
    EXPECT_FALSE(t.state.MouseHookPaused);
}

TEST_F(FrmmainTest, ActivationLeavesPendingEventsToTheEventLoop) {
    // Activation arrives inside Qt's own round of activation events; running other events from
    // there let a main window that had just closed be deleted under that round.
    std::unique_ptr<Frmmain> w(load());
    w->TimerSetFocus_Timer();
    ASSERT_TRUE(w->FocusReady);
    bool ran = false;
    QMetaObject::invokeMethod(
        w.get(), [&] { ran = true; }, Qt::QueuedConnection);
    w->Form_Activate();
    EXPECT_FALSE(ran);
    EXPECT_EQ(t.state.ActiveMainWindow, w.get());
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST_F(FrmmainTest, ReturningFromAnotherApplicationIsNoActivation) {
    std::unique_ptr<Frmmain> a(load());
    std::unique_ptr<Frmmain> b(load());
    a->show();
    b->show();
    test::makeActive(a.get());
    test::makeActive(b.get());
    EXPECT_EQ(t.state.ActiveMainWindow, b.get());
    b->MinuteCount = 5;
    test::makeActive(nullptr);
    test::makeActive(b.get());
    EXPECT_EQ(b->MinuteCount, 5);
    // Another window of the program in between, or a different main window, is one.
    QWidget dialog;
    dialog.show();
    test::makeActive(&dialog);
    test::makeActive(b.get());
    EXPECT_EQ(b->MinuteCount, 0);
    a->MinuteCount = 5;
    test::makeActive(nullptr);
    test::makeActive(a.get());
    EXPECT_EQ(a->MinuteCount, 0);
    EXPECT_EQ(t.state.ActiveMainWindow, a.get());
}

TEST_F(FrmmainTest, FocusStaysInAFieldTheUserIsTypingIn) {
    std::unique_ptr<Frmmain> w(load());
    FakeWebBrowser* page = web(w.get());
    w->show();
    test::makeActive(w.get());
    // A new window starts in the browser pane, and Tab passes the focus sink by.
    EXPECT_EQ(QApplication::focusWidget(), w->Web->widget());
    EXPECT_FALSE(w->Cmb->focusPolicy() & Qt::TabFocus);
    w->TimerSetFocus_Timer();
    ASSERT_TRUE(w->FocusReady);

    for (QComboBox* box : {w->CmbSearch, w->CmbType}) {
        box->setFocus();
        w->TimerSetFocus_Timer();
        w->Form_Activate();
        EXPECT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
    }
    // The page is asked whether the caret is in one of its fields; it moves on "no" only if
    // it is still in the page by then.
    page->typingQuestions.clear();
    w->Web->widget()->setFocus();
    w->TimerSetFocus_Timer();
    w->Form_Activate();
    ASSERT_EQ(page->typingQuestions.size(), 2u);
    page->typingQuestions[0](true);
    EXPECT_EQ(QApplication::focusWidget(), w->Web->widget());
    w->CmbSearch->setFocus();
    page->typingQuestions[1](false);
    EXPECT_EQ(QApplication::focusWidget(), w->CmbSearch);
    w->Web->widget()->setFocus();
    w->TimerSetFocus_Timer();
    page->typingQuestions.back()(false);
    EXPECT_EQ(QApplication::focusWidget(), w->Cmb);
}

TEST_F(FrmmainTest, ClosingOneOfTwoWindowsKeepsThePumpAndTheHistory) {
    Frmmain* first = load();
    Frmmain* second = load();
    t.state.DefaultMainWindow = first;
    first->loadRadio();
    web(first)->location = "http://127.0.0.1:9/radio/jazz";
    web(second)->location = "http://127.0.0.1:9/film/";
    second->Form_Activate();
    AddHistoryRow(t.state, "Jazz", "http://127.0.0.1:9/radio/jazz");

    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.state.MainWindowCount, 1);
    EXPECT_FALSE(QFile::exists(t.folder.file("his.dat")));
    EXPECT_TRUE(t.state.HistoryBuffer.contains("radio/jazz"));
    EXPECT_EQ(screenSaveActive(), "1");
    EXPECT_EQ(cinema("web", "webURL"), "http://127.0.0.1:9/film/");
    EXPECT_FALSE(t.state.PumpStopRequested);
    EXPECT_TRUE(t.state.MouseHookPaused);
    EXPECT_FALSE(t.state.MainWindowClosed);
    EXPECT_EQ(t.state.LastMainUrl, "http://127.0.0.1:9/film/");
    // A window showing the channel directory leaves the radio address alone.
    EXPECT_EQ(cinema("unload", "PingDao"), defaultRadioPage(t.sites));

    first->Form_Activate();
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.state.MainWindowCount, 0);
    EXPECT_TRUE(t.state.PumpStopRequested);
    EXPECT_TRUE(t.folder.read("his.dat").contains("radio/jazz"));
    EXPECT_TRUE(t.state.HistoryBuffer.isEmpty());
    EXPECT_TRUE(t.state.MainWindowClosed);
    EXPECT_TRUE(t.state.DefaultMainWindow.isNull());
    EXPECT_EQ(t.state.LastMainUrl, "http://127.0.0.1:9/radio/jazz");
    EXPECT_EQ(cinema("unload", "PingDao"), "http://127.0.0.1:9/radio/jazz");
    EXPECT_EQ(cinema("web", "webURL"), "http://127.0.0.1:9/radio/jazz");
}

TEST_F(FrmmainTest, AHiddenWindowUnloadsToo) {
    QPointer<Frmmain> w = load();
    bool unloaded = false;
    QObject::connect(w, &Frmmain::unloaded, [&] { unloaded = true; });
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(unloaded);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(t.state.MainWindowCount, 0);
}

} // namespace
