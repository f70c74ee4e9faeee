#include "portal/browser/InputBox.h"

#include "portal/FixedDialog.h"

#include <QInputDialog>
#include <QPointer>

namespace lumera::portal {

InputBox systemInputBox(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& prompt, const QString& title, const QString& proposed) {
        QInputDialog box(owner.data());
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setTextValue(proposed);
        fixDialogSize(&box);
        return box.exec() == QDialog::Accepted ? box.textValue() : QString();
    };
}

} // namespace lumera::portal
