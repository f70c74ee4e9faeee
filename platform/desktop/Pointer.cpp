#include "platform/desktop/Pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumera {

QPoint QtPointer::position() const {
    return QCursor::pos();
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
