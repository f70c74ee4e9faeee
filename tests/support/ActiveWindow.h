#pragma once

#include <QApplication>
#include <QWidget>

namespace lumera::test {

// Makes a window the active one. The test displays have no window manager to grant a
// request for it, so Qt is told outright as well (the call Qt 6.5 deprecates for that reason).
inline void makeActive(QWidget* window) {
    window->activateWindow();
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

} // namespace lumera::test
