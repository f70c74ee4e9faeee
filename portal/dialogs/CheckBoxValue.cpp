#include "portal/dialogs/CheckBoxValue.h"

#include "platform/text/VbNumber.h"

#include <QCheckBox>

namespace lumera::portal {

int checkBoxValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

bool setCheckBoxValue(QCheckBox* box, const QString& stored) {
    const auto value = readVbInteger(stored);
    if (!value || *value < 0 || *value > 2)
        return false;
    if (*value == 2)
        box->setTristate(true);
    box->setCheckState(*value == 0 ? Qt::Unchecked
                                   : (*value == 1 ? Qt::Checked : Qt::PartiallyChecked));
    return true;
}

} // namespace lumera::portal
