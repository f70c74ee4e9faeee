#pragma once

#include "portal/resources/ImageList.h"

#include <QIcon>
#include <QPixmap>

namespace lumera::portal {

// ImageList1: the toolbar's 18 images of 32 × 32.
ImageList toolbarImages();
// ImageList2: the directory tree's 15 images of 16 × 16.
ImageList treeImages();
// The program's own icon: windows, the tray and the About box.
QIcon programIcon();
// The picture of the pop-up pane's close button.
QPixmap closeButtonPicture();

} // namespace lumera::portal
