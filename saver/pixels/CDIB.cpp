#include "saver/pixels/CDIB.h"

#include "saver/pixels/RowKernels.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
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
    if (paintStraightIntoImage(toDC, X, Y))
        return;
    // Any other painter (turned or scaled, or on another kind of device) gets an upright
    // 32-bit copy, kept from one paint to the next.
    if (frame_.width() != header.biWidth || frame_.height() != header.biHeight)
        frame_ = QImage(header.biWidth, header.biHeight, QImage::Format_RGB32);
    if (frame_.isNull())
        return;
    putRows(frame_, frame_.rect(), QPoint(0, 0));
    toDC.drawImage(X, Y, frame_);
}

bool CDIB::paintStraightIntoImage(QPainter& toDC, int X, int Y) const {
    // The window's backing store is a 32-bit image, and a painter on it that only moves
    // things lets the rows go straight in: the flip and the widening in one pass.
    QPaintEngine* engine = toDC.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || toDC.opacity() < 1.0 ||
        toDC.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform transform = toDC.deviceTransform();
    if (transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::round(transform.dx()) ||
        transform.dy() != std::round(transform.dy()))
        return false;
    const QPoint shift(int(transform.dx()), int(transform.dy()));

    // Only where the painter may paint: the image, the area the window system asked for and
    // the painter's own clip.
    const QRect surface = QRect(X, Y, header.biWidth, header.biHeight).translated(shift);
    const QRect inImage = surface & image->rect();
    const QRegion systemClip = engine->systemClip();
    if (systemClip.isEmpty() && !toDC.hasClipping()) {
        putRows(*image, inImage, surface.topLeft());
        return true;
    }
    QRegion allowed(inImage);
    if (!systemClip.isEmpty())
        allowed &= systemClip;
    if (toDC.hasClipping())
        allowed &= transform.map(toDC.clipRegion());
    for (const QRect& area : allowed)
        putRows(*image, area, surface.topLeft());
    return true;
}

void CDIB::putRows(QImage& target, const QRect& area, QPoint surfaceAt) const {
    if (area.isEmpty())
        return;
    const BgrRowKernel kernel = bestBgrRowKernel();
    const std::int32_t rowBytes = stride();
    const int fromX = area.left() - surfaceAt.x();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int surfaceRow = y - surfaceAt.y();
        const std::uint8_t* from =
            lpRGB + std::size_t(header.biHeight - 1 - surfaceRow) * rowBytes + 3 * fromX;
        auto* to = reinterpret_cast<std::uint32_t*>(target.scanLine(y)) + area.left();
        kernel(from, to, std::size_t(area.width()));
    }
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
