#pragma once

#include <QString>

class QCheckBox;

namespace lumera::portal {

// A check box's value as the dialogs store it: 0 clear, 1 ticked, 2 greyed.
int checkBoxValue(const QCheckBox* box);

// Sets a check box from stored text read as a 16-bit number. Text that is no number, or a
// number other than 0, 1 and 2, leaves the box as it was and returns false.
bool setCheckBoxValue(QCheckBox* box, const QString& stored);

} // namespace lumera::portal
