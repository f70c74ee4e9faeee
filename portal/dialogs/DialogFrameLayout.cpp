#include "portal/dialogs/DialogFrameLayout.h"

#include "portal/FixedDialog.h"

#include <QBoxLayout>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

namespace lumera::portal {

void layOutFrameDialog(QDialog* dialog, QGroupBox* frame, QPushButton* button) {
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(button);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(frame);
    layout->addLayout(buttonRow);
    fixDialogSize(dialog);
}

} // namespace lumera::portal
