#include "saver/pixels/CDIB.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <limits>

namespace lumera::saver {

namespace {

const QString kDibFailed = QStringLiteral("DIB failed to create");

} // namespace

CDIB::CDIB(const SurfaceSize& size) : size_(size) {}

CDIB::~CDIB() {
    Class_Terminate();
}

std::int32_t CDIB::stride() const {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(header.biWidth) * 3 + 3) & ~3LL);
}

void CDIB::Clone(const QImage* pic) {
    Class_Terminate();
    error_ = {};

    header = BitmapInfoHeader{};
    header.biWidth = size_.ScreenWidthPx;
    header.biHeight = size_.ScreenHeightPx;
    const std::int64_t rowBytes = (static_cast<std::int64_t>(header.biWidth) * 3 + 3) & ~3LL;
    const std::int64_t imageBytes = rowBytes * header.biHeight;
    header.biSizeImage = imageBytes > 0 && imageBytes <= std::numeric_limits<std::uint32_t>::max()
                             ? static_cast<std::uint32_t>(imageBytes)
                             : 0;

    if (header.biWidth > 0 && header.biHeight > 0 && header.biSizeImage > 0 &&
        header.biSizeImage <= kMaxImageBytes)
        section_.reset(static_cast<std::uint8_t*>(std::calloc(header.biSizeImage, 1)));
    if (!section_) {
        error_ = {-1, kDibFailed};
        return;
    }
    lpRGB = section_.get();
    hdc = reinterpret_cast<std::uintptr_t>(lpRGB);

    if (!pic || pic->isNull())
        return;
    const QImage bgr =
        pic->format() == QImage::Format_BGR888 ? *pic : pic->convertToFormat(QImage::Format_BGR888);
    if (bgr.isNull())
        return;
    const int rows = std::min(bgr.height(), header.biHeight);
    const std::size_t rowCopy = static_cast<std::size_t>(std::min(bgr.width(), header.biWidth)) * 3;
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* target = lpRGB + static_cast<std::size_t>(header.biHeight - 1 - y) * rowBytes;
        std::memcpy(target, bgr.constScanLine(y), rowCopy);
    }
}

void CDIB::Paint(QPainter& toDC, int X, int Y) const {
    if (!lpRGB)
        return;
    // The memory holds the picture upside down; the view over it needs no copy, the mirror
    // is one row copy per row.
    const QImage upsideDown(lpRGB, header.biWidth, header.biHeight, stride(),
                            QImage::Format_BGR888);
    toDC.drawImage(X, Y, upsideDown.mirrored(false, true));
}

std::int32_t CDIB::RGBSize() {
    const std::int64_t pixels = static_cast<std::int64_t>(header.biWidth) * header.biHeight;
    if (pixels > std::numeric_limits<std::int32_t>::max() ||
        pixels < std::numeric_limits<std::int32_t>::min()) {
        error_ = {6, QStringLiteral("Overflow")};
        return 0;
    }
    return static_cast<std::int32_t>(pixels);
}

void CDIB::Class_Terminate() {
    section_.reset();
    lpRGB = nullptr;
    hdc = 0;
}

} // namespace lumera::saver
