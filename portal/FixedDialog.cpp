#include "portal/FixedDialog.h"

#include <QDialog>
#include <QLayout>

namespace lumera::portal {

void fixDialogSize(QDialog* dialog, QSize size) {
    if (size.isValid()) {
        // Never smaller than its contents need, whatever the font.
        dialog->setFixedSize(size.expandedTo(dialog->minimumSizeHint()));
    } else {
        // Some dialogs make their layout only when first asked for their size (the input box).
        dialog->sizeHint();
        if (QLayout* layout = dialog->layout())
            layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

} // namespace lumera::portal
