#include "platform/desktop/Pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumera {

QPoint QtPointer::position() const {
    return QCursor::pos();
}

void QtPointer::hide() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    ++hidden_;
}

void QtPointer::show() {
    // More shows than hides would take away cursors that others set.
    if (hidden_ == 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --hidden_;
}

} // namespace lumera
