#include "platform/idle/ShownWindowsInhibitor.h"
#include "support/FakeDesktop.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;

namespace {

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

} // namespace

// Its own test program: an application object made after another one had used the session
// bus leaves Qt's bus objects behind.
TEST(ShownWindowsInhibitor, HeldExactlyWhileAMainWindowIsOnScreen) {
    QApplication app(argc, argv);
    FakeInhibitor desktop;
    auto main = std::make_unique<QWidget>();
    main->setObjectName("main");
    QWidget second;
    second.setObjectName("main");
    ShownWindowsInhibitor gate(desktop, [](const QWidget* w) { return w->objectName() == "main"; });

    QWidget other; // a dialog or any other window does not count
    other.show();
    EXPECT_FALSE(desktop.held);
    main->show();
    EXPECT_TRUE(desktop.held);
    main->showMinimized();
    EXPECT_FALSE(desktop.held);
    main->showNormal();
    EXPECT_TRUE(desktop.held);
    second.show(); // each window on screen is named, for the ways that inhibit per window
    EXPECT_EQ(desktop.shown.size(), 2);
    second.hide(); // one of two goes: the other one's inhibition stays
    EXPECT_EQ(desktop.shown, QList<QWindow*>{main->windowHandle()});
    main->hide();
    EXPECT_FALSE(desktop.held);
    main->show();
    EXPECT_TRUE(desktop.held);
    main.reset(); // deleted while shown
    EXPECT_FALSE(desktop.held);
}
