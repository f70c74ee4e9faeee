#include "portal/browser/InputBox.h"

#include <QInputDialog>
#include <QPointer>

namespace lumera::portal {

InputBox systemInputBox(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& prompt, const QString& title, const QString& proposed) {
        bool ok = false;
        const QString answer =
            QInputDialog::getText(owner.data(), title, prompt, QLineEdit::Normal, proposed, &ok);
        return ok ? answer : QString();
    };
}

} // namespace lumera::portal
