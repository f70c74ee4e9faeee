#include "saver/modes/SaverLayout.h"

#include <cmath>

namespace lumera::saver {

int twipsToPixels(double twips) {
    return static_cast<int>(std::nearbyint(twips / 15.0));
}

SaverLayout saverLayout(QSize windowPixels) {
    const double scaleWidth = windowPixels.width() * 15.0;
    const double scaleHeight = windowPixels.height() * 15.0;
    SaverLayout layout;
    layout.web = QRect(twipsToPixels(-30), twipsToPixels(-30), twipsToPixels(scaleWidth + 60),
                       twipsToPixels(scaleHeight + 60));
    layout.picture = QRect(0, 0, twipsToPixels(scaleWidth), twipsToPixels(scaleHeight + 70));
    return layout;
}

} // namespace lumera::saver
