#include "platform/settings/SettingsStore.h"
#include "portal/dialogs/FormPowerTan.h"
#include "portal/dialogs/FormSetup.h"
#include "portal/dialogs/FormTurnOff.h"
#include "portal/dialogs/ShutdownSchedule.h"
#include "support/FakeDesktop.h"
#include "support/TestDialogs.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;
using namespace lumera::portal;

namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "portal_tray_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }

    QString stored(const QString& section, const QString& key) const {
        return settings.read("cinema", section, key);
    }
    void store(const QString& section, const QString& key, const QString& value) {
        settings.write("cinema", section, key, value);
    }

    test::TestFolder folder;
    SettingsStore settings{folder.path()};
    test::TestDialogs dialogs;
};

using FormTurnOffTest = DialogTest;
using FormSetupTest = DialogTest;

} // namespace

TEST_F(FormTurnOffTest, EmptyStoreShowsThirteenNoMinutesAndStoresHoursAndColon) {
    FormTurnOff form(settings, dialogs);
    ASSERT_EQ(form.Comb[0]->count(), 24);
    ASSERT_EQ(form.Comb[1]->count(), 60);
    EXPECT_EQ(form.Comb[1]->itemText(5), "05");
    EXPECT_EQ(form.Comb[0]->currentText(), "13");
    EXPECT_EQ(form.Comb[1]->currentText(), "");
    EXPECT_EQ(form.ChkEnable->checkState(), Qt::Unchecked);
    form.Command1_Click();
    EXPECT_EQ(stored("turnoff", "timeset"), "13:");
    EXPECT_EQ(stored("turnoff", "Enable"), "0");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(FormTurnOffTest, OddStoredTexts) {
    struct Case {
        QString timeset, enable, hours, minutes;
        Qt::CheckState check;
    };
    const Case cases[] = {
        {"7:05", "1", "7", "05", Qt::Checked},
        // Without ":" the hours keep their design text and the minutes get everything.
        {"1330", "0", "13", "1330", Qt::Unchecked},
        {"25:99", "yes", "25", "99", Qt::Unchecked},
        {"::", "", "", ":", Qt::Unchecked},
        {"8:15", "-1", "8", "15", Qt::Unchecked},
        {"8:15", "2", "8", "15", Qt::PartiallyChecked},
        {"8:15", " 1 ", "8", "15", Qt::Checked},
    };
    for (const Case& c : cases) {
        store("turnoff", "timeset", c.timeset);
        store("turnoff", "Enable", c.enable);
        FormTurnOff form(settings, dialogs);
        EXPECT_EQ(form.Comb[0]->currentText(), c.hours) << c.timeset.toStdString();
        EXPECT_EQ(form.Comb[1]->currentText(), c.minutes) << c.timeset.toStdString();
        EXPECT_EQ(form.ChkEnable->checkState(), c.check) << c.enable.toStdString();
    }
}

TEST_F(FormTurnOffTest, MinutesKeepTheirLastTwoCharactersAndOnlyASwitchedOnTimeIsChecked) {
    const QStringList& told = dialogs.informed;
    FormTurnOff form(settings, dialogs);
    form.show();
    form.Comb[0]->setEditText("9");
    form.Comb[1]->setEditText("5");
    form.ChkEnable->setChecked(true);
    form.Command1_Click();
    EXPECT_EQ(stored("turnoff", "timeset"), "9:5");
    EXPECT_EQ(stored("turnoff", "Enable"), "1");
    EXPECT_TRUE(told.isEmpty());

    // Switched off, anything typed is stored as it is.
    FormTurnOff again(settings, dialogs);
    again.Comb[0]->setEditText("abc");
    again.Comb[1]->setEditText("123");
    again.ChkEnable->setChecked(false);
    again.Command1_Click();
    EXPECT_EQ(stored("turnoff", "timeset"), "abc:23");
    EXPECT_TRUE(told.isEmpty());

    // Switched on, a time that never comes is refused with a word and the dialog stays.
    for (const auto& [hours, minutes] :
         {std::pair{"13", ""}, {"25", "ab"}, {"", "30"}, {"24", "00"}, {"7", "6x"}}) {
        FormTurnOff open(settings, dialogs);
        open.show();
        open.Comb[0]->setEditText(hours);
        open.Comb[1]->setEditText(minutes);
        open.ChkEnable->setChecked(true);
        open.Command1_Click();
        EXPECT_TRUE(open.isVisible()) << hours << ":" << minutes;
        EXPECT_EQ(open.result(), QDialog::Rejected);
    }
    EXPECT_EQ(told.size(), 5);
    EXPECT_TRUE(told.first().contains("无效"));
    EXPECT_EQ(stored("turnoff", "timeset"), "abc:23");
    EXPECT_EQ(stored("turnoff", "Enable"), "0");
}

TEST_F(FormTurnOffTest, ClosingWithoutOkStoresNothing) {
    store("turnoff", "timeset", "7:05");
    FormTurnOff form(settings, dialogs);
    form.Comb[1]->setEditText("45");
    form.reject();
    EXPECT_EQ(stored("turnoff", "timeset"), "7:05");
    EXPECT_EQ(stored("turnoff", "Enable"), "");
}

TEST_F(FormSetupTest, SwitchRoundTripsThroughTheStore) {
    store("setup", "history", "1");
    auto form = std::make_unique<FormSetup>(settings, "https://www.cri.cn/radio/");
    EXPECT_EQ(form->Text1->text(), "https://www.cri.cn/radio/");
    EXPECT_TRUE(form->Text1->isReadOnly());
    EXPECT_TRUE(form->Chk[0]->isChecked());

    form->Chk[0]->setChecked(false);
    form->Text1->setText("http://elsewhere/");
    form->Command1_Click();
    EXPECT_EQ(stored("setup", "history"), "0");

    form = std::make_unique<FormSetup>(settings, "https://www.cri.cn/radio/");
    EXPECT_FALSE(form->Chk[0]->isChecked());
    // The address box is information only.
    EXPECT_EQ(form->Text1->text(), "https://www.cri.cn/radio/");
    // Junk leaves the box clear.
    for (const QString value : {"", "yes", "7"}) {
        store("setup", "history", value);
        EXPECT_FALSE(FormSetup(settings, {}).Chk[0]->isChecked()) << value.toStdString();
    }
}

TEST(FormPowerTanTest, CountsDownTwentySecondsThenShutsDownOnce) {
    ensureApplication();
    FakeDesktop desktop;
    FormPowerTan form(desktop);
    EXPECT_EQ(form.Label1->text(), "20");
    EXPECT_TRUE(form.Timer1->isActive());

    form.Timer1_Timer();
    EXPECT_EQ(form.Label1->text(), "19");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    for (int i = 0; i < 19; ++i)
        form.Timer1_Timer();
    EXPECT_EQ(form.Label1->text(), "0");
    EXPECT_EQ(desktop.shutdowns, 0);
    form.Timer1_Timer();
    EXPECT_EQ(desktop.shutdowns, 1);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_FALSE(form.isVisible());
}

TEST(FormPowerTanTest, ButtonAndEnterCancel) {
    ensureApplication();
    FakeDesktop desktop;
    {
        FormPowerTan form(desktop);
        form.show();
        form.Timer1_Timer();
        form.Command1_Click();
        EXPECT_FALSE(form.Timer1->isActive());
        EXPECT_FALSE(form.isVisible());
    }
    {
        FormPowerTan form(desktop);
        form.show();
        QTest::keyClick(form.Text2, Qt::Key_Return);
        EXPECT_FALSE(form.Timer1->isActive());
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(desktop.shutdowns, 0);
}

TEST(ScheduledShutdownTime, ReadsHoursAndMinutesAsNumbers) {
    EXPECT_EQ(scheduledShutdownTime("13:30"), QTime(13, 30));
    EXPECT_EQ(scheduledShutdownTime("7:05"), QTime(7, 5));
    EXPECT_EQ(scheduledShutdownTime("0:0"), QTime(0, 0));
    EXPECT_EQ(scheduledShutdownTime(" 23 : 59 "), QTime(23, 59));
    for (const QString junk :
         {"", "13:", ":30", "::", "25:99", "24:00", "12:60", "1330", "ab:cd", "-1:30", "12:30:00"})
        EXPECT_FALSE(scheduledShutdownTime(junk).has_value()) << junk.toStdString();
}

namespace {

class ShutdownScheduleTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        store("turnoff", "timeset", "22:15");
        store("turnoff", "Enable", "1");
    }
    void at(int h, int m, int s = 0, int ms = 0) {
        clock.time = QDateTime(QDate(2026, 12, 7), QTime(h, m, s, ms));
    }

    FakeClock clock;
    FakeDesktop desktop;
    ShutdownSchedule schedule{settings, clock, desktop};
};

} // namespace

TEST_F(ShutdownScheduleTest, FiresOnceAtTheMinuteAndShutsDownWhenTheCountEnds) {
    at(22, 14, 59);
    EXPECT_FALSE(schedule.tick());
    // Started just before the minute, its own timer looks again just after it.
    at(22, 14, 59, 700);
    schedule.start();
    EXPECT_TRUE(schedule.armed());
    at(22, 15, 0, 600);
    EXPECT_TRUE(QTest::qWaitFor([this] { return schedule.countdown() != nullptr; }, 5000));
    FormPowerTan* countdown = schedule.countdown();
    ASSERT_NE(countdown, nullptr);
    EXPECT_TRUE(countdown->isVisible());
    // And it looks again the next minute.
    EXPECT_TRUE(schedule.armed());
    // A second look within the same minute opens nothing more.
    at(22, 15, 40);
    EXPECT_FALSE(schedule.tick());
    for (int i = 0; i < 21; ++i)
        countdown->Timer1_Timer();
    EXPECT_EQ(desktop.shutdowns, 1);
    at(22, 16);
    EXPECT_FALSE(schedule.tick());
}

TEST_F(ShutdownScheduleTest, CancelledCountdownDoesNotComeBackThatMinuteButDoesTheNextDay) {
    at(22, 15);
    ASSERT_TRUE(schedule.tick());
    schedule.countdown()->Command1_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(schedule.countdown(), nullptr);
    at(22, 15, 30);
    EXPECT_FALSE(schedule.tick());
    EXPECT_EQ(desktop.shutdowns, 0);
    clock.time = QDateTime(QDate(2026, 12, 8), QTime(22, 15));
    EXPECT_TRUE(schedule.tick());
    schedule.countdown()->Command1_Click();
}

TEST_F(ShutdownScheduleTest, TheCountdownGoesWithTheSchedule) {
    QPointer<FormPowerTan> open, closed;
    {
        ShutdownSchedule first{settings, clock, desktop};
        ShutdownSchedule second{settings, clock, desktop};
        at(22, 15);
        ASSERT_TRUE(first.tick() && second.tick());
        open = first.countdown();
        closed = second.countdown();
        closed->Command1_Click(); // closed, its deletion left to the event loop
    }
    EXPECT_TRUE(open.isNull());
    EXPECT_TRUE(closed.isNull());
}

TEST_F(ShutdownScheduleTest, NothingWhenDisabledOrTheTimeIsJunk) {
    at(22, 15);
    for (const QString enable : {"0", "", "yes", "2"}) {
        store("turnoff", "Enable", enable);
        EXPECT_FALSE(schedule.tick()) << enable.toStdString();
    }
    store("turnoff", "Enable", "1");
    for (const QString junk : {"25:99", "::", "22:", "2215", "22:15x"}) {
        store("turnoff", "timeset", junk);
        EXPECT_FALSE(schedule.tick()) << junk.toStdString();
    }
    EXPECT_EQ(schedule.countdown(), nullptr);
}
