#pragma once

class QDialog;
class QGroupBox;
class QPushButton;

namespace lumera::portal {

// The small settings dialogs: their frame, and below it one button on the right; the dialog
// keeps the size this gives it.
void layOutFrameDialog(QDialog* dialog, QGroupBox* frame, QPushButton* button);

} // namespace lumera::portal
