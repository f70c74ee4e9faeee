#pragma once

#include <QApplication>
#include <QWidget>

namespace lumera::test {

// Tells Qt which window is the active one (none for null). The test displays have no window
// manager to grant activateWindow(), so Qt is told outright, through the call Qt 6.5
// deprecated for that reason.
inline void makeActive(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

} // namespace lumera::test
