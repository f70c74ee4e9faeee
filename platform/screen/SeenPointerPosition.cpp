#include "platform/screen/SeenPointerPosition.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace lumera {

SeenPointerPosition::SeenPointerPosition(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

SeenPointerPosition::~SeenPointerPosition() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool SeenPointerPosition::eventFilter(QObject* watched, QEvent* event) {
    // What the desktop sent to a window, not what Qt made up for its widgets.
    if (watched->isWindowType() && event->spontaneous()) {
        if (event->type() == QEvent::Enter)
            position_ = static_cast<QEnterEvent*>(event)->globalPosition().toPoint();
        else if (event->type() == QEvent::MouseMove)
            position_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumera
