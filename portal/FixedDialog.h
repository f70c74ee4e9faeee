#pragma once

#include <QSize>

class QDialog;

namespace lumera::portal {

// Makes one of the program's small dialogs fixed in size: the size given (or what its contents
// need at the least, if that is more), or else the one its layout asks for. Its title bar then
// offers closing only, no maximise or minimise.
void fixDialogSize(QDialog* dialog, QSize size = QSize());

} // namespace lumera::portal
