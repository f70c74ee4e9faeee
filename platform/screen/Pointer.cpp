#include "platform/screen/Pointer.h"

#include "platform/screen/SeenPointerPosition.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumera {

QtPointer::QtPointer() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        seen_ = std::make_unique<SeenPointerPosition>();
}

QtPointer::~QtPointer() = default;

QPoint QtPointer::position() const {
    return seen_ ? seen_->position() : QCursor::pos();
}

void QtPointer::hide() {
    if (hidden_)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    hidden_ = true;
}

void QtPointer::show() {
    // Only our own blank cursor is taken away, never one that others set.
    if (!hidden_)
        return;
    QGuiApplication::restoreOverrideCursor();
    hidden_ = false;
}

} // namespace lumera
