#pragma once

#include "saver/pixels/SurfaceSize.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <memory>

class QPainter;
class QPoint;
class QRect;

namespace lumera::saver {

// The description every surface carries, member for member as a Windows bitmap info header.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // positive: rows are stored bottom-up
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 24;
    std::uint32_t biCompression = 0; // uncompressed
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// The error a routine records instead of reporting it; number 0 means none.
struct SaverError {
    int number = 0;
    QString description;
};

// A screen-sized 24-bit surface whose pixel memory is directly addressable: blue, green, red
// per pixel, rows padded to 4 bytes and stored bottom-up. Every surface has the size of the
// process's SurfaceSize, never that of a picture put into it.
class CDIB {
public:
    // Largest pixel memory a surface may ask for; more is refused as a failed creation.
    static constexpr std::uint64_t kMaxImageBytes = std::uint64_t(1) << 30;

    explicit CDIB(const SurfaceSize& size);
    ~CDIB();
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // Non-zero while the surface is held.
    std::uintptr_t hdc = 0;
    // The first pixel byte (the bottom row's first pixel); null without pixel memory.
    std::uint8_t* lpRGB = nullptr;
    BitmapInfoHeader header;

    // Makes a new, black surface and copies pic (if any) into it at the top-left, at the
    // picture's own size: what lies beyond the surface is cut off, what the picture does not
    // cover stays black. Without pixel memory the error −1 "DIB failed to create" is recorded.
    void Clone(const QImage* pic);
    // Draws the whole surface with its top-left corner at (X, Y), upright: one pass over the
    // rows that are in view, with no memory asked for on the way.
    void Paint(QPainter& toDC, int X, int Y) const;
    // Width × height in pixels; 0 (and the overflow recorded) when that does not fit 32 bits.
    std::int32_t RGBSize();
    // Releases the surface; also done on destruction.
    void Class_Terminate();

    // Bytes in one stored row, padding included.
    std::int32_t stride() const;
    const SaverError& lastError() const { return error_; }

private:
    struct FreeDeleter {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };

    bool paintStraightIntoImage(QPainter& toDC, int X, int Y) const;
    // The surface's rows for an area of a 32-bit image, the surface's top-left at surfaceAt.
    void putRows(QImage& target, const QRect& area, QPoint surfaceAt) const;

    const SurfaceSize& size_;
    // The bitmap section: the surface's own pixel memory.
    std::unique_ptr<std::uint8_t, FreeDeleter> section_;
    SaverError error_;
    // The upright copy for painters that cannot take the rows straight.
    mutable QImage frame_;
};

} // namespace lumera::saver
