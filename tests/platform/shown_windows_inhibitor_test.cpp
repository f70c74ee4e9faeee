#include "platform/desktop/FakeDesktop.h"
#include "platform/registry/ShownWindowsInhibitor.h"

#include <QApplication>
#include <QWidget>
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
TEST(ShownWindowsInhibitor, HeldOnlyWhileAskedAndAMainWindowIsOnScreen) {
    QApplication app(argc, argv);
    FakeInhibitor desktop;
    auto main = std::make_unique<QWidget>();
    main->setObjectName("main");
    ShownWindowsInhibitor gate(desktop, [](const QWidget* w) { return w->objectName() == "main"; });

    gate.inhibit(); // a main window loads hidden, as Korvid's first one does
    EXPECT_FALSE(desktop.held);
    QWidget other; // a dialog or any other window does not count
    other.show();
    EXPECT_FALSE(desktop.held);
    main->show();
    EXPECT_TRUE(desktop.held);
    main->showMinimized();
    EXPECT_FALSE(desktop.held);
    main->showNormal();
    EXPECT_TRUE(desktop.held);
    gate.release(); // the switch back on while the window stays
    EXPECT_FALSE(desktop.held);
    gate.release(); // on once more than off: the next window's load still counts
    gate.inhibit();
    EXPECT_TRUE(desktop.held);
    gate.inhibit(); // a second window loads, then closes: the first one's inhibition stays
    gate.release();
    EXPECT_TRUE(desktop.held);
    main->hide();
    EXPECT_FALSE(desktop.held);
    main->show();
    EXPECT_TRUE(desktop.held);
    main.reset(); // deleted while shown
    EXPECT_FALSE(desktop.held);
}
