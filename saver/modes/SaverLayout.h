#pragma once

#include <QRect>
#include <QSize>

namespace lumera::saver {

// Where the window's parts go, in pixels, for a window of the given size. The design values
// are in twips (15 per pixel): the browser 30 twips beyond every edge so that its frame lies
// off the screen, the picture area as wide as the window and 70 twips taller.
struct SaverLayout {
    QRect web;
    QRect picture;
};

SaverLayout saverLayout(QSize windowPixels);

// Twips to pixels at 15 twips per pixel, halves to even.
int twipsToPixels(double twips);

} // namespace lumera::saver
