#pragma once

#include <QIcon>
#include <QList>

namespace lumera::portal {

// The fifteen 16 × 16 images of the directory tree (ImageList2), index 1 first: globe, folder,
// film, cartoon, series, television, radio, music, star, person, chart, heart, download,
// film star, crown.
QList<QIcon> directoryImages();

} // namespace lumera::portal
