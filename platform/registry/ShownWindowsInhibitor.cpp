#include "platform/registry/ShownWindowsInhibitor.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace lumera {

ShownWindowsInhibitor::ShownWindowsInhibitor(ScreenSaverInhibitor& desktop,
                                             std::function<bool(const QWidget*)> isMainWindow)
    : desktop_(desktop), isMainWindow_(std::move(isMainWindow)) {
    QCoreApplication::instance()->installEventFilter(this);
}

ShownWindowsInhibitor::~ShownWindowsInhibitor() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    desktop_.release();
}

void ShownWindowsInhibitor::inhibit() {
    ++asks_;
    update();
}

void ShownWindowsInhibitor::release() {
    asks_ = std::max(asks_ - 1, 0);
    update();
}

bool ShownWindowsInhibitor::eventFilter(QObject* watched, QEvent* event) {
    // Any window's show, hide or state change leads to a fresh look: a main window that is
    // being deleted no longer reads as one by the time it hides.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            update();
        break;
    default:
        break;
    }
    return false;
}

void ShownWindowsInhibitor::update() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool onScreen = std::any_of(windows.cbegin(), windows.cend(), [this](QWidget* w) {
        return w->isVisible() && !w->isMinimized() && isMainWindow_(w);
    });
    if (asks_ > 0 && onScreen)
        desktop_.inhibit();
    else
        desktop_.release();
}

} // namespace lumera
