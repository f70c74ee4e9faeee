#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace lumera::saver {

class CDIB;

// Pictures larger than this are refused before decoding (no camera makes them, and a forged
// header must not make us ask for gigabytes).
constexpr qint64 kMaxPhotoPixels = 200'000'000;

// Decodes a photo for an area: the photo's own orientation (EXIF) applied, and shrunk by the
// decoder by 2, 4 or 8 as far as it stays at least as large as the area. A file that cannot
// be read, is not a picture, is truncated or is too large gives a null image.
QImage decodePhoto(const QString& path, QSize area);

// The size the decoder is asked for: the stored size divided by the largest of 1, 2, 4, 8
// that keeps both sides at least as large as the area.
QSize decodeSize(QSize stored, QSize area);

// Whether a photo is stretched over the whole area: its shape differs from the area's by at
// most a quarter either way.
bool stretchesOver(QSize photo, QSize area);

// The work picture: a photo close to the area's shape stretched over the whole area; any
// other (a portrait photo on a wide screen) fitted whole, centred on black, undistorted; the
// area black without a photo.
QImage fitToArea(const QImage& photo, QSize area);

// Writes the work picture as a Windows bitmap, replacing the file only once it is complete.
bool saveWorkBitmap(const QImage& picture, const QString& path);

// The photo load of one fade cycle: imageL receives the decoded photo (and keeps the one it
// had when decoding fails), picture2 becomes the work picture, the work bitmap is
// written and read back, and what was read lands in the source surface.
void loadPhotoIntoSurface(const QString& photoPath, QSize area, const QString& workBitmapPath,
                          QImage& imageL, QImage& picture2, CDIB& source);

} // namespace lumera::saver
