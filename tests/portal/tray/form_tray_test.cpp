#include "platform/registry/Registry.h"
#include "portal/ProgramTexts.h"
#include "portal/UseCounter.h"
#include "portal/browser/History.h"
#include "portal/dialogs/FormPowerTan.h"
#include "portal/dialogs/ShutdownSchedule.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/tray/FormTray.h"
#include "portal/tray/MainWindowMousePump.h"
#include "portal/tray/RadioPage.h"
#include "support/FakeSysTray.h"
#include "support/FrmmainHarness.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;

namespace {

class FormTrayTest : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<FormTray>(t.context, tray); }
    void TearDown() override { form.reset(); }
    QString cinema(const QString& section, const QString& key) const {
        return t.settings.read("cinema", section, key);
    }
    Frmmain* main() const { return t.state.DefaultMainWindow; }
    FakeWebBrowser* mainWeb() const { return qobject_cast<FakeWebBrowser*>(main()->Web); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QString runValue() const { return t.registry.value(HKEY_CURRENT_USER, kRunKey, "Radio"); }

    test::FrmmainHarness t;
    test::FakeSysTray tray;
    std::unique_ptr<FormTray> form;
};

TEST_F(FormTrayTest, FirstStartLoadsTheHiddenWindowOnTheDefaultRadioPage) {
    // The icon is in the tray before the first browser is made; the rest follows once the
    // icon is on screen.
    tray.holdIconShown = true;
    form->Form_Load();
    EXPECT_EQ(tray.adds, 1);
    EXPECT_TRUE(t.fakeBrowsers.made.empty());
    EXPECT_EQ(main(), nullptr);
    emit tray.iconShown();
    // Nothing of the program is on screen until the icon is clicked.
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    EXPECT_LT(form->x(), 0);
    auto* own = qobject_cast<FakeWebBrowser*>(form->Web);
    EXPECT_TRUE(own->silent());
    EXPECT_EQ(own->navigations, QStringList{t.sites.url(kVendorService, "/pop/desktop.html")});

    EXPECT_EQ(tray.adds, 1);
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tooltip, "Lumera桌面");
    EXPECT_FALSE(tray.icon.isNull());

    ASSERT_NE(main(), nullptr);
    EXPECT_FALSE(main()->isVisible());
    EXPECT_EQ(mainWeb()->navigations, QStringList{defaultRadioPage(t.sites)});
    EXPECT_EQ(main()->tvw->topLevelItem(0)->text(0), "音乐广播电台");
    EXPECT_EQ(t.state.ActiveMainWindow, main());
    EXPECT_EQ(main()->layout.Pop.Left, 30000);
    EXPECT_FALSE(t.state.PumpStopRequested);
    EXPECT_TRUE(form->pump().running());
    EXPECT_TRUE(form->shutdownSchedule->armed());
    EXPECT_EQ(t.state.MainWindowCount, 1);
    EXPECT_EQ(cinema("Cinema", "usecount"), "1");
    EXPECT_EQ(runValue(), t.context.programFolder + "/Korvid");
    EXPECT_TRUE(QFile::exists(t.folder.file("autostart/Radio.desktop")));
}

TEST_F(FormTrayTest, StartGoesToTheRememberedRadioPageUnlessItIsJunk) {
    t.settings.write("cinema", "unload", "PingDao", "http://127.0.0.1:9/radio/jazz.htm");
    t.settings.write("cinema", "Cinema", "usecount", "4");
    form->Form_Load();
    EXPECT_EQ(mainWeb()->navigations, QStringList{"http://127.0.0.1:9/radio/jazz.htm"});

    EXPECT_EQ(startupRadioPage("  ", "D"), "D");
    EXPECT_EQ(startupRadioPage("\x01\x7f%%%", "D"), "D");
    EXPECT_EQ(startupRadioPage("radio station", "D"), "D");
    EXPECT_EQ(startupRadioPage("http://", "D"), "D");
    EXPECT_EQ(startupRadioPage("javascript:alert(1)", "D"), "D");
    EXPECT_EQ(startupRadioPage("https://radio.example/p?q=1", "D"), "https://radio.example/p?q=1");
    EXPECT_EQ(startupRadioPage("file:///opt/lumera/radio.html", "D"),
              "file:///opt/lumera/radio.html");
}

TEST_F(FormTrayTest, ANotificationAreaComingUpSoonAfterStartGetsTheIcon) {
    tray.isAvailable = false;
    form->Form_Load();
    EXPECT_EQ(tray.adds, 0);
    for (int look = 0; look < 14; ++look)
        form->TrayWait_Timer();
    tray.isAvailable = true;
    form->TrayWait_Timer();
    EXPECT_EQ(tray.adds, 1);
    EXPECT_FALSE(form->TrayWait->isActive());
    EXPECT_FALSE(main()->isVisible());
}

TEST_F(FormTrayTest, WithoutANotificationAreaTheWindowComesUpAndItsCloseEndsTheProgram) {
    tray.isAvailable = false;
    form->Form_Load();
    QSignalSpy finished(form.get(), &FormTray::exitFinished);
    // Start-up looked once; the 16th look, eight seconds on, gives up on a tray.
    for (int look = 0; look < 14; ++look)
        form->TrayWait_Timer();
    EXPECT_FALSE(main()->isVisible());
    form->TrayWait_Timer();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(mainWeb()->navigations, QStringList{defaultRadioPage(t.sites)});

    mainWeb()->location = "http://127.0.0.1:9/radio/late.htm";
    AddHistoryRow(t.state, "Late", "http://127.0.0.1:9/radio/late.htm");
    main()->close();
    settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(form->shutdownSchedule->armed());
    EXPECT_TRUE(t.folder.read("his.dat").contains("radio/late.htm"));
    EXPECT_EQ(cinema("web", "webURL"), "http://127.0.0.1:9/radio/late.htm");
    EXPECT_EQ(cinema("unload", "PingDao"), "http://127.0.0.1:9/radio/late.htm");
}

TEST_F(FormTrayTest, LeftClickShowsTheWindowAndAfterACloseReloadsIt) {
    // A click that comes before the icon is reported on screen finishes the start first.
    tray.holdIconShown = true;
    form->Form_Load();
    tray.click(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(main()->windowState() & Qt::WindowMaximized);
    emit tray.iconShown();
    EXPECT_EQ(mainWeb()->navigations, QStringList{defaultRadioPage(t.sites)});

    // The default window closes while active: the next click makes it again and sends it
    // back to the address it showed.
    mainWeb()->location = "http://127.0.0.1:9/radio/pop.htm";
    main()->Form_Activate();
    main()->close();
    settle();
    EXPECT_TRUE(t.state.DefaultMainWindow.isNull());
    EXPECT_TRUE(t.state.MainWindowClosed);
    tray.click(QSystemTrayIcon::Trigger);
    ASSERT_NE(main(), nullptr);
    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(mainWeb()->navigations, QStringList{"http://127.0.0.1:9/radio/pop.htm"});
    EXPECT_EQ(main()->tvw->topLevelItem(0)->text(0), "音乐广播电台");
    EXPECT_EQ(main()->UseCount, 2);
    EXPECT_EQ(t.state.MainWindowCount, 1);

    // While the flag stays set every click reloads, also on the open window.
    tray.click(QSystemTrayIcon::Trigger);
    EXPECT_EQ(mainWeb()->navigations.size(), 2);
}

TEST_F(FormTrayTest, RightClickPopsUpTheTrayMenuInItsOrder) {
    form->Form_Load();
    // What the menu shows is looked at as it opens: a stick plugged in and the log-on entry
    // removed in the desktop's settings after start-up.
    t.desktop.roots = {"/", "/home/user", "/media/usb"};
    QFile::remove(t.folder.file("autostart/Radio.desktop"));
    tray.click(QSystemTrayIcon::Context);
    EXPECT_TRUE(form->mnutray->isVisible());
    form->mnutray->hide();

    QStringList top;
    for (QAction* a : form->mnutray->actions())
        top << (a->isSeparator() ? QStringLiteral("—") : a->text());
    EXPECT_EQ(top, (QStringList{"Lumera桌面", "开机自动运行", "关于软件", "—", "整点报时启动",
                                "我的电脑", "立即关闭电脑", "—", "退出"}));
    QStringList about;
    for (QAction* a : form->aboutme->actions())
        about << (a->isSeparator() ? QStringLiteral("—") : a->text());
    EXPECT_EQ(about, (QStringList{"帮助主题", "—", "软件官网", "联系我们", "—"}));
    QStringList drives;
    for (QAction* a : form->diskbag->actions())
        drives << a->text();
    EXPECT_EQ(drives, (QStringList{"【/】", "【/home/user】", "【/media/usb】"}));
    EXPECT_FALSE(form->AutoRun->isChecked());
    form->loaddisk.at(2)->trigger();
    EXPECT_EQ(t.desktop.opened, QStringList{"/media/usb"});

    // After Exit the icon no longer answers.
    form->trayclose_Click();
    tray.click(QSystemTrayIcon::Context);
    EXPECT_FALSE(form->mnutray->isVisible());
}

TEST_F(FormTrayTest, MenuEntriesReachTheDesktop) {
    form->Form_Load();
    form->loaddisk.at(1)->trigger();
    form->softHome->trigger();
    form->callme->trigger();
    EXPECT_EQ(t.desktop.opened, (QStringList{"/home/user", t.sites.url(kVendorService, "/lan/"),
                                             "mailto:" + kVendorContactAddress}));
    form->helpMe->trigger();
    form->TimeRing->trigger();
    EXPECT_EQ(t.desktop.opened.size(), 3);
    EXPECT_TRUE(t.dialogs.informed.isEmpty());
    t.desktop.openSucceeds = false;
    form->softHome->trigger();
    EXPECT_EQ(t.dialogs.informed,
              QStringList{cannotOpenMessage(t.sites.url(kVendorService, "/lan/"))});
    EXPECT_EQ(t.desktop.shutdowns, 0);
    form->turnoffpc->trigger();
    EXPECT_EQ(t.desktop.shutdowns, 1);
}

TEST_F(FormTrayTest, AutoRunClickedTwiceDeletesThenRestoresTheLogOnEntry) {
    form->Form_Load();
    ASSERT_TRUE(QFile::exists(t.folder.file("autostart/Radio.desktop")));
    form->AutoRun->trigger();
    EXPECT_FALSE(form->AutoRun->isChecked());
    EXPECT_TRUE(runValue().isEmpty());
    EXPECT_FALSE(QFile::exists(t.folder.file("autostart/Radio.desktop")));
    EXPECT_EQ(t.dialogs.informed, QStringList{"已经删除本软件的“开机自动运行”！    "});

    form->AutoRun->trigger();
    EXPECT_TRUE(form->AutoRun->isChecked());
    EXPECT_EQ(runValue(), t.context.programFolder + "/Korvid");
    EXPECT_TRUE(QFile::exists(t.folder.file("autostart/Radio.desktop")));
    EXPECT_EQ(t.dialogs.informed.size(), 1);
}

TEST_F(FormTrayTest, LoadMeOpensTheDefaultRadioPageInTheWindowAsItIs) {
    t.settings.write("cinema", "unload", "PingDao", "http://127.0.0.1:9/radio/jazz.htm");
    form->Form_Load();
    main()->setWindowState(Qt::WindowNoState);
    form->LoadMe->trigger();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(mainWeb()->navigations.last(), defaultRadioPage(t.sites));
    EXPECT_FALSE(main()->windowState() & Qt::WindowMaximized);
}

TEST_F(FormTrayTest, ExitEndsOnlyAfterEveryWindowAlsoThoseOpenedLaterAndStopsTheSchedule) {
    t.settings.write("cinema", "turnoff", "timeset", "22:15");
    t.settings.write("cinema", "turnoff", "Enable", "1");
    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(22, 15));
    form->Form_Load();
    QSignalSpy finished(form.get(), &FormTray::exitFinished);
    QPointer<Frmmain> other = main()->OpenInNewWindow("http://127.0.0.1:9/film/");
    EXPECT_EQ(t.state.MainWindowCount, 2);
    ASSERT_TRUE(form->shutdownSchedule->tick());
    QPointer<QWidget> countdown = form->shutdownSchedule->countdown();

    form->trayclose->trigger();
    settle();
    EXPECT_FALSE(tray.shown);
    EXPECT_TRUE(t.state.DefaultMainWindow.isNull());
    EXPECT_TRUE(t.state.MainWindowClosed);
    EXPECT_TRUE(countdown.isNull() || !countdown->isVisible());
    EXPECT_FALSE(form->shutdownSchedule->armed());
    ASSERT_FALSE(other.isNull());
    EXPECT_TRUE(other->isVisible());
    EXPECT_FALSE(t.state.PumpStopRequested);

    QPointer<Frmmain> later = other->OpenInNewWindow("http://127.0.0.1:9/tv/");
    other->close();
    settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 0);
    later->close();
    settle();
    QCoreApplication::processEvents();
    EXPECT_TRUE(t.state.PumpStopRequested);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(t.desktop.shutdowns, 0);
}

TEST_F(FormTrayTest, SessionEndClosesEveryWindowAndMergesTheHistoryOnce) {
    form->Form_Load();
    QSignalSpy finished(form.get(), &FormTray::exitFinished);
    Frmmain* other = main()->OpenInNewWindow("http://127.0.0.1:9/film/");
    qobject_cast<FakeWebBrowser*>(other->Web)->location = "http://127.0.0.1:9/film/";
    AddHistoryRow(t.state, "Film", "http://127.0.0.1:9/film/");
    form->endSession();
    settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(t.state.MainWindowCount, 0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(tray.shown);
    EXPECT_EQ(t.folder.read("his.dat").count("127.0.0.1:9/film/"), 1);
    EXPECT_FALSE(cinema("web", "webURL").isEmpty());
}

TEST_F(FormTrayTest, ExitWithOnlyTheHiddenWindowEndsAtOnce) {
    form->Form_Load();
    mainWeb()->location = "http://127.0.0.1:9/radio/late.htm";
    QSignalSpy finished(form.get(), &FormTray::exitFinished);
    form->trayclose_Click();
    settle();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(t.state.MainWindowCount, 0);
    EXPECT_TRUE(t.state.PumpStopRequested);
    // The hidden window showed the radio directory: its address is the next start's page.
    EXPECT_EQ(cinema("unload", "PingDao"), "http://127.0.0.1:9/radio/late.htm");
}

TEST_F(FormTrayTest, ChimeSoundsOnceAnHourAtMinuteZero) {
    const QString wav = t.context.programFolder + "/logoff.wav";
    // One look a minute, just after the minute turns.
    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59, 500));
    form->Timer1_Timer();
    EXPECT_TRUE(t.desktop.sounds.isEmpty());
    EXPECT_EQ(form->Timer1->interval(), 550);
    EXPECT_TRUE(form->Timer1->isActive());

    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0, 50));
    form->Timer1_Timer();
    EXPECT_EQ(t.desktop.sounds, QStringList{wav});
    EXPECT_EQ(form->Timer1->interval(), 60000);
    // A second look within minute 00 (the clock set back) sounds nothing more.
    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 59, 990));
    form->Timer1_Timer();
    for (int second : {0, 30, 59}) {
        t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(10, 1, second));
        form->Timer1_Timer();
    }
    EXPECT_EQ(t.desktop.sounds.size(), 1);
    // Second 00 of any other minute is no hour (the fault of reading a time text that ends
    // in a day-half marker).
    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(22, 17, 0));
    form->Timer1_Timer();
    EXPECT_EQ(t.desktop.sounds.size(), 1);
    t.clock.time = QDateTime(QDate(2026, 12, 7), QTime(23, 0, 12));
    form->Timer1_Timer();
    EXPECT_EQ(t.desktop.sounds.size(), 2);
}

} // namespace
