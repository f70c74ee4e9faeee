#include "platform/idle/ShownWindowsInhibitor.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace lumera {

ShownWindowsInhibitor::ShownWindowsInhibitor(ScreenSaverInhibitor& desktop,
                                             std::function<bool(const QWidget*)> isMainWindow)
    : desktop_(desktop), isMainWindow_(std::move(isMainWindow)) {
    QCoreApplication::instance()->installEventFilter(this);
}

ShownWindowsInhibitor::~ShownWindowsInhibitor() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    desktop_.hold({});
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
    QList<QWindow*> onScreen;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized() && isMainWindow_(window) &&
            window->windowHandle())
            onScreen.append(window->windowHandle());
    }
    desktop_.hold(onScreen);
}

} // namespace lumera
